#include <gtest/gtest.h>

#include "tests/testsupport.h"
#include "workspace/error.h"
#include "workspace/itemstore.h"

using namespace bw;
using test::ProgramFolder;

namespace {

const ItemProduct kPlanks{"1010196", "Bretter", "icon_wooden_planks"};
const ItemProduct kSugar{"1010239", "Zucker", "icon_sugar"};
const QStringList kItems{"2000502230", "2000502232", "2000502234", "2000502236", "2000502238", "2000502240"};

}  // namespace

TEST(ItemStore, WritesAndReadsAnItemsProductsInOrder) {
  ProgramFolder folder;
  SaveItemContent(folder.xml(), "2000502232", {kPlanks, kSugar, kPlanks});
  EXPECT_EQ(test::ReadBytes(folder.xml("2000502232.xml")),
            QByteArray("<Products>\r\n"
                       "\t<Product GUID=\"1010196\" Name=\"Bretter\" Icon=\"icon_wooden_planks\" ItemGUID=\"2000502232\"/>\r\n"
                       "\t<Product GUID=\"1010239\" Name=\"Zucker\" Icon=\"icon_sugar\" ItemGUID=\"2000502232\"/>\r\n"
                       "\t<Product GUID=\"1010196\" Name=\"Bretter\" Icon=\"icon_wooden_planks\" ItemGUID=\"2000502232\"/>\r\n"
                       "</Products>\r\n"));
  EXPECT_EQ(ReadItemProductList(folder.xml(), "2000502232"), QList<ItemProduct>({kPlanks, kSugar, kPlanks}));

  // An emptied item is the short form again and reads back as no rows.
  SaveItemContent(folder.xml(), "2000502232", {});
  EXPECT_EQ(test::ReadBytes(folder.xml("2000502232.xml")), QByteArray("<Products/>\r\n"));
  EXPECT_TRUE(ReadItemProductList(folder.xml(), "2000502232").isEmpty());

  // A name with characters XML reserves is escaped and survives the round trip.
  const ItemProduct odd{"7", "Fisch & \"Chips\" <frisch>", "icon_fish"};
  SaveItemContent(folder.xml(), "2000502234", {odd});
  EXPECT_EQ(ReadItemProductList(folder.xml(), "2000502234"), QList<ItemProduct>({odd}));
}

TEST(ItemStore, ReadsTheFirstThreeAttributesByPositionWhateverTheirNames) {
  ProgramFolder folder;
  test::WriteBytes(folder.xml("2000502230.xml"),
                   "<Products><!--note--><Product A=\"1\" B=\"Eins\" C=\"icon_one\" D=\"x\" E=\"y\"/></Products>");
  EXPECT_THROW(ReadItemProductList(folder.xml(), "2000502230"), Error);  // a comment is no product row
  test::WriteBytes(folder.xml("2000502230.xml"), "<Products><Product A=\"1\" B=\"Eins\" C=\"icon_one\" D=\"x\" E=\"y\"/></Products>");
  EXPECT_EQ(ReadItemProductList(folder.xml(), "2000502230"), QList<ItemProduct>({{"1", "Eins", "icon_one"}}));
}

TEST(ItemStore, SavePropertiesChangesOnlyItsEightValues) {
  ProgramFolder folder;
  SaveProperties(folder.xml(), "120", "7", {"1", "2", "3", "4", "5", "6"});
  EXPECT_EQ(test::ReadBytes(folder.xml("Property.xml")),
            QByteArray("<Properties>\r\n"
                       "\t<Property Name=\"2000502260\"/>\r\n"
                       "\t<Property Name=\"ProductAmount\" Value=\"120\"/>\r\n"
                       "\t<Property Name=\"ProductCycle\" Value=\"7\"/>\r\n"
                       "\t<Property Name=\"Trade\" Value=\"false\"/>\r\n"
                       "\t<Property Name=\"Chamber\" Value=\"false\"/>\r\n"
                       "\t<Property Name=\"2000502230\" GUID=\"1\"/>\r\n"
                       "\t<Property Name=\"2000502232\" GUID=\"2\"/>\r\n"
                       "\t<Property Name=\"2000502234\" GUID=\"3\"/>\r\n"
                       "\t<Property Name=\"2000502236\" GUID=\"4\"/>\r\n"
                       "\t<Property Name=\"2000502238\" GUID=\"5\"/>\r\n"
                       "\t<Property Name=\"2000502240\" GUID=\"6\"/>\r\n"
                       "</Properties>\r\n"));
}

TEST(ItemStore, BrokenOrIncompleteFilesFailWithoutChangingAnything) {
  ProgramFolder folder;
  // An entry without its second attribute: nothing is saved.
  const QByteArray incomplete = "<Properties><Property Name=\"2000502260\"/><Property Name=\"ProductAmount\" Value=\"25\"/>"
                                "<Property Name=\"ProductCycle\"/></Properties>";
  test::WriteBytes(folder.xml("Property.xml"), incomplete);
  EXPECT_THROW(SaveProperties(folder.xml(), "30", "2", kItems), Error);
  EXPECT_EQ(test::ReadBytes(folder.xml("Property.xml")), incomplete);

  test::WriteBytes(folder.xml("Property.xml"), "<Properties>");
  EXPECT_THROW(SaveProperties(folder.xml(), "30", "2", kItems), Error);
  EXPECT_EQ(test::ReadBytes(folder.xml("Property.xml")), QByteArray("<Properties>"));

  QFile::remove(folder.xml("2000502236.xml"));
  EXPECT_THROW(ReadItemProductList(folder.xml(), "2000502236"), Error);
}
