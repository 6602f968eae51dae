#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include "catalog/catalog.h"
#include "tests/testsupport.h"
#include "workspace/error.h"
#include "workspace/xmldoc.h"

using namespace bw;
using test::ReadBytes;
using test::WriteBytes;

namespace {

const QString kFixtureOrg = QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/fixtures/catalog/ORG/");

// A program folder with empty ORG, TMP, ICO and XMLK and a developer icon folder beside them.
struct CatalogFolder {
  test::ProgramFolder dir{false};
  WorkspacePaths paths = WorkspacePaths::FromProgramFolder(dir.path());
  QString icons = dir.path() + QStringLiteral("icons/");

  CatalogFolder() {
    for (const QString& folder : {paths.ORGPath, paths.TMPPath, paths.ICOPATH, paths.XMLPath, icons}) {
      QDir().mkpath(folder);
    }
  }
  void org(const QString& name, const QByteArray& bytes) const { WriteBytes(paths.ORGPath + name, bytes); }
  QByteArray tmp(const QString& name) const { return ReadBytes(paths.TMPPath + name); }
  QByteArray xml(const QString& name) const { return ReadBytes(paths.XMLPath + name); }
  void copyFixture() const {
    for (const QString& name : QDir(kFixtureOrg).entryList(QDir::Files)) {
      WriteBytes(paths.ORGPath + name, ReadBytes(kFixtureOrg + name));
    }
  }
};

// One element, or nothing when the value is absent.
QByteArray El(const char* name, const char* value) {
  if (!value) return {};
  return QByteArray("<") + name + ">" + XmlEscape(QString::fromUtf8(value)).toUtf8() + "</" + name + ">";
}

struct Good {
  const char* guid;
  const char* icon = nullptr;  // IconFilename
  const char* category = nullptr;
  const char* dlc = nullptr;
};

QByteArray ProductDump(const std::vector<Good>& goods) {
  QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Assets>\n";
  for (const Good& g : goods) {
    xml += "<Asset><Template>Product</Template><Values><Standard>" + El("GUID", g.guid) +
           El("IconFilename", g.icon) + "</Standard>";
    if (g.dlc) xml += "<Locked>" + El("DLCDependency", g.dlc) + "</Locked>";
    if (g.category) xml += "<Product>" + El("ProductCategory", g.category) + "</Product>";
    xml += "</Values></Asset>\n";
  }
  return xml + "</Assets>\n";
}

QByteArray TextDump(const std::vector<std::pair<const char*, const char*>>& texts) {
  QByteArray xml = "<TextExport><Texts>";
  for (const auto& [guid, text] : texts) xml += "<Text>" + El("GUID", guid) + El("Text", text) + "</Text>";
  return xml + "</Texts></TextExport>";
}

// The workspace layout of a file of rows: one TAB-indented row per line, CR LF.
QByteArray Rows(const char* root, const std::vector<QByteArray>& rows) {
  if (rows.empty()) return QByteArray("<") + root + "/>\r\n";
  QByteArray out = QByteArray("<") + root + ">\r\n";
  for (const QByteArray& row : rows) out += "\t" + row + "\r\n";
  return out + "</" + root + ">\r\n";
}

QByteArray Row(const char* guid, const char* name, const char* icon, const char* category, const char* dlc) {
  return QStringLiteral("<Product GUID=\"%1\" Name=\"%2\" Icon=\"%3\" Category=\"%4\" DLC=\"%5\"/>")
      .arg(QString::fromUtf8(guid), QString::fromUtf8(name), QString::fromUtf8(icon), QString::fromUtf8(category),
           QString::fromUtf8(dlc))
      .toUtf8();
}

void RunProductSteps(const CatalogFolder& f) {
  CatalogRun run(f.paths, f.icons);
  CreateProductCleanedList(run);
  CreateProductShortList(run);
}

}  // namespace

TEST(ProductCatalog, RowsFollowTheRulesOfTheMainAndAmmunitionPass) {
  struct Case {
    const char* what;
    std::vector<Good> goods;
    std::vector<Good> ammunition;
    std::vector<std::pair<const char*, const char*>> texts;
    std::vector<QByteArray> rows;
  } cases[] = {
      {"a delete-list GUID present twice loses only its first asset; an absent one changes nothing; "
       "the first asset without icon and category gets empty values",
       {{"1010052", "a/icon_first.png", "11702"}, {"999"}, {"1010052", "a/icon_second.png", "11703"}},
       {},
       {},
       {Row("999", "no german", "", "", ""), Row("1010052", "no german", "icon_second", "11703", "")}},
      {"names: <br/> in any case removed, ':' becomes a blank, no text gives 'no german', values escaped",
       {{"1", "i.png"}, {"2"}, {"3"}, {"4"}, {"5"}},
       {},
       {{"1", "Schwere<BR/> Geschütze"}, {"2", "a<br/>b:c"}, {"3", "X<Br/>:<bR/>Y"}, {"5", "Salz & \"Pfeffer\""}},
       {Row("1", "Schwere Geschütze", "i", "", ""), Row("2", "ab c", "i", "", ""), Row("3", "X Y", "i", "", ""),
        Row("4", "no german", "i", "", ""), Row("5", "Salz &amp; &quot;Pfeffer&quot;", "i", "", "")}},
      {"icon: base name without folder (either slash) or extension; the sugar rule only with an IconFilename",
       {{"100", "data/ui/icon_a.png"}, {"1010239"}, {"1010239", "data\\ui\\icon_sugar_raw.png"}, {"101", "x/icon.b.png"}},
       {},
       {},
       {Row("100", "no german", "icon_a", "", ""), Row("1010239", "no german", "icon_a", "", ""),
        Row("1010239", "no german", "icon_sugar", "", ""), Row("101", "no german", "icon.b", "", "")}},
      {"categories: game groups folded, 11707 ends as 11705, minerals become 11701 only with a ProductCategory",
       {{"1", "i", "11705"},
        {"2", "i", "11706"},
        {"3", "i", "11708"},
        {"4", "i", "11709"},
        {"5", "i", "11710"},
        {"6", "i", "11707"},
        {"7", "i", "135875"},
        {"836", "i", "11702"},
        {"5398", "i", "11707"},
        {"8", "i", "4333"},
        {"840", "i"}},
       {},
       {},
       {Row("1", "no german", "i", "11704", ""), Row("2", "no german", "i", "11704", ""),
        Row("3", "no german", "i", "11704", ""), Row("4", "no german", "i", "11704", ""),
        Row("5", "no german", "i", "11704", ""), Row("6", "no german", "i", "11705", ""),
        Row("7", "no german", "i", "135875", ""), Row("836", "no german", "i", "11701", ""),
        Row("5398", "no german", "i", "11701", ""), Row("8", "no german", "i", "4333", ""),
        Row("840", "no german", "i", "4333", "")}},
      {"icon and category carry over from the asset before, the DLC does not",
       {{"1", "p/icon_a.png", "11702", "24961"}, {"2"}, {"3", "p/icon_b.png", nullptr, "410042"}, {"4", nullptr, "11703"}},
       {},
       {},
       {Row("1", "no german", "icon_a", "11702", "24961"), Row("2", "no german", "icon_a", "11702", ""),
        Row("3", "no german", "icon_b", "11702", "410042"), Row("4", "no german", "icon_b", "11703", "")}},
      {"ammunition: empty category, the DLC of the last good, own icon or the one before, no sugar rule",
       {{"1", "p/icon_a.png", "11702", "24961"}, {"2", "p/icon_b.png", "11703", "24963"}},
       {{"846", "p/icon_bomb.png", "11702", "410042"}, {"847"}, {"1010239", "p/icon_raw.png"}},
       {{"846", "Bom<br/>ben:"}},
       {Row("1", "no german", "icon_a", "11702", "24961"), Row("2", "no german", "icon_b", "11703", "24963"),
        Row("846", "Bomben ", "icon_bomb", "", "24963"), Row("847", "no german", "icon_bomb", "", "24963"),
        Row("1010239", "no german", "icon_raw", "", "24963")}},
      {"empty dumps give <Products/>", {}, {}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CatalogFolder f;
    f.org("ORG_Product.xml", ProductDump(c.goods));
    f.org("Product_Ammunition.xml", ProductDump(c.ammunition));
    f.org("texts_german.xml", TextDump(c.texts));
    RunProductSteps(f);
    EXPECT_EQ(f.xml("Products.xml"), Rows("Products", c.rows));
  }
}

TEST(ProductCatalog, IconsAreListedOnceCopiedOverOldCopiesAndMissingOnesReported) {
  CatalogFolder f;
  f.org("ORG_Product.xml", ProductDump({{"1", "p/icon_b.png"}, {"2", "p/icon_a.png"}, {"3", "p\\Icon_A.png"},
                                        {"4", "p/icon_oil_lamps.png"}, {"5", "p/icon_oilx.png"}}));
  f.org("Product_Ammunition.xml", ProductDump({{"846", "p/icon_b.png"}}));
  f.org("texts_german.xml", TextDump({}));
  WriteBytes(f.icons + "icon_a_0.png", "new picture");
  WriteBytes(f.icons + "icon_oilx_0.png", "oil");
  WriteBytes(f.icons + "icon_b.png", "wrong name");
  WriteBytes(f.paths.ICOPATH + "icon_a.png", "old picture");

  RunProductSteps(f);

  EXPECT_EQ(f.tmp("ItemsIconList.txt"), "icon_a\r\nicon_b\r\nicon_oil_lamps\r\nicon_oilx\r\n");
  EXPECT_EQ(f.tmp("ItemIconErrorlist.txt"), "icon_b_0.png\r\nicon_oil_lamps_0.png\r\n");
  EXPECT_EQ(ReadBytes(f.paths.ICOPATH + "icon_a.png"), "new picture");
  EXPECT_EQ(ReadBytes(f.paths.ICOPATH + "icon_oilx.png"), "oil");
  EXPECT_EQ(QDir(f.paths.ICOPATH).entryList(QDir::Files), QStringList({"icon_a.png", "icon_oilx.png"}));
}

TEST(ProductCatalog, DeleteDuplicateSortsAndKeepsOneOfEachNameWithoutRegardToCase) {
  struct Case {
    QStringList in, out;
  } cases[] = {
      {{}, {}},
      {{"b", "A", "a", "B", "c"}, {"A", "b", "c"}},
      {{"icon_oilx", "icon_oil_lamps", "icon_oil"}, {"icon_oil", "icon_oil_lamps", "icon_oilx"}},
      {{"x", "x", "x"}, {"x"}},
  };
  for (Case c : cases) {
    EXPECT_TRUE(DeleteDuplicate(c.in));
    EXPECT_EQ(c.in, c.out);
  }
}

TEST(ProductCatalog, FixedFilesAreWrittenAsShipped) {
  CatalogFolder f;
  CatalogRun run(f.paths, f.icons);
  CreateSelectList(run);
  CreatePropertyList(run);
  CreateBlankItemLists(run);
  const QString golden = QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/golden/");
  EXPECT_EQ(f.xml("Sessions.xml"), ReadBytes(golden + "Sessions.xml"));
  EXPECT_EQ(f.xml("Property.xml"), ReadBytes(golden + "Property.xml"));
  for (const char* item : {"2000502230", "2000502232", "2000502234", "2000502236", "2000502238", "2000502240"}) {
    EXPECT_EQ(f.xml(QString::fromLatin1(item) + ".xml"), "<Products/>\r\n") << item;
  }
}

namespace {

struct Building {
  const char* source;  // template name, or "<" and the base asset's GUID
  const char* guid;
  const char* name = nullptr;  // Values/Standard/Name
  const char* icon = nullptr;
  const char* regions = nullptr;  // Values/Building/AssociatedRegions
};

// Buildings spread over two groups, as deep below the root as in the game's dump.
QByteArray AssetDump(const std::vector<Building>& buildings) {
  QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<AssetList><Groups>";
  for (size_t i = 0; i < buildings.size(); ++i) {
    const Building& b = buildings[i];
    if (i % 3 == 0) xml += i ? "</Assets></Group><Group><Assets>" : "<Group><Assets>";
    xml += "<Asset>";
    xml += b.source[0] == '<' ? El("BaseAssetGUID", b.source + 1) : El("Template", b.source);
    xml += "<Values><Standard>" + El("GUID", b.guid) + El("Name", b.name) + El("IconFilename", b.icon) + "</Standard>";
    if (b.regions) xml += "<Building>" + El("AssociatedRegions", b.regions) + "</Building>";
    xml += "</Values></Asset>\n";
  }
  if (!buildings.empty()) xml += "</Assets></Group>";
  return xml + "</Groups></AssetList>\n";
}

const QByteArray kNewXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Buildings/>\r\n";

QByteArray Target(const char* guid, const char* name, const char* icon, int region) {
  return QStringLiteral("\t<Target GUID=\"%1\" Name=\"%2\" Icon=\"%3\"  Region=\"Region%4\"/>\r\n")
      .arg(QString::fromUtf8(guid), QString::fromUtf8(name), QString::fromUtf8(icon))
      .arg(region)
      .toUtf8();
}

QByteArray TargetFile(const std::vector<QByteArray>& rows) {
  QByteArray out = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Targets>\r\n";
  for (const QByteArray& row : rows) out += row;
  return out + "</Targets>\r\n";
}

void WriteBuildingDumps(const CatalogFolder& f, const std::vector<Building>& buildings,
                        const std::vector<std::pair<const char*, const char*>>& texts = {}) {
  f.org("Assets.xml", AssetDump(buildings));
  f.org("new.xml", kNewXml);
  f.org("texts_german.xml", TextDump(texts));
}

void RunBuildingSteps(const CatalogFolder& f) {
  CatalogRun run(f.paths, f.icons);
  CreateBuildingsListBasedOnTemplates(run);
  CreateBuildingsListBasedOnBaseGUID(run);
  CompareTemplateAndBaseAssetBuildings(run);
  CleanBuildingsFullList(run);
  CreateBuildingsShortLists(run);
}

}  // namespace

TEST(BuildingCatalog, TemplateBuildingsComeFirstThenDerivedOnesInGuidsOrder) {
  CatalogFolder f;
  WriteBuildingDumps(f, {
      {"FarmBuilding", "10", "Moderate Farm", "p/icon_f.png", "Moderate"},
      {"FactoryBuilding7", nullptr},  // no Values/Standard at all: see below
      {"<10", "11", "Moderate Farm B", nullptr, "Moderate"},
      {"FactoryBuilding7", "20", "Colony01 Mill", "p\\icon_g.png", "Colony01"},
      {"<20", "21", "Colony01 Mill B", nullptr, "Colony01"},
      {"<10", "12", "Moderate Farm C", nullptr, "Moderate"},
      {"Residence7", "30", "Moderate House", "p/icon_h.png", "Moderate"},
      {"<30", "31", "Moderate House B", nullptr, "Moderate"},
      {"FreeAreaBuilding_Arctic", "40", "Arctic Mine", "p/icon_m.png", "Arctic"},
  });
  // A template asset without "Values/Standard" is neither collected nor listed.
  QByteArray assets = ReadBytes(f.paths.ORGPath + "Assets.xml");
  assets.replace("<Values><Standard></Standard></Values>", "<Values><Building/></Values>");
  f.org("Assets.xml", assets);

  RunBuildingSteps(f);

  EXPECT_EQ(f.tmp("GUIDS.txt"), "20\r\n10\r\n40\r\n");
  EXPECT_EQ(f.xml("Target.xml"), TargetFile({Target("20", "", "icon_g", 2), Target("10", "", "icon_f", 1),
                                             Target("40", "", "icon_m", 3), Target("21", "", "icon_g", 2),
                                             Target("11", "", "icon_f", 1), Target("12", "", "icon_f", 1)}));
  XmlDocument merged;
  ASSERT_TRUE(merged.load(f.paths.TMPPath + "Buildings_Full_List.xml"));
  EXPECT_EQ(merged.root().name(), "Buildings");
  EXPECT_EQ(merged.root().childCount(), 6);
}

TEST(BuildingCatalog, EmptyCollectionsStillMerge) {
  struct Case {
    const char* what;
    std::vector<Building> buildings;
    std::vector<QByteArray> rows;
  } cases[] = {
      {"no building at all", {{"Residence7", "30", "House", "p/icon_h.png"}}, {}},
      {"no derived building", {{"FarmBuilding", "10", "Farm", "p/icon_f.png"}}, {Target("10", "", "icon_f", 1)}},
      {"derived buildings only of other assets", {{"Residence7", "30"}, {"<30", "31"}, {"FarmBuilding", "10"}},
       {Target("10", "", "nicht erforderlich", 1)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CatalogFolder f;
    WriteBuildingDumps(f, c.buildings);
    RunBuildingSteps(f);
    EXPECT_EQ(f.xml("Target.xml"), TargetFile(c.rows));
    XmlDocument merged;
    EXPECT_TRUE(merged.load(f.paths.TMPPath + "Buildings_Full_List.xml"));
    EXPECT_EQ(merged.root().childCount(), int(c.rows.size()));
  }
}

TEST(BuildingCatalog, IconsAndNamesFollowTheirRulesAndFixedTables) {
  struct Case {
    Building building;
    const char* name;
    const char* icon;
  } cases[] = {
      {{"FactoryBuilding7", "100", nullptr, "data/ui/icon_x.png", "Moderate"}, "Sägewerk", "icon_x"},
      {{"FactoryBuilding7", "101296", nullptr, "data\\icon_marquetry_workshop.png", "Colony01"}, "", "icon_inlay"},
      {{"FactoryBuilding7", "1010561", nullptr, nullptr, "Moderate"}, "", "icon_oil"},
      {{"FactoryBuilding7", "200", nullptr, nullptr, "Moderate"}, "", "nicht erforderlich"},
      {{"FactoryBuilding7", "835", nullptr, "p/icon_aluminium.png", "Colony01"}, "Alu-Schmelzhütte", "icon_aluminium"},
      {{"FreeAreaBuilding_Arctic", "112690", nullptr, "p/icon_gas_red.png", "Arctic"}, "Gasförderstätte", "icon_gas_red"},
      {{"FactoryBuilding7_Arctic", "112680", nullptr, "p/icon_sled.png", "Arctic"}, "Schlittenstation", "icon_sled"},
      {{"FarmBuilding", "300", nullptr, "p/icon_y.png", "Moderate"}, "A&lt;br/&gt;B &amp; C", "icon_y"},
      {{"<100", "101261", nullptr, "p/icon_wood_log.png", "Colony01"}, "", "icon_wooden_planks"},
      {{"<100", "301", nullptr, nullptr, "Moderate"}, "", "icon_x"},
      {{"<200", "302", nullptr, nullptr, "Moderate"}, "", "nicht erforderlich"},
  };
  std::vector<Building> buildings;
  std::vector<QByteArray> rows;
  for (const Case& c : cases) {
    buildings.push_back(c.building);
    const int region = QByteArray(c.building.regions) == "Moderate" ? 1 : QByteArray(c.building.regions) == "Arctic" ? 3 : 2;
    rows.push_back(Target(c.building.guid, c.name, c.icon, region));
  }
  // Template buildings by template (FarmBuilding before the arctic ones), then the derived.
  rows = {rows[0], rows[1], rows[2], rows[3], rows[4], rows[7], rows[6], rows[5], rows[8], rows[9], rows[10]};
  CatalogFolder f;
  WriteBuildingDumps(f, 
      buildings, {{"100", "Sägewerk"}, {"835", "Aluminium-Schmelzhütte"}, {"112680", "Schlitten"}, {"300", "A<br/>B & C"}});
  RunBuildingSteps(f);
  EXPECT_EQ(f.xml("Target.xml"), TargetFile(rows));
}

TEST(BuildingCatalog, RegionsFollowTheRulesLaterMatchesWinning) {
  struct Case {
    const char* regions;  // AssociatedRegions, or none
    const char* name;     // internal name, or none (the one before stays)
    int region;
  } cases[] = {
      {"Moderate", "Colony02 Mill", 1},
      {"COLONY01", nullptr, 2},
      {"colony01;Arctic", nullptr, 3},
      {"Colony02", nullptr, 4},
      {"Africa", nullptr, 4},
      {"Colony", "Colony01 Mill", 1},  // with AssociatedRegions only "colony01" counts
      {"", "Arctic Mill", 1},
      {nullptr, "Colony01 Sawmill", 2},
      {nullptr, "colony02 tea house", 4},
      {nullptr, nullptr, 4},  // keeps the name of the building before
      {nullptr, "ARCTIC lodge", 3},
      {nullptr, "Moderate Mill", 1},
      {nullptr, "Africa Squid Fishery", 4},
  };
  std::vector<Building> buildings;
  std::vector<QByteArray> rows;
  QList<QByteArray> guids;
  for (const Case& c : cases) {
    guids << QByteArray::number(500 + int(guids.size()));
    buildings.push_back({"FactoryBuilding7", guids.last().constData(), c.name, "p/i.png", c.regions});
    rows.push_back(Target(guids.last().constData(), "", "i", c.region));
  }
  CatalogFolder f;
  WriteBuildingDumps(f, buildings);
  RunBuildingSteps(f);
  EXPECT_EQ(f.xml("Target.xml"), TargetFile(rows));
}

TEST(BuildingCatalog, DeleteListRemovesOnlyTheFirstMatch) {
  CatalogFolder f;
  WriteBuildingDumps(f, {{"FactoryBuilding7", "24055", "a", "p/icon_first.png", "Moderate"},
                                          {"FactoryBuilding7", "50", "a", "p/icon_keep.png", "Moderate"},
                                          {"FactoryBuilding7", "24055", "a", "p/icon_second.png", "Moderate"},
                                          {"<50", "668", "a", nullptr, "Moderate"}});
  RunBuildingSteps(f);
  EXPECT_EQ(f.xml("Target.xml"),
            TargetFile({Target("50", "", "icon_keep", 1), Target("24055", "", "icon_second", 1)}));
}

TEST(BuildingCatalog, TemplateAssetWithoutGuidEndsTheStepNamingTheFile) {
  CatalogFolder f;
  WriteBuildingDumps(f, {{"FarmBuilding", nullptr, "Farm", "p/icon_f.png"}});
  CatalogRun run(f.paths, f.icons);
  try {
    CreateBuildingsListBasedOnTemplates(run);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains(f.paths.ORGPath + "Assets.xml")) << e.message().toStdString();
    EXPECT_TRUE(e.message().contains("Values/Standard/GUID"));
  }
  EXPECT_FALSE(QFile::exists(f.paths.TMPPath + "GUIDS.txt"));
}

namespace {

const char* const kShippedCatalogue[] = {"Products.xml",   "Sessions.xml",   "Property.xml",   "Target.xml",
                                         "2000502230.xml", "2000502232.xml", "2000502234.xml", "2000502236.xml",
                                         "2000502238.xml", "2000502240.xml"};

QString RunCaught(const CatalogFolder& f) {
  try {
    RunCatalog(f.paths, f.icons, {});
  } catch (const Error& e) {
    return e.message();
  }
  return {};
}

}  // namespace

TEST(CatalogRun, DeveloperDumpsGiveTheShippedCatalogueByteForByte) {
  CatalogFolder f;
  f.copyFixture();
  WriteBytes(f.icons + "icon_sugar_0.png", "sugar");
  WriteBytes(f.icons + "icon_wooden_planks_0.png", "planks");
  QStringList steps;
  RunCatalog(f.paths, f.icons, [&](const QString& step) { steps << step; });

  EXPECT_EQ(steps, QStringList({"CreateProductCleanedList", "CreateProductShortList", "CreateSelectList",
                                "CreatePropertyList", "CreateBuildingsListBasedOnTemplates",
                                "CreateBuildingsListBasedOnBaseGUID", "CompareTemplateAndBaseAssetBuildings",
                                "CleanBuildingsFullList", "CreateBuildingsShortLists", "CreateBlankItemLists"}));
  for (const char* name : kShippedCatalogue) {
    EXPECT_TRUE(f.xml(name) == ReadBytes(test::ShippedWorkspace() + name)) << name;
  }

  // Every icon of the catalogue once, sorted without regard to case; only the two found are copied.
  QStringList icons;
  const QString products = QString::fromUtf8(ReadBytes(test::ShippedWorkspace() + "Products.xml"));
  for (const auto& m : QRegularExpression(" Icon=\"([^\"]*)\"").globalMatch(products)) icons << m.captured(1);
  icons.removeDuplicates();
  std::sort(icons.begin(), icons.end(), [](const QString& a, const QString& b) { return a.toLower() < b.toLower(); });
  EXPECT_EQ(f.tmp("ItemsIconList.txt"), (icons.join("\r\n") + "\r\n").toUtf8());
  EXPECT_EQ(QDir(f.paths.ICOPATH).entryList(QDir::Files), QStringList({"icon_sugar.png", "icon_wooden_planks.png"}));
  EXPECT_EQ(f.tmp("ItemIconErrorlist.txt").count("_0.png\r\n"), icons.size() - 2);
  EXPECT_FALSE(f.tmp("ItemIconErrorlist.txt").contains("icon_sugar_0.png"));
}

TEST(CatalogRun, FailuresNameTheFileAndKeepWhatEarlierStepsWrote) {
  struct Case {
    const char* what;
    std::function<void(const CatalogFolder&)> spoil;
    QString (*message)(const CatalogFolder&);
    std::vector<const char*> rewritten;  // catalogue files the steps before the failure wrote
  } cases[] = {
      {"a missing folder stops the run before anything is written",
       [](const CatalogFolder& f) { QDir(f.paths.TMPPath).removeRecursively(); },
       [](const CatalogFolder& f) { return QStringLiteral("Der Ordner „%1“ fehlt.").arg(f.paths.TMPPath); },
       {}},
      {"a missing asset dump stops the run at step 5",
       [](const CatalogFolder& f) { QFile::remove(f.paths.ORGPath + "Assets.xml"); },
       [](const CatalogFolder& f) {
         return QStringLiteral("Die Datei „%1“ fehlt oder kann nicht gelesen werden.").arg(f.paths.ORGPath + "Assets.xml");
       },
       {"Products.xml", "Sessions.xml", "Property.xml"}},
      {"a malformed text table stops the run at step 2",
       [](const CatalogFolder& f) { f.org("texts_german.xml", "<TextExport><Texts>"); },
       [](const CatalogFolder& f) { return f.paths.ORGPath + "texts_german.xml"; },
       {}},
      {"a good without GUID stops the run at step 2",
       [](const CatalogFolder& f) { f.org("Product_Ammunition.xml", "<Assets><Asset><Values/></Asset></Assets>"); },
       [](const CatalogFolder& f) {
         return QStringLiteral("Das Asset Nr. 1 in der Datei „%1“ hat kein „Values/Standard/GUID“.")
             .arg(f.paths.ORGPath + "Product_Ammunition.xml");
       },
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CatalogFolder f;
    f.copyFixture();
    for (const char* name : kShippedCatalogue) WriteBytes(f.paths.XMLPath + name, "earlier");
    c.spoil(f);
    const QString message = RunCaught(f);
    EXPECT_TRUE(message.contains(c.message(f))) << message.toStdString();
    for (const char* name : kShippedCatalogue) {
      const bool rewritten = std::find_if(c.rewritten.begin(), c.rewritten.end(), [&](const char* r) {
                               return QByteArray(r) == name;
                             }) != c.rewritten.end();
      EXPECT_EQ(f.xml(name) == ReadBytes(test::ShippedWorkspace() + name), rewritten) << name;
      if (!rewritten) {
        EXPECT_EQ(f.xml(name), "earlier") << name;
      }
    }
  }
}

// An output that is a link to a file elsewhere is replaced by a file of its own; the file
// elsewhere stays as it was. Icon names from the dumps are plain file names in ICO, whatever
// path they came with.
TEST(CatalogRun, NeverWritesThroughALinkNorOutsideItsFolders) {
  CatalogFolder f;
  f.copyFixture();
  f.org("Product_Ammunition.xml",
        ProductDump({{"846", "../../icon_up.png"}, {"847", "/elsewhere/icon_absolute.png"}, {"848", "..\\..\\icon_back.png"}}));
  for (const char* icon : {"icon_sugar", "icon_up", "icon_absolute", "icon_back"}) {
    WriteBytes(f.icons + icon + "_0.png", QByteArray("picture ") + icon);
  }
  const QString outside = f.dir.path() + QStringLiteral("outside/");
  QDir().mkpath(outside);
  struct Link {
    const char* what;
    QString path;
    QByteArray outsideBytes;
  } links[] = {
      {"an icon copy", f.paths.ICOPATH + "icon_sugar.png", "fremd"},
      {"an icon copy whose link shows the picture already", f.paths.ICOPATH + "icon_up.png", "picture icon_up"},
      {"a list in TMP", f.paths.TMPPath + "GUIDS.txt", "fremd"},
      {"a catalogue in XMLK", f.paths.XMLPath + "Products.xml", "fremd"},
  };
  for (const Link& l : links) {
    const QString target = outside + QFileInfo(l.path).fileName();
    WriteBytes(target, l.outsideBytes);
    ASSERT_TRUE(QFile::link(target, l.path)) << l.what;
  }

  RunCatalog(f.paths, f.icons, {});

  for (const Link& l : links) {
    SCOPED_TRACE(l.what);
    EXPECT_EQ(ReadBytes(outside + QFileInfo(l.path).fileName()), l.outsideBytes);
    EXPECT_FALSE(QFileInfo(l.path).isSymLink());
    EXPECT_TRUE(QFileInfo(l.path).isFile());
  }
  EXPECT_EQ(ReadBytes(f.paths.ICOPATH + "icon_sugar.png"), "picture icon_sugar");
  EXPECT_EQ(ReadBytes(f.paths.ICOPATH + "icon_up.png"), "picture icon_up");
  EXPECT_EQ(QDir(f.paths.ICOPATH).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList({"icon_absolute.png", "icon_back.png", "icon_sugar.png", "icon_up.png"}));
  const QStringList listed = QString::fromUtf8(f.tmp("ItemsIconList.txt")).split(QStringLiteral("\r\n"));
  for (const char* icon : {"icon_up", "icon_absolute", "icon_back"}) EXPECT_TRUE(listed.contains(icon)) << icon;
  EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList({"ICO", "icons", "ORG", "outside", "TMP", "XMLK"}));
}

TEST(CatalogCommand, RunsTheStepsAndFailsWithAGermanMessageOnAMissingOrgFolder) {
  const QString command = QStringLiteral(BRENNWICK_BINARY_DIR "/brennwick-catalog");
  ASSERT_TRUE(QFile::exists(command));

  CatalogFolder good;
  good.copyFixture();
  QProcess run;
  run.start(command, {"--icons", good.icons, good.dir.path()});
  ASSERT_TRUE(run.waitForFinished(60000));
  EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
  const QString out = QString::fromUtf8(run.readAllStandardOutput());
  EXPECT_TRUE(out.contains("Schritt 1 von 10: CreateProductCleanedList")) << out.toStdString();
  EXPECT_TRUE(out.contains("Schritt 10 von 10: CreateBlankItemLists")) << out.toStdString();
  EXPECT_EQ(good.xml("Target.xml"), ReadBytes(test::ShippedWorkspace() + "Target.xml"));

  CatalogFolder bad;
  QDir(bad.paths.ORGPath).removeRecursively();
  QProcess fail;
  fail.start(command, {"--icons", bad.icons, bad.dir.path()});
  ASSERT_TRUE(fail.waitForFinished(60000));
  EXPECT_EQ(fail.exitStatus(), QProcess::NormalExit);
  EXPECT_NE(fail.exitCode(), 0);
  const QString err = QString::fromUtf8(fail.readAllStandardError());
  EXPECT_TRUE(err.contains(QStringLiteral("Der Ordner „%1“ fehlt.").arg(bad.paths.ORGPath))) << err.toStdString();
  EXPECT_TRUE(QDir(bad.paths.XMLPath).isEmpty());
}
