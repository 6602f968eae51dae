#include <gtest/gtest.h>

#include <QDir>

#include "catalog/catalog.h"
#include "tests/catalog/catalogfolder.h"

using namespace bw;
using test::CatalogFolder;
using test::ReadBytes;
using test::WriteBytes;
using test::Good;
using test::ProductDump;
using test::TextDump;

namespace {

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
  run.writeOutputs();
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
    DeleteDuplicate(c.in);
    EXPECT_EQ(c.in, c.out);
  }
}

TEST(ProductCatalog, FixedFilesAreWrittenAsShipped) {
  CatalogFolder f;
  CatalogRun run(f.paths, f.icons);
  CreateSelectList(run);
  CreatePropertyList(run);
  CreateBlankItemLists(run);
  run.writeOutputs();
  const QString golden = QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/golden/");
  EXPECT_EQ(f.xml("Sessions.xml"), ReadBytes(golden + "Sessions.xml"));
  EXPECT_EQ(f.xml("Property.xml"), ReadBytes(golden + "Property.xml"));
  for (const char* item : {"2000502230", "2000502232", "2000502234", "2000502236", "2000502238", "2000502240"}) {
    EXPECT_EQ(f.xml(QString::fromLatin1(item) + ".xml"), "<Products/>\r\n") << item;
  }
}
