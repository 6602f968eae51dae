// Steps 1 to 4 and 10 of the catalogue run: the product catalogue with its icons, the
// product groups, the settings and the empty item lists.

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "catalog/catalog.h"
#include "catalog/dumpindex.h"
#include "workspace/error.h"
#include "workspace/files.h"
#include "workspace/itemstore.h"
#include "workspace/xmldoc.h"

namespace bw {
namespace {

// Product assets that never become catalogue rows.
const QStringList kDeleteList = QStringLiteral(
    "114433 114427 114429 269751 24863 1591 1955 25073 917 24187 135108 135107 135109 1010355 1010356 120050 "
    "1010348 1010052 1010115 1010116 1010117 1010128 1010366 1010367 120020 1010349 1010350 1010351 1010352 "
    "1010353 1010354 132723 133891 132751 132754 132755 133573 601485 133535 355 134257 132761 133536 134781 "
    "137757 114340 114341 124478 114355 114361 114362 114425 120022 112653 112654 112708 112693 114890 120021 "
    "24846 24850 24851 24821 24824 24837 25546 2038 24320 5831 5830 6261 6262 6263 6265 6360 5406 5399 24852 "
    "5387 135816 135876 135877 135878 135879 135880 135881 135882 135883 135884 135885 135886 135887 135888 "
    "135889").split(QLatin1Char(' '));

// Goods whose category becomes "11701" (Bodenschätze).
const QStringList kMineralResources = QStringLiteral(
    "836 1010226 1010227 1010229 1010230 1010231 1010233 1010234 1010566 112706 5398 840 1010201")
                                          .split(QLatin1Char(' '));

const QString kSugar = QStringLiteral("1010239");

QString NameOf(const TextTable& texts, const QString& guid) {
  std::optional<QString> text = texts.find(guid);
  if (!text) return QStringLiteral("no german");
  return text->remove(QStringLiteral("<br/>"), Qt::CaseInsensitive).replace(QLatin1Char(':'), QLatin1Char(' '));
}

QString GameCategoryToGroup(QString category, const QString& guid) {
  for (const char* merged : {"11705", "11706", "11708", "11709", "11710"}) {
    if (category == QLatin1String(merged)) category = QStringLiteral("11704");
  }
  if (kMineralResources.contains(guid)) category = QStringLiteral("11701");
  if (category == QLatin1String("11707")) category = QStringLiteral("11705");
  return category;
}

QString GuidOf(pugi::xml_node asset, int number, const QString& file) {
  pugi::xml_node guid = ChildPath(asset, {"Values", "Standard", "GUID"});
  if (!guid) {
    throw Error(QStringLiteral("Das Asset Nr. %1 in der Datei „%2“ hat kein „Values/Standard/GUID“.")
                    .arg(number)
                    .arg(file),
                "EXmlError");
  }
  return TextOf(guid);
}

// The name comes from the text table, the other values from `dump`.
QString ProductRow(const QString& guid, const QString& name, const QString& icon, const QString& category,
                   const QString& dlc, const QString& dump, const TextTable& texts) {
  return QStringLiteral("<Product GUID=\"%1\" Name=\"%2\" Icon=\"%3\" Category=\"%4\" DLC=\"%5\"/>")
      .arg(RowValue(guid, guid, dump), RowValue(name, guid, texts.path()), RowValue(icon, guid, dump),
           RowValue(category, guid, dump), RowValue(dlc, guid, dump));
}

// The asset elements directly below a dump's root, in document order.
std::vector<pugi::xml_node> AssetsOf(const XmlDocument& dump) {
  std::vector<pugi::xml_node> assets;
  for (pugi::xml_node n : RootElement(dump).children()) {
    if (n.type() == pugi::node_element) assets.push_back(n);
  }
  return assets;
}

void ProduceXmlLines(CatalogRun& run, const QString& path, const QStringList& lines) {
  run.produce(path, FormatXmlLines(lines, path));
}

// A link never counts: the copy replaces it rather than leaving it pointing elsewhere.
bool HasBytes(const QString& path, const QByteArray& bytes) {
  if (QFileInfo(path).isSymLink()) return false;
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && file.size() == bytes.size() && file.readAll() == bytes;
}

void CopyIcons(CatalogRun& run, const QStringList& icons) {
  QStringList missing;
  for (const QString& icon : icons) {
    const QString oldIconName = icon + QStringLiteral("_0.png");
    const QString source = run.iconFolder() + oldIconName;
    if (QFileInfo(source).isFile()) {
      // A copy that has the picture already stays as it is: every write ends with a disk
      // sync, which for a thousand unchanged icons would cost more than the whole rest.
      const QByteArray picture = ReadFile(source);
      const QString copy = run.paths().ICOPATH + icon + QStringLiteral(".png");
      if (!HasBytes(copy, picture)) run.produce(copy, picture);
    } else {
      missing << oldIconName;
    }
  }
  run.produce(run.paths().TMPPath + QStringLiteral("ItemIconErrorlist.txt"), JoinLinesCrLf(missing));
}

}  // namespace

void DeleteDuplicate(QStringList& list) {
  std::stable_sort(list.begin(), list.end(),
                   [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  list.erase(std::unique(list.begin(), list.end(),
                         [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }),
             list.end());
}

void CreateProductCleanedList(CatalogRun& run) {
  XmlDocument dump;
  dump.load(run.paths().ORGPath + QStringLiteral("ORG_Product.xml"));
  RemoveListedAssets(dump, kDeleteList);
  run.produce(run.paths().ORGPath + QStringLiteral("Product.xml"), dump);
}

void CreateProductShortList(CatalogRun& run) {
  const WorkspacePaths& paths = run.paths();
  const TextTable& texts = run.texts();
  XmlDocument dump;
  run.loadProduced(dump, paths.ORGPath + QStringLiteral("Product.xml"));
  QStringList newXml{QStringLiteral("<Products>")};
  QStringList iconList;
  QString guid, icon, category, dlc;

  int number = 0;
  for (pugi::xml_node asset : AssetsOf(dump)) {
    guid = GuidOf(asset, ++number, dump.path());
    if (pugi::xml_node file = ChildPath(asset, {"Values", "Standard", "IconFilename"})) {
      icon = IconBaseName(TextOf(file));
      if (guid == kSugar) icon = QStringLiteral("icon_sugar");
    }
    const QString name = NameOf(texts, guid);
    pugi::xml_node dependency = ChildPath(asset, {"Values", "Locked", "DLCDependency"});
    dlc = dependency ? TextOf(dependency) : QString();
    if (pugi::xml_node cat = ChildPath(asset, {"Values", "Product", "ProductCategory"})) {
      category = GameCategoryToGroup(TextOf(cat), guid);
    }
    iconList << icon;
    newXml << ProductRow(guid, name, icon, category, dlc, dump.path(), texts);
  }

  // Ammunition: no category of its own, the DLC of the last good of the main pass.
  XmlDocument ammunition;
  ammunition.load(paths.ORGPath + QStringLiteral("Product_Ammunition.xml"));
  number = 0;
  for (pugi::xml_node asset : AssetsOf(ammunition)) {
    guid = GuidOf(asset, ++number, ammunition.path());
    if (pugi::xml_node file = ChildPath(asset, {"Values", "Standard", "IconFilename"})) {
      icon = IconBaseName(TextOf(file));
    }
    iconList << icon;
    newXml << ProductRow(guid, NameOf(texts, guid), icon, QString(), dlc, ammunition.path(), texts);
  }
  newXml << QStringLiteral("</Products>");
  ProduceXmlLines(run, ProductsFilePath(paths.XMLPath), newXml);

  DeleteDuplicate(iconList);
  run.produce(paths.TMPPath + QStringLiteral("ItemsIconList.txt"), JoinLinesCrLf(iconList));
  CopyIcons(run, iconList);
}

void CreateSelectList(CatalogRun& run) {
  static const char* const kGroups[][2] = {
      {"11701", "Bodenschätze"},     {"11702", "Rohstoff"},          {"11703", "Zwischenprodukt"},
      {"11704", "Markt"},            {"11705", "Baumaterial"},       {"410042", "Die Passage"},
      {"410071", "Land der Löwen"},  {"410084", "Reisezeit"},        {"410085", "Dächer der Stadt"},
      {"24961", "Keim der Hoffnung"}, {"24962", "Reich der Lüfte"}, {"24963", "Aufstieg der neuen Welt"}};
  QStringList lines{QStringLiteral("<Sessions>")};
  for (const auto& group : kGroups) {
    lines << QStringLiteral("<Session GUID=\"%1\" Name=\"%2\"/>")
                 .arg(QString::fromUtf8(group[0]), QString::fromUtf8(group[1]));
  }
  lines << QStringLiteral("</Sessions>");
  ProduceXmlLines(run, SessionsFilePath(run.paths().XMLPath), lines);
}

void CreatePropertyList(CatalogRun& run) {
  QStringList lines{QStringLiteral("<Properties>"),
                    QStringLiteral("<Property Name=\"2000502260\"/>"),
                    QStringLiteral("<Property Name=\"ProductAmount\" Value=\"25\"/>"),
                    QStringLiteral("<Property Name=\"ProductCycle\" Value=\"1\"/>"),
                    QStringLiteral("<Property Name=\"Trade\" Value=\"false\"/>"),
                    QStringLiteral("<Property Name=\"Chamber\" Value=\"false\"/>")};
  for (const QString& item : ItemGuids()) {
    lines << QStringLiteral("<Property Name=\"%1\" GUID=\"%2\"/>").arg(item, kDefaultTarget);
  }
  lines << QStringLiteral("</Properties>");
  ProduceXmlLines(run, PropertyFilePath(run.paths().XMLPath), lines);
}

void CreateBlankItemLists(CatalogRun& run) {
  for (const QString& item : ItemGuids()) {
    ProduceXmlLines(run, ItemListPath(run.paths().XMLPath, item), {QStringLiteral("<Products/>")});
  }
}

}  // namespace bw
