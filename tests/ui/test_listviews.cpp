#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

#include "tests/ui/windowsupport.h"
#include "ui/controls.h"
#include "ui/mainform.h"
#include "ui/namecompare.h"
#include "workspace/error.h"

using namespace bw;

namespace {

QStringList Column(const QTreeWidget* view, int column) {
  QStringList texts;
  for (int i = 0; i < view->topLevelItemCount(); ++i) texts << view->topLevelItem(i)->text(column);
  return texts;
}

int TopRow(QTreeWidget* view) { return view->indexAt(QPoint(0, 0)).row(); }

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

TEST(ListViews, NamesCompareOverCodeUnitsWithOnlyAToZFolded) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"Ziegelei", "Ölraffinerie", -1},  // umlauts after every unaccented letter
      {"Sägewerk", "Schnapsbrennerei", 1},
      {"sägewerk", "SÄGEWERK", 1},       // ä and Ä are not folded
      {"Brauerei", "BRAUEREI", 0},
      {"fischerei", "Fischerei", 0},
      {"_x", "a", 1},                    // a counts as A (65), below _ (95)
      {"Z", "a", 1},
      {"Abc", "Abcd", -1},               // the shorter first
      {"", "", 0},
      {"10", "9", -1},                   // digits by code value
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(CompareNamesAZ(QString::fromUtf8(c.a), QString::fromUtf8(c.b))), c.sign) << c.a << " / " << c.b;
    EXPECT_EQ(Sign(CompareNamesAZ(QString::fromUtf8(c.b), QString::fromUtf8(c.a))), -c.sign) << c.b << " / " << c.a;
  }
}

TEST(ListViews, ProductsComeOutInNameOrderWithEqualNamesInFileOrder) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  test::WriteBytes(folder.xml(QStringLiteral("Products.xml")),
                   "<Products>\r\n"
                   "\t<Product GUID=\"1\" Name=\"Ölraffinerie\" Icon=\"icon_oil\" Category=\"77\" DLC=\"\"/>\r\n"
                   "\t<Product GUID=\"2\" Name=\"ziegelei\" Icon=\"icon_bricks\" Category=\"77\" DLC=\"\"/>\r\n"
                   "\t<Product GUID=\"3\" Name=\"Apfel\" Icon=\"icon_citrus\" Category=\"77\" DLC=\"\"/>\r\n"
                   "\t<Product GUID=\"4\" Name=\"Ziegelei\" Icon=\"icon_bricks\" Category=\"77\" DLC=\"\"/>\r\n"
                   "\t<Product GUID=\"5\" Name=\"_x\" Icon=\"icon_junk\" Category=\"77\" DLC=\"\"/>\r\n"
                   "\t<Product GUID=\"6\" Name=\"Äpfel\" Icon=\"icon_citrus\" Category=\"77\" DLC=\"\"/>\r\n"
                   "\t<Product GUID=\"7\" Name=\"apfelmus\" Icon=\"icon_jam\" Category=\"77\" DLC=\"\"/>\r\n"
                   "\t<Product GUID=\"8\" Name=\"Anderswo\" Icon=\"icon_jam\" Category=\"78\" DLC=\"\"/>\r\n"
                   "</Products>\r\n");
  form.CreateProductView(QStringLiteral("77"));
  auto* products = test::Control<TListView>(form, "ProductView");
  EXPECT_EQ(Column(products, 1), (QStringList{"Apfel", "apfelmus", "ziegelei", "Ziegelei", "_x",
                                                      QString::fromUtf8("Äpfel"), QString::fromUtf8("Ölraffinerie")}));
  EXPECT_EQ(Column(products, 0), (QStringList{"3", "7", "2", "4", "5", "6", "1"}));
  EXPECT_EQ(Column(products, 2).first(), QStringLiteral("icon_citrus"));
  EXPECT_TRUE(products->selectedItems().isEmpty());
}

TEST(ListViews, CategoryAndExtensionGroupsListTheirProducts) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  auto* groups = test::Control<TListView>(form, "SelectionView");
  auto* products = test::Control<TListView>(form, "ProductView");
  // After start: the twelve groups in file order, the first group's products by name.
  EXPECT_EQ(Column(groups, 0),
            (QStringList{"11701", "11702", "11703", "11704", "11705", "410042", "410071", "410084", "410085", "24961",
                         "24962", "24963"}));
  EXPECT_EQ(groups->topLevelItem(7)->text(1), QStringLiteral("Reisezeit"));
  const QStringList minerals = {"Bauxit", "Eisen", "Erdgas", QString::fromUtf8("Erdöl"), "Erze", "Golderz", "Helium",
                                "Kohle", "Kupfer", "Lehm", "Quarzsand", "Salpeter", "Zement"};
  EXPECT_EQ(Column(products, 1), minerals);
  EXPECT_EQ(products->selectedItems().value(0), products->topLevelItem(0));

  // A category group holds products of game extensions too (Bauxit, Erdgas, Helium, Erze).
  form.CreateProductView(QStringLiteral("11701"));
  EXPECT_EQ(Column(products, 1), minerals);
  // An extension group (no product has it as category) lists all products of the extension.
  form.CreateProductView(QStringLiteral("410042"));
  EXPECT_EQ(Column(products, 1),
            (QStringList{QString::fromUtf8("Bärenfelle"), "Erdgas", QString::fromUtf8("Gänsefedern"), "Hundeschlitten",
                         "Huskys", "Pelzparkas", "Pemmikan", "Rentierfleisch", "Robbenfelle",
                         QString::fromUtf8("Schlafsäcke"), "Schlittengestelle", QString::fromUtf8("Walöl"), "Wrackteile",
                         QString::fromUtf8("Öllampen")}));
  // A group no product names gives an empty list.
  form.CreateProductView(QStringLiteral("999"));
  EXPECT_EQ(products->topLevelItemCount(), 0);
}

TEST(ListViews, RowsFindTheirPictureByNameWithOnlyAToZFolded) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  const TImageList& pictures = form.images().ImageList;
  const int planks = pictures.IndexOf(QStringLiteral("icon_wooden_planks"));
  ASSERT_GE(planks, 0);
  struct Case {
    const char* icon;
    int index;
  } cases[] = {
      {"icon_wooden_planks", planks},
      {"ICON_WOODEN_PLANKS", planks},
      {"Icon_Wooden_Planks", planks},
      {"icon_wooden_plank", -1},
      {"icon_nothing", -1},
      {"", -1},
      {"region4dark", pictures.IndexOf(QStringLiteral("Region4Dark"))},
      {"11701_DARK", 202},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.icon);
    QTreeWidgetItem* row = form.AddListRow(test::Control<TListView>(form, "ItemProductView"), QStringLiteral("1010196"),
                                           QStringLiteral("Bretter"), QLatin1String(c.icon), QLatin1String(c.icon));
    EXPECT_EQ(TMainForm::ImageIndex(row), c.index);
    EXPECT_EQ(row->icon(0).isNull(), c.index < 0);
    // A row without picture is otherwise complete.
    EXPECT_EQ(row->text(0), QStringLiteral("1010196"));
    EXPECT_EQ(row->text(1), QStringLiteral("Bretter"));
    EXPECT_EQ(row->text(2), QLatin1String(c.icon));
  }
}

TEST(ListViews, AddedProductsKeepTheirOrderAndAMissingOneAddsNothing) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  auto* item = test::Control<TListView>(form, "ItemProductView");
  form.AddProductToItemProductView(QStringLiteral("1010200"));
  form.AddProductToItemProductView(QStringLiteral("1010196"));
  form.AddProductToItemProductView(QStringLiteral("1010200"));
  EXPECT_EQ(Column(item, 0), (QStringList{"1010200", "1010196", "1010200"}));
  EXPECT_EQ(Column(item, 1), (QStringList{"Fisch", "Bretter", "Fisch"}));
  EXPECT_EQ(Column(item, 2), (QStringList{"icon_fish", "icon_wooden_planks", "icon_fish"}));
  EXPECT_THROW(form.AddProductToItemProductView(QStringLiteral("42")), Error);
  EXPECT_EQ(item->topLevelItemCount(), 3);
}

TEST(ListViews, BuildingsOfARegionSortByNameWithTheRegionPictureBesideTheName) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  auto* buildings = test::Control<TListView>(form, "TargetsView");
  form.CreateTargetsView(QStringLiteral("Region2"));
  const QStringList names = Column(buildings, 1);
  ASSERT_EQ(names.size(), 43);
  for (int i = 1; i < names.size(); ++i) EXPECT_LE(CompareNamesAZ(names[i - 1], names[i]), 0) << names[i].toStdString();
  EXPECT_EQ(Column(buildings, 2), QStringList(QVector<QString>(43, QStringLiteral("Region2")).toList()));
  const int region2 = form.images().ImageList.IndexOf(QStringLiteral("Region2"));
  for (int i = 0; i < buildings->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = buildings->topLevelItem(i);
    EXPECT_EQ(TMainForm::ImageIndex(row, 1), region2);
    EXPECT_FALSE(row->icon(1).isNull());
  }
  EXPECT_TRUE(buildings->selectedItems().isEmpty());
  // "Bäckerei" after "Brillenmacherei": the umlaut counts by its code value.
  form.CreateTargetsView(QStringLiteral("Region1"));
  const QStringList region1 = Column(buildings, 1);
  EXPECT_LT(region1.indexOf(QStringLiteral("Brillenmacherei")), region1.indexOf(QString::fromUtf8("Bäckerei")));
}

TEST(ListViews, TheTargetBuildingIsShownWithItsRegionSelectedAndInView) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  auto* buildings = test::Control<TListView>(form, "TargetsView");
  auto* region1 = test::Control<QToolButton>(form, "Region1Btn");
  auto* region2 = test::Control<QToolButton>(form, "Region2Btn");
  auto* target = test::Control<QLabel>(form, "TargetLabel");
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  // A building of region 2, far down its list.
  form.CreateTargetsView(QStringLiteral("Region2"));
  const QString last = buildings->topLevelItem(40)->text(0);
  const QString lastName = buildings->topLevelItem(40)->text(1);
  form.CreateTargetsView(QStringLiteral("Region1"));
  form.GetTargetNameAndPosition(last);
  EXPECT_TRUE(region2->isChecked());
  EXPECT_FALSE(region1->isChecked());
  ASSERT_EQ(buildings->selectedItems().size(), 1);
  QTreeWidgetItem* selected = buildings->selectedItems().first();
  EXPECT_EQ(selected->text(0), last);
  EXPECT_TRUE(buildings->viewport()->rect().contains(buildings->visualItemRect(selected)));
  EXPECT_EQ(target->text(), QStringLiteral("Ziel : ") + lastName);

  // An unknown building changes nothing.
  EXPECT_THROW(form.GetTargetNameAndPosition(QStringLiteral("4711")), Error);
  EXPECT_TRUE(region2->isChecked());
  EXPECT_EQ(buildings->selectedItems().value(0), selected);
  EXPECT_EQ(target->text(), QStringLiteral("Ziel : ") + lastName);
}

TEST(ListViews, ScrollingBringsTheSelectedRowNearTheMiddleAndLeavesShortListsAlone) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  auto* groups = test::Control<TListView>(form, "SelectionView");
  auto* buildings = test::Control<TListView>(form, "TargetsView");
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  // Twelve groups fit into the view: nothing moves.
  groups->SelectRow(groups->Row(11));
  form.ScrollListView(groups);
  EXPECT_EQ(TopRow(groups), 0);

  form.CreateTargetsView(QStringLiteral("Region1"));
  ASSERT_EQ(buildings->topLevelItemCount(), 50);
  const int rowHeight = buildings->visualItemRect(buildings->topLevelItem(0)).height();
  ASSERT_EQ(rowHeight, 50);  // a 48-pixel picture per row
  // 15 rows fit; row 40 selected: (40 − 0 − 8) rows + 60 pixels, rounded to whole rows = 33.
  buildings->SelectRow(buildings->Row(40));
  form.ScrollListView(buildings);
  EXPECT_EQ(TopRow(buildings), 33);
  // From there back to row 3: the list stops at its top.
  buildings->SelectRow(buildings->Row(3));
  form.ScrollListView(buildings);
  EXPECT_EQ(TopRow(buildings), 0);
  // Without a selected row nothing moves.
  buildings->verticalScrollBar()->setValue(10);
  buildings->SelectRow(nullptr);
  form.ScrollListView(buildings);
  EXPECT_EQ(TopRow(buildings), 10);
}

TEST(ListViews, AMissingCatalogueFailsBeforeTheListIsCleared) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  auto* groupList = test::Control<TListView>(form, "SelectionView");
  auto* productList = test::Control<TListView>(form, "ProductView");
  auto* buildingList = test::Control<TListView>(form, "TargetsView");
  const int groups = groupList->topLevelItemCount();
  const int products = productList->topLevelItemCount();
  const int buildings = buildingList->topLevelItemCount();
  for (const char* file : {"Sessions.xml", "Products.xml", "Target.xml"}) QFile::remove(folder.xml(QLatin1String(file)));
  EXPECT_THROW(form.CreateSelectionView(), Error);
  EXPECT_THROW(form.CreateProductView(QStringLiteral("11701")), Error);
  EXPECT_THROW(form.CreateTargetsView(QStringLiteral("Region1")), Error);
  EXPECT_EQ(groupList->topLevelItemCount(), groups);
  EXPECT_EQ(productList->topLevelItemCount(), products);
  EXPECT_EQ(buildingList->topLevelItemCount(), buildings);
  // The buildings loaded before are still there to be looked up: the look-up succeeds (its
  // region button goes down) and only the refill of the list fails.
  test::Control<QToolButton>(form, "Region2Btn")->setChecked(true);
  EXPECT_THROW(form.GetTargetNameAndPosition(QStringLiteral("100451")), Error);
  EXPECT_TRUE(test::Control<QToolButton>(form, "Region1Btn")->isChecked());
}
