#include <gtest/gtest.h>

#include <QFile>

#include "catalog/catalog.h"
#include "tests/catalog/catalogfolder.h"
#include "workspace/error.h"
#include "workspace/xmldoc.h"

using namespace bw;
using test::CatalogFolder;
using test::El;
using test::ReadBytes;
using test::TextDump;
using test::WriteBytes;

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
  run.writeOutputs();
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

// Template buildings that share a GUID take the buildings derived from it once: the lists
// grow with the dump, not with the square of a repeated GUID.
TEST(BuildingCatalog, ARepeatedTemplateGuidTakesItsDerivedBuildingsOnce) {
  CatalogFolder f;
  WriteBuildingDumps(f,
                     {{"FarmBuilding", "7"}, {"FarmBuilding", "7"}, {"<7", "8"}, {"FarmBuilding", "7"}, {"<7", "9"}});
  RunBuildingSteps(f);
  EXPECT_EQ(f.tmp("GUIDS.txt"), "7\r\n7\r\n7\r\n");
  const QByteArray none = Target("7", "", "nicht erforderlich", 1);
  EXPECT_EQ(f.xml("Target.xml"), TargetFile({none, none, none, Target("8", "", "nicht erforderlich", 1),
                                             Target("9", "", "nicht erforderlich", 1)}));
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

// Only elements count: an asset written in a comment, a CDATA section or an attribute is text,
// and a template below some other element of an asset is not the asset's template.
TEST(BuildingCatalog, AssetMarkupThatIsNoElementIsNoAsset) {
  CatalogFolder f;
  WriteBuildingDumps(f, {{"FarmBuilding", "10", "Farm", "p/icon_f.png"}, {"<10", "11"}});
  const QByteArray fake = "<Asset><Template>FarmBuilding</Template><Values><Standard><GUID>66</GUID></Standard>"
                          "</Values></Asset><Asset><BaseAssetGUID>10</BaseAssetGUID></Asset>";
  QByteArray assets = ReadBytes(f.paths.ORGPath + "Assets.xml");
  assets.replace("<Groups>", "<Groups><!-- " + fake + " --><Note><![CDATA[" + fake + "]]></Note><Note Text=\"" +
                                 QByteArray(fake).replace("<", "&lt;") + "\"/><Asset><Values><Template>FarmBuilding"
                                 "</Template><Standard><GUID>67</GUID></Standard></Values></Asset>");
  f.org("Assets.xml", assets);
  RunBuildingSteps(f);
  EXPECT_EQ(f.tmp("GUIDS.txt"), "10\r\n");
  EXPECT_EQ(f.xml("Target.xml"), TargetFile({Target("10", "", "icon_f", 1), Target("11", "", "icon_f", 1)}));
}
