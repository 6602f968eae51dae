#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QSet>

#include "tests/testsupport.h"
#include "workspace/xmldoc.h"

using namespace bw;

namespace {

// The rows of a catalogue file, each as its attribute values in file order.
QList<QStringList> Rows(const QString& file) {
  XmlDocument doc;
  EXPECT_TRUE(doc.load(test::ShippedWorkspace() + file));
  QList<QStringList> rows;
  for (pugi::xml_node n : doc.pugi().document_element().children()) {
    QStringList values;
    for (pugi::xml_attribute a : n.attributes()) values << QString::fromUtf8(a.value());
    rows << values;
  }
  return rows;
}

QMap<QString, int> CountBy(const QList<QStringList>& rows, int column) {
  QMap<QString, int> counts;
  for (const QStringList& r : rows) counts[r.value(column)]++;
  return counts;
}

QSet<QString> Column(const QList<QStringList>& rows, int column) {
  QSet<QString> values;
  for (const QStringList& r : rows) values << r.value(column);
  return values;
}

QByteArray Shipped(const QString& file) { return test::ReadBytes(test::ShippedWorkspace() + file); }

QByteArray Golden(const QString& file) { return test::ReadBytes(QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/golden/") + file); }

}  // namespace

TEST(ShippedCatalogue, ProductsHaveTheirCountsGroupsAndPictures) {
  const QList<QStringList> rows = Rows(QStringLiteral("Products.xml"));
  ASSERT_EQ(rows.size(), 191);
  EXPECT_EQ(Column(rows, 0).size(), 191);  // GUIDs unique
  const QMap<QString, int> categories{{"11701", 13}, {"11702", 58}, {"11703", 32}, {"11704", 63},
                                      {"11705", 11}, {"135875", 2}, {"4333", 5},   {"", 7}};
  EXPECT_EQ(CountBy(rows, 3), categories);
  const QMap<QString, int> dlcs{{"", 95},      {"24961", 4},   {"24962", 9},   {"24963", 27},
                                {"410042", 14}, {"410071", 28}, {"410084", 4}, {"410085", 10}};
  EXPECT_EQ(CountBy(rows, 4), dlcs);

  const QList<QStringList> telling = {
      {"1010017", "Münzen", "icon_resource_money_4", "", ""},   {"1010190", "Einfluss", "icon_influence", "", ""},
      {"1010192", "Getreide", "icon_cereals_2", "11702", ""},   {"1010196", "Bretter", "icon_wooden_planks", "11705", ""},
      {"1010239", "Zucker", "icon_sugar", "11703", ""},         {"112694", "Rentierfleisch", "icon_reindeer_meat", "11702", "410042"},
      {"24807", "Mist", "icon_dung", "135875", "24961"},        {"535", "Lokale Post", "icon_letter_normal", "4333", "24962"},
      {"5398", "Erze", "icon_minerals", "11701", "24963"},      {"846", "Bomben", "icon_dropgood_bomb_b", "", "24963"}};
  for (const QStringList& t : telling) EXPECT_TRUE(rows.contains(t)) << t.join('|').toStdString();
  EXPECT_EQ(rows[0][0], QStringLiteral("1010017"));
  EXPECT_EQ(rows[1][0], QStringLiteral("1010190"));
  QStringList lastFive;
  for (int i = 186; i < 191; ++i) lastFive << rows[i][0] + QLatin1Char(' ') + rows[i][1];
  EXPECT_EQ(lastFive, QStringList({"846 Bomben", "847 Seeminen", "848 Flugblätter", "849 Hilfspakete", "850 Löschwasser"}));

  // Every icon has a product picture in the window's image collection.
  for (const QString& icon : Column(rows, 2)) {
    EXPECT_TRUE(icon.startsWith(QLatin1String("icon_")) &&
                QFile::exists(QStringLiteral(BRENNWICK_SOURCE_DIR "/resources/art/collection/") + icon + ".png"))
        << icon.toStdString();
  }
}

TEST(ShippedCatalogue, TargetsKeepTheirHandWrittenLayoutAndRegions) {
  const QByteArray bytes = Shipped(QStringLiteral("Target.xml"));
  ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Targets>\r\n"));
  EXPECT_TRUE(bytes.endsWith("\r\n</Targets>\r\n"));
  const QList<QByteArray> lines = bytes.mid(3).chopped(1).split('\n');
  for (const QByteArray& line : lines) EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
  for (const QByteArray& line : lines.mid(2, lines.size() - 3)) {
    EXPECT_TRUE(line.startsWith("\t<Target GUID=\"") && line.contains("\"  Region=\"Region")) << line.toStdString();
  }

  const QList<QStringList> rows = Rows(QStringLiteral("Target.xml"));
  ASSERT_EQ(rows.size(), 134);
  EXPECT_EQ(Column(rows, 0).size(), 134);
  const QMap<QString, int> regions{{"Region1", 50}, {"Region2", 43}, {"Region3", 16}, {"Region4", 25}};
  EXPECT_EQ(CountBy(rows, 3), regions);
  EXPECT_EQ(rows.first(), QStringList({"1010278", "Fischerei", "icon_fish", "Region1"}));
  EXPECT_EQ(rows.last(), QStringList({"101260", "Holzfällerhütte", "icon_wood_log", "Region2"}));
  for (const QStringList& t : QList<QStringList>{{"100451", "Sägewerk", "icon_wooden_planks", "Region1"},
                                                 {"118725", "Keramikwerkstatt", "icon_ceramics", "Region4"},
                                                 {"112680", "Schlittenstation", "icon_sled", "Region3"},
                                                 {"112690", "Gasförderstätte", "icon_gas_red", "Region3"},
                                                 {"835", "Alu-Schmelzhütte", "icon_aluminium", "Region2"}}) {
    EXPECT_TRUE(rows.contains(t)) << t.join('|').toStdString();
  }
  int zeroWidth = 0;
  for (const QStringList& r : rows) zeroWidth += r[1].contains(QStringLiteral("-\u200B")) ? 1 : 0;
  EXPECT_EQ(zeroWidth, 7);
  const QSet<QString> productIcons = Column(Rows(QStringLiteral("Products.xml")), 2);
  for (const QString& icon : Column(rows, 2)) EXPECT_TRUE(productIcons.contains(icon)) << icon.toStdString();
}

TEST(ShippedCatalogue, FixedFilesAreExactlyAsWritten) {
  EXPECT_EQ(Shipped(QStringLiteral("Sessions.xml")), Golden(QStringLiteral("Sessions.xml")));
  EXPECT_EQ(Shipped(QStringLiteral("Property.xml")), Golden(QStringLiteral("Property.xml")));
  for (const char* item : {"2000502230", "2000502232", "2000502234", "2000502236", "2000502238", "2000502240"}) {
    EXPECT_EQ(Shipped(QString::fromLatin1(item) + ".xml"), QByteArray("<Products/>\r\n")) << item;
  }
  const QByteArray info = Shipped(QStringLiteral("Info.txt"));
  EXPECT_EQ(info.size(), 1753);
  EXPECT_FALSE(info.startsWith("\xEF\xBB\xBF"));
  EXPECT_FALSE(info.endsWith('\n'));
  const QList<QByteArray> lines = info.split('\n');
  EXPECT_EQ(lines.size(), 13);
  EXPECT_EQ(info.count("\r\n"), 12);
  EXPECT_EQ(info.count("\r\n\r\n"), 5);  // six paragraphs
}
