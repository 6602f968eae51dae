// Steps 5 to 9 of the catalogue run: the production buildings an item can target.

#include <new>
#include <unordered_map>
#include <unordered_set>

#include "catalog/catalog.h"
#include "catalog/dumpindex.h"
#include "workspace/error.h"
#include "workspace/files.h"
#include "workspace/xmldoc.h"

namespace bw {
namespace {

// Buildings that never become targets.
const QStringList kBuildingDeleteList = QStringLiteral(
    "24055 24110 24116 24117 24118 24119 24120 24121 24122 24123 24124 24125 24126 24127 24128 24129 24130 "
    "24133 24134 24135 24136 24137 24836 101303 24844 269850 270044 269951 269851 24825 24820 24856 24857 7319 "
    "100806 668").split(QLatin1Char(' '));

const std::unordered_map<QString, QString> kFixedIcons = {
    {QStringLiteral("101260"), QStringLiteral("icon_wood_log")},
    {QStringLiteral("101268"), QStringLiteral("icon_bricks")},
    {QStringLiteral("101261"), QStringLiteral("icon_wooden_planks")},
    {QStringLiteral("101265"), QStringLiteral("icon_sail")},
    {QStringLiteral("101296"), QStringLiteral("icon_inlay")},
    {QStringLiteral("1010561"), QStringLiteral("icon_oil")}};

const std::unordered_map<QString, QString> kFixedNames = {
    {QStringLiteral("835"), QStringLiteral("Alu-Schmelzhütte")},
    {QStringLiteral("112690"), QStringLiteral("Gasförderstätte")},
    {QStringLiteral("112680"), QStringLiteral("Schlittenstation")}};

QString Tmp(const CatalogRun& run, const char* name) { return run.paths().TMPPath + QString::fromUtf8(name); }

// An empty collection: ORG "new.xml", loaded afresh for each collection.
pugi::xml_node LoadCollection(const CatalogRun& run, XmlDocument& doc) {
  doc.load(run.paths().ORGPath + QStringLiteral("new.xml"));
  return RootElement(doc);
}

// pugixml gives a null node when it runs out of memory; the run must not go on without it.
void AppendCopy(pugi::xml_node root, pugi::xml_node node) {
  if (!root.append_copy(node)) throw std::bad_alloc();
}

// Lines of a plain text file, as a string list reads them: CR LF, LF or CR end a line.
QStringList LinesOf(const QByteArray& bytes) {
  QString text = QString::fromUtf8(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

// Region by the rules: the first one always holds, and a later match overrides.
QString RegionOf(const QString& value, bool fromAssociatedRegions) {
  const char* const words[] = {fromAssociatedRegions ? "colony01" : "colony", "arctic", "colony02", "africa"};
  const char* const regions[] = {"Region2", "Region3", "Region4", "Region4"};
  QString region = QStringLiteral("Region1");
  for (int i = 0; i < 4; ++i) {
    if (value.contains(QLatin1String(words[i]), Qt::CaseInsensitive)) region = QLatin1String(regions[i]);
  }
  return region;
}

// "//Asset/Values/Standard[GUID=\"...\"]/IconFilename" in the building list.
std::unordered_map<QString, pugi::xml_node> IconsByGuid(pugi::xml_node root) {
  std::unordered_map<QString, pugi::xml_node> icons;
  for (const pugi::xpath_node& found : root.select_nodes("//Asset")) {
    const pugi::xml_node asset = found.node();
    for (pugi::xml_node values : asset.children("Values")) {
      for (pugi::xml_node standard : values.children("Standard")) {
        pugi::xml_node icon = standard.child("IconFilename");
        if (!icon) continue;
        for (pugi::xml_node guid : standard.children("GUID")) icons.try_emplace(TextOf(guid), icon);
      }
    }
  }
  return icons;
}

}  // namespace

const QStringList& BuildingTemplates() {
  static const QStringList templates{QStringLiteral("FactoryBuilding7"),        QStringLiteral("FarmBuilding"),
                                     QStringLiteral("FreeAreaBuilding"),        QStringLiteral("FactoryBuilding7_Arctic"),
                                     QStringLiteral("FarmBuilding_Arctic"),     QStringLiteral("FreeAreaBuilding_Arctic")};
  return templates;
}

void CreateBuildingsListBasedOnTemplates(CatalogRun& run) {
  const AssetIndex& assets = run.assets();
  XmlDocument collection;
  pugi::xml_node root = LoadCollection(run, collection);
  QStringList guidList;
  for (const QString& templateName : BuildingTemplates()) {
    for (const XmlExtent& extent : assets.withTemplate(templateName)) {
      pugi::xml_node asset = assets.append(root, extent);
      if (!ChildPath(asset, {"Values", "Standard"})) {
        root.remove_child(asset);
        continue;
      }
      pugi::xml_node guid = ChildPath(asset, {"Values", "Standard", "GUID"});
      if (!guid) {
        throw Error(QStringLiteral("Ein Asset der Vorlage „%1“ in der Datei „%2“ hat kein „Values/Standard/GUID“.")
                        .arg(templateName, assets.path()),
                    "EXmlError");
      }
      guidList << TextOf(guid);
    }
  }
  run.produce(Tmp(run, "Buildings_Full_List_1.xml"), collection);
  run.produce(Tmp(run, "GUIDS.txt"), JoinLinesCrLf(guidList));
}

void CreateBuildingsListBasedOnBaseGUID(CatalogRun& run) {
  const AssetIndex& assets = run.assets();
  XmlDocument collection;
  pugi::xml_node root = LoadCollection(run, collection);
  // Each GUID once: the derived buildings of a GUID that several template buildings share
  // would otherwise be copied once for each of them.
  std::unordered_set<QString> taken;
  for (const QString& guid : LinesOf(run.produced(Tmp(run, "GUIDS.txt")))) {
    if (!taken.insert(guid).second) continue;
    for (const XmlExtent& asset : assets.derivedFrom(guid)) assets.append(root, asset);
  }
  run.produce(Tmp(run, "Buildings_Full_List_2.xml"), collection);
}

// Joins the collections under the root of the first one, so that an empty collection
// merges as well as a full one.
void CompareTemplateAndBaseAssetBuildings(CatalogRun& run) {
  XmlDocument merged;
  run.loadProduced(merged, Tmp(run, "Buildings_Full_List_1.xml"));
  pugi::xml_node root = RootElement(merged);
  XmlDocument derived;
  run.loadProduced(derived, Tmp(run, "Buildings_Full_List_2.xml"));
  for (pugi::xml_node building : RootElement(derived).children()) AppendCopy(root, building);
  run.produce(Tmp(run, "Buildings_Full_List.xml"), merged);
}

void CleanBuildingsFullList(CatalogRun& run) {
  XmlDocument list;
  run.loadProduced(list, Tmp(run, "Buildings_Full_List.xml"));
  RemoveListedAssets(list, kBuildingDeleteList);
  run.produce(Tmp(run, "Buildings_Full_List.xml"), list);
}

void CreateBuildingsShortLists(CatalogRun& run) {
  XmlDocument list;
  run.loadProduced(list, Tmp(run, "Buildings_Full_List.xml"));
  const pugi::xml_node root = RootElement(list);
  const TextTable& texts = run.texts();
  const std::unordered_map<QString, pugi::xml_node> baseIcons = IconsByGuid(root);

  QStringList targetsNewXml{QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), QStringLiteral("<Targets>")};
  QString orgName;  // kept from the building before when a building has no name
  for (pugi::xml_node building : root.children()) {
    if (building.type() != pugi::node_element) continue;
    QString guid, baseGuid, icon, local;
    if (pugi::xml_node n = ChildPath(building, {"Values", "Standard", "GUID"})) guid = TextOf(n);
    if (pugi::xml_node n = building.child("BaseAssetGUID")) baseGuid = TextOf(n);

    icon = QStringLiteral("nicht erforderlich");
    if (pugi::xml_node n = ChildPath(building, {"Values", "Standard", "IconFilename"})) {
      icon = IconBaseName(TextOf(n));
    } else if (auto base = baseIcons.find(baseGuid); base != baseIcons.end()) {
      icon = IconBaseName(TextOf(base->second));
    }
    if (auto fixed = kFixedIcons.find(guid); fixed != kFixedIcons.end()) icon = fixed->second;

    if (pugi::xml_node n = ChildPath(building, {"Values", "Standard", "Name"})) orgName = TextOf(n);
    const pugi::xml_node regions = ChildPath(building, {"Values", "Building", "AssociatedRegions"});
    const QString region = regions ? RegionOf(TextOf(regions), true) : RegionOf(orgName, false);

    local = texts.find(guid).value_or(QString());
    if (auto fixed = kFixedNames.find(guid); fixed != kFixedNames.end()) local = fixed->second;

    targetsNewXml << QStringLiteral("\t<Target GUID=\"%1\" Name=\"%2\" Icon=\"%3\"  Region=\"%4\"/>")
                         .arg(RowValue(guid, guid, list.path()), RowValue(local, guid, texts.path()),
                              RowValue(icon, guid, list.path()), region);
  }
  targetsNewXml << QStringLiteral("</Targets>");
  run.produce(TargetFilePath(run.paths().XMLPath), "\xEF\xBB\xBF" + JoinLinesCrLf(targetsNewXml));
}

}  // namespace bw
