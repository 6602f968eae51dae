// assets.xml of the mod: one GuildhouseItem per slot with products, the trigger that
// unlocks all six items, their reward pool and Eli Blackworth's trader settings.
#include <QLatin1StringView>
#include <climits>

#include "modgen/createitems.h"
#include "modgen/itemslots.h"
#include "platform/localtime.h"
#include "workspace/error.h"
#include "workspace/itemstore.h"
#include "workspace/paths.h"

namespace bw {
namespace {

// The counter of the first row of Property.xml raised by one: the GUID of this
// generation's trigger.
int NextTriggerID(const XmlNode& counter) {
  const QString text = counter.attr(0);
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value == INT_MAX) {
    throw Error(QStringLiteral("Der Zähler „%1“ in der ersten Zeile der Datei „%2“ ist keine Zahl, die sich um eins erhöhen lässt.")
                    .arg(text, counter.file()),
                "EConvertError");
  }
  return value + 1;
}

QString ProductName(const XmlNode& productsRoot, const QString& productGuid, const QString& itemList) {
  const XmlNode row = productsRoot.selectSingle(QStringLiteral("Product[@GUID=\"") + productGuid + QStringLiteral("\"]"));
  if (!row) {
    throw Error(QStringLiteral("Die Ware „%1“ aus der Datei „%2“ steht nicht in der Datei „%3“.")
                    .arg(productGuid, itemList, productsRoot.file()),
                "EXmlError");
  }
  return row.attr(1);
}

QString AssetFile(const ModSettings& s) {
  return ModTemplateFolder(s.XMLPath) + QStringLiteral("/data/config/export/main/asset/assets.xml");
}

void AppendItemBlock(QStringList& lines, const ModSettings& s, int slot, const QString& G, const XmlNode& productsRoot) {
  const QString targetGuid = s.targets.value(slot - 1);
  const QString owner = QStringLiteral("Ein Wert von Item %1 für die Datei „%2“").arg(slot).arg(AssetFile(s));
  lines << QStringLiteral("<ModOp GUID=\"190699\" Type=\"addnextSibling\">") << QStringLiteral("<Asset>")
        << QStringLiteral("<Template>GuildhouseItem</Template>") << QStringLiteral("<Values>")
        << QStringLiteral("<Standard>") << QStringLiteral("<!-- GUID des Items -->")
        << QStringLiteral("<GUID>") + XmlEscape(G, owner) + QStringLiteral("</GUID>")
        << QStringLiteral("<IconFilename>data\\icon\\Item_%1.png</IconFilename>").arg(slot)
        << QStringLiteral("<InfoDescription>%1</InfoDescription>").arg(G.toLongLong() + 1)
        << QStringLiteral("</Standard>") << QStringLiteral("<Text/>") << QStringLiteral("<Item>")
        << QStringLiteral("<MaxStackSize>1</MaxStackSize>") << QStringLiteral("<Rarity>Common</Rarity>")
        << QStringLiteral("<ItemType>Specialist</ItemType>") << QStringLiteral("<TradePrice>0</TradePrice>")
        << QStringLiteral("<TradePriceOnlineCurrency>0</TradePriceOnlineCurrency>") << QStringLiteral("</Item>")
        << QStringLiteral("<FactoryUpgrade>") << QStringLiteral("<AdditionalOutput>");
  for (const QString& product : ItemProductGuids(s.XMLPath, G)) {
    lines << QStringLiteral("<Item>")
          << QStringLiteral("<!--") + XmlEscape(ProductName(productsRoot, product, ItemListPath(s.XMLPath, G)), owner) +
                 QStringLiteral("-->")
          << QStringLiteral("<Product>") + XmlEscape(product, owner) + QStringLiteral("</Product>")
          << QStringLiteral("<AdditionalOutputCycle>") + XmlEscape(s.cycle, owner) +
                 QStringLiteral("</AdditionalOutputCycle>")
          << QStringLiteral("<Amount>") + XmlEscape(s.amount, owner) + QStringLiteral("</Amount>")
          << QStringLiteral("</Item>");
  }
  lines << QStringLiteral("</AdditionalOutput>") << QStringLiteral("</FactoryUpgrade>")
        << QStringLiteral("<ItemEffect>") << QStringLiteral("<EffectTargets>") << QStringLiteral("<Item>")
        << QStringLiteral("<!-- Zielgebäude -->")
        << QStringLiteral("<!-- ") + XmlEscape(TargetName(s.TargetsRoot, targetGuid), owner) + QStringLiteral(" -->")
        << QStringLiteral("<GUID>") + XmlEscape(targetGuid, owner) + QStringLiteral("</GUID>")
        << QStringLiteral("</Item>") << QStringLiteral("</EffectTargets>") << QStringLiteral("</ItemEffect>");
  for (const char* empty : {"ItemAction", "ExpeditionAttribute", "CultureUpgrade", "BuildingUpgrade", "ModuleOwnerUpgrade",
                            "IncidentInfluencerUpgrade", "IncidentInfectableUpgrade", "ResidenceUpgrade", "PopulationUpgrade",
                            "IndustrializableUpgrade", "Locked", "Buff", "CraftableItem", "HeaterUpgrade",
                            "PowerplantUpgrade", "IrrigationUpgrade"}) {
    lines << QLatin1Char('<') + QLatin1StringView(empty) + QStringLiteral("/>");
  }
  lines << QStringLiteral("</Values>") << QStringLiteral("</Asset>") << QStringLiteral("</ModOp>");
}

void AppendAssetList(QStringList& lines, const QString& listTag) {
  lines << QLatin1Char('<') + listTag + QLatin1Char('>');
  for (const QString& guid : ItemGuids()) {
    lines << QStringLiteral("<Item>") << QStringLiteral("<Asset>") + guid + QStringLiteral("</Asset>") << QStringLiteral("</Item>");
  }
  lines << QStringLiteral("</") + listTag + QLatin1Char('>');
}

void AppendTriggerBlock(QStringList& lines, int TriggerID) {
  lines << QStringLiteral("<!-- Aktivieren der Items -->") << QStringLiteral("<ModOp GUID=\"130216\" Type=\"addNextSibling\">")
        << QStringLiteral("<Asset>") << QStringLiteral("<Template>Trigger</Template>") << QStringLiteral("<Values>")
        << QStringLiteral("<Standard>") << QStringLiteral("<GUID>%1</GUID>").arg(TriggerID)
        << QStringLiteral("<Name>Aktivierung der Items</Name>")
        << QStringLiteral("<IconFilename>data/ui/2kimages/main/profiles/resident_tier02.png</IconFilename>")
        << QStringLiteral("</Standard>") << QStringLiteral("<Trigger>") << QStringLiteral("<TriggerCondition>")
        << QStringLiteral("<Template>ConditionPlayerCounter</Template>") << QStringLiteral("<Values>")
        << QStringLiteral("<Condition/>") << QStringLiteral("<ConditionPlayerCounter>")
        << QStringLiteral("<!-- Bauern (nicht ändern!) -->") << QStringLiteral("<PlayerCounter>PopulationByLevel</PlayerCounter>")
        << QStringLiteral("<Context>15000000</Context>") << QStringLiteral("<CounterAmount>0</CounterAmount>")
        << QStringLiteral("</ConditionPlayerCounter>") << QStringLiteral("</Values>") << QStringLiteral("</TriggerCondition>")
        << QStringLiteral("<TriggerActions>") << QStringLiteral("<Item>") << QStringLiteral("<TriggerAction>")
        << QStringLiteral("<Template>ActionUnlockAsset</Template>") << QStringLiteral("<Values>") << QStringLiteral("<Action/>")
        << QStringLiteral("<ActionUnlockAsset>");
  AppendAssetList(lines, QStringLiteral("UnlockAssets"));
  AppendAssetList(lines, QStringLiteral("UnhideAssets"));
  lines << QStringLiteral("</ActionUnlockAsset>") << QStringLiteral("</Values>") << QStringLiteral("</TriggerAction>")
        << QStringLiteral("</Item>") << QStringLiteral("</TriggerActions>") << QStringLiteral("</Trigger>")
        << QStringLiteral("<TriggerSetup>") << QStringLiteral("<UsedBySecondParties>0</UsedBySecondParties>")
        << QStringLiteral("</TriggerSetup>") << QStringLiteral("</Values>") << QStringLiteral("</Asset>")
        << QStringLiteral("</ModOp>");
}

void AppendRewardPoolBlock(QStringList& lines) {
  lines << QStringLiteral("<!-- Neuen Pool erzeugen, Ergänzung des Handelspools von Eli Blackworth -->")
        << QStringLiteral("<ModOp Type=\"add\" Path=\"//Assets[Asset/Values/Standard/GUID=193095]\">")
        << QStringLiteral("<Asset>") << QStringLiteral("<Template>RewardPool</Template>") << QStringLiteral("<Values>")
        << QStringLiteral("<Standard>") << QStringLiteral("<!-- PoolID -->") << QStringLiteral("<GUID>2000502450</GUID>")
        << QStringLiteral("<Name>Self created Brennwick</Name>") << QStringLiteral("</Standard>")
        << QStringLiteral("<RewardPool>") << QStringLiteral("<ItemsPool>");
  for (const QString& guid : ItemGuids()) {
    lines << QStringLiteral("<Item>") << QStringLiteral("<ItemLink>") + guid + QStringLiteral("</ItemLink>")
          << QStringLiteral("</Item>");
  }
  lines << QStringLiteral("</ItemsPool>") << QStringLiteral("</RewardPool>") << QStringLiteral("<Locked/>")
        << QStringLiteral("</Values>") << QStringLiteral("</Asset>") << QStringLiteral("</ModOp>");
}

void AppendTraderBlock(QStringList& lines) {
  lines << QStringLiteral("<!-- ******************************* -->") << QStringLiteral("<!-- Eli Blackworth GameTime Settings-->")
        << QStringLiteral("<!-- ******************************* -->")
        << QStringLiteral("<!-- Verfügbarkeit in den Spielstufen -->");
  const std::pair<const char*, int> weights[] = {{"190167,190168", 100}, {"190304,190305", 75}, {"190306,190774", 50}};
  for (const auto& [pools, weight] : weights) {
    lines << QStringLiteral("<ModOp Type=\"add\" GUID=\"%1\" Path=\"/Values/RewardPool/ItemsPool\">").arg(QLatin1StringView(pools))
          << QStringLiteral("<Item>") << QStringLiteral("<ItemLink>2000502450</ItemLink>")
          << QStringLiteral("<Weight>%1</Weight>").arg(weight) << QStringLiteral("</Item>") << QStringLiteral("</ModOp>");
  }
  lines << QStringLiteral("<!-- -->") << QStringLiteral("<!-- Verfügbarkeit der Items im Verkaufsangebot Eli Blackworth erhöhen -->")
        << QStringLiteral("<!-- -->");
  for (const char* stage : {"EarlyGame", "EarlyMidGame", "MidGame", "LateMidGame", "LateGame", "EndGame"}) {
    lines << QStringLiteral("<ModOp Type=\"replace\" Path=\"//Asset[Values/Standard/GUID='46']/Values/Trader/Progression/%1/MaxItemsToOffer\">")
                 .arg(QLatin1StringView(stage))
          << QStringLiteral("<MaxItemsToOffer>12</MaxItemsToOffer>") << QStringLiteral("</ModOp>");
  }
  lines << QStringLiteral("<!-- Eli Blackworth-->") << QStringLiteral("<!-- Kosten für neues Itemwürfeln aufheben -->")
        << QStringLiteral("<ModOp Type=\"add\" Path=\"//Asset[Values/Standard/GUID='46']/Values/Trader\">")
        << QStringLiteral("<TraderItemRerollCosts>0</TraderItemRerollCosts>")
        << QStringLiteral("<TraderItemRerollCostIncrease>0</TraderItemRerollCostIncrease>") << QStringLiteral("</ModOp>");
}

}  // namespace

void CreateItemsXML(const ModSettings& s) {
  SaveProperties(s.XMLPath, s.amount, s.cycle, s.targets);
  const QString propertyPath = PropertyFilePath(s.XMLPath);
  XmlDocument properties;
  properties.load(propertyPath, "Properties");
  const XmlNode counter = properties.root().firstChild();
  const int TriggerID = NextTriggerID(counter);
  // Stored before the products are read: every generation that gets this far takes a new
  // trigger GUID, also one that a missing product then stops.
  counter.setAttr(0, QString::number(TriggerID));
  properties.save(propertyPath);

  XmlDocument products;
  products.load(ProductsFilePath(s.XMLPath), "Products");
  const XmlNode productsRoot = products.root();

  QStringList NewXML{QStringLiteral("<!-- Spezial Items für Material Mod -->"),
                     QStringLiteral("<!-- Corvana 1800 Special Material Mod -->"),
                     QStringLiteral("<!-- ") +
                         XmlEscape(QString::fromStdString(LocalDateAndTime()),
                                   QStringLiteral("Das Datum für die Datei „%1“").arg(AssetFile(s))) +
                         QStringLiteral(" GU 16.1             -->"),
                     QStringLiteral("<ModOps>"), QStringLiteral("<!--Erzeugung der Items-->")};
  const QStringList ItemID = ItemGuids();
  for (int slot = 1; slot <= ItemID.size(); ++slot) {
    if (ItemProductCount(s.XMLPath, ItemID[slot - 1]) > 0) AppendItemBlock(NewXML, s, slot, ItemID[slot - 1], productsRoot);
  }
  AppendTriggerBlock(NewXML, TriggerID);
  AppendRewardPoolBlock(NewXML);
  AppendTraderBlock(NewXML);
  NewXML << QStringLiteral("</ModOps>");

  WriteXmlLines(AssetFile(s), NewXML);
}

}  // namespace bw
