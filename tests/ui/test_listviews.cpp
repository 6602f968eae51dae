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
  const test::MainControls ui(form);
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
  EXPECT_EQ(Column(ui.ProductView, 1), (QStringList{"Apfel", "apfelmus", "ziegelei", "Ziegelei", "_x",
                                                      QString::fromUtf8("Äpfel"), QString::fromUtf8("Ölraffinerie")}));
  EXPECT_EQ(Column(ui.ProductView, 0), (QStringList{"3", "7", "2", "4", "5", "6", "1"}));
  EXPECT_EQ(Column(ui.ProductView, 2).first(), QStringLiteral("icon_citrus"));
  EXPECT_TRUE(ui.ProductView->selectedItems().isEmpty());
}

TEST(ListViews, CategoryAndExtensionGroupsListTheirProducts) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  const test::MainControls ui(form);
  // After start: the twelve groups in file order, the first group's products by name.
  EXPECT_EQ(Column(ui.SelectionView, 0),
            (QStringList{"11701", "11702", "11703", "11704", "11705", "410042", "410071", "410084", "410085", "24961",
                         "24962", "24963"}));
  EXPECT_EQ(ui.SelectionView->topLevelItem(7)->text(1), QStringLiteral("Reisezeit"));
  const QStringList minerals = {"Bauxit", "Eisen", "Erdgas", QString::fromUtf8("Erdöl"), "Erze", "Golderz", "Helium",
                                "Kohle", "Kupfer", "Lehm", "Quarzsand", "Salpeter", "Zement"};
  EXPECT_EQ(Column(ui.ProductView, 1), minerals);
  EXPECT_EQ(ui.ProductView->selectedItems().value(0), ui.ProductView->topLevelItem(0));

  // A category group holds products of game extensions too (Bauxit, Erdgas, Helium, Erze).
  form.CreateProductView(QStringLiteral("11701"));
  EXPECT_EQ(Column(ui.ProductView, 1), minerals);
  // An extension group (no product has it as category) lists all products of the extension.
  form.CreateProductView(QStringLiteral("410042"));
  EXPECT_EQ(Column(ui.ProductView, 1),
            (QStringList{QString::fromUtf8("Bärenfelle"), "Erdgas", QString::fromUtf8("Gänsefedern"), "Hundeschlitten",
                         "Huskys", "Pelzparkas", "Pemmikan", "Rentierfleisch", "Robbenfelle",
                         QString::fromUtf8("Schlafsäcke"), "Schlittengestelle", QString::fromUtf8("Walöl"), "Wrackteile",
                         QString::fromUtf8("Öllampen")}));
  // A group no product names gives an empty list.
  form.CreateProductView(QStringLiteral("999"));
  EXPECT_EQ(ui.ProductView->topLevelItemCount(), 0);
}

TEST(ListViews, RowsFindTheirPictureByNameWithOnlyAToZFolded) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  const test::MainControls ui(form);
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
    QTreeWidgetItem* row = form.AddListRow(ui.ItemProductView, QStringLiteral("1010196"), QStringLiteral("Bretter"),
                                           QLatin1String(c.icon), QLatin1String(c.icon));
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
  const test::MainControls ui(form);
  form.AddProductToItemProductView(QStringLiteral("1010200"));
  form.AddProductToItemProductView(QStringLiteral("1010196"));
  form.AddProductToItemProductView(QStringLiteral("1010200"));
  EXPECT_EQ(Column(ui.ItemProductView, 0), (QStringList{"1010200", "1010196", "1010200"}));
  EXPECT_EQ(Column(ui.ItemProductView, 1), (QStringList{"Fisch", "Bretter", "Fisch"}));
  EXPECT_EQ(Column(ui.ItemProductView, 2), (QStringList{"icon_fish", "icon_wooden_planks", "icon_fish"}));
  EXPECT_THROW(form.AddProductToItemProductView(QStringLiteral("42")), Error);
  EXPECT_EQ(ui.ItemProductView->topLevelItemCount(), 3);
}

TEST(ListViews, BuildingsOfARegionSortByNameWithTheRegionPictureBesideTheName) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  const test::MainControls ui(form);
  form.CreateTargetsView(QStringLiteral("Region2"));
  const QStringList names = Column(ui.TargetsView, 1);
  ASSERT_EQ(names.size(), 43);
  for (int i = 1; i < names.size(); ++i) EXPECT_LE(CompareNamesAZ(names[i - 1], names[i]), 0) << names[i].toStdString();
  EXPECT_EQ(Column(ui.TargetsView, 2), QStringList(QVector<QString>(43, QStringLiteral("Region2")).toList()));
  const int region2 = form.images().ImageList.IndexOf(QStringLiteral("Region2"));
  for (int i = 0; i < ui.TargetsView->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = ui.TargetsView->topLevelItem(i);
    EXPECT_EQ(TMainForm::ImageIndex(row, 1), region2);
    EXPECT_FALSE(row->icon(1).isNull());
  }
  EXPECT_TRUE(ui.TargetsView->selectedItems().isEmpty());
  // "Bäckerei" after "Brillenmacherei": the umlaut counts by its code value.
  form.CreateTargetsView(QStringLiteral("Region1"));
  const QStringList region1 = Column(ui.TargetsView, 1);
  EXPECT_LT(region1.indexOf(QStringLiteral("Brillenmacherei")), region1.indexOf(QString::fromUtf8("Bäckerei")));
}

TEST(ListViews, TheTargetBuildingIsShownWithItsRegionSelectedAndInView) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  // A building of region 2, far down its list.
  form.CreateTargetsView(QStringLiteral("Region2"));
  const QString last = w.ui.TargetsView->topLevelItem(40)->text(0);
  const QString lastName = w.ui.TargetsView->topLevelItem(40)->text(1);
  form.CreateTargetsView(QStringLiteral("Region1"));
  form.GetTargetNameAndPosition(last);
  EXPECT_TRUE(w.ui.Region2Btn->isChecked());
  EXPECT_FALSE(w.ui.Region1Btn->isChecked());
  ASSERT_EQ(w.ui.TargetsView->selectedItems().size(), 1);
  QTreeWidgetItem* selected = w.ui.TargetsView->selectedItems().first();
  EXPECT_EQ(selected->text(0), last);
  EXPECT_TRUE(w.ui.TargetsView->viewport()->rect().contains(w.ui.TargetsView->visualItemRect(selected)));
  EXPECT_EQ(w.ui.TargetLabel->text(), QStringLiteral("Ziel : ") + lastName);

  // An unknown building changes nothing.
  EXPECT_THROW(form.GetTargetNameAndPosition(QStringLiteral("4711")), Error);
  EXPECT_TRUE(w.ui.Region2Btn->isChecked());
  EXPECT_EQ(w.ui.TargetsView->selectedItems().value(0), selected);
  EXPECT_EQ(w.ui.TargetLabel->text(), QStringLiteral("Ziel : ") + lastName);
}

TEST(ListViews, ScrollingBringsTheSelectedRowNearTheMiddleAndLeavesShortListsAlone) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  // Twelve groups fit into the view: nothing moves.
  w.ui.SelectionView->SelectRow(w.ui.SelectionView->Row(11));
  form.ScrollListView(w.ui.SelectionView);
  EXPECT_EQ(TopRow(w.ui.SelectionView), 0);

  form.CreateTargetsView(QStringLiteral("Region1"));
  ASSERT_EQ(w.ui.TargetsView->topLevelItemCount(), 50);
  const int rowHeight = w.ui.TargetsView->visualItemRect(w.ui.TargetsView->topLevelItem(0)).height();
  ASSERT_EQ(rowHeight, 50);  // a 48-pixel picture per row
  // 15 rows fit; row 40 selected: (40 − 0 − 8) rows + 60 pixels, rounded to whole rows = 33.
  w.ui.TargetsView->SelectRow(w.ui.TargetsView->Row(40));
  form.ScrollListView(w.ui.TargetsView);
  EXPECT_EQ(TopRow(w.ui.TargetsView), 33);
  // From there back to row 3: the list stops at its top.
  w.ui.TargetsView->SelectRow(w.ui.TargetsView->Row(3));
  form.ScrollListView(w.ui.TargetsView);
  EXPECT_EQ(TopRow(w.ui.TargetsView), 0);
  // Without a selected row nothing moves.
  w.ui.TargetsView->verticalScrollBar()->setValue(10);
  w.ui.TargetsView->SelectRow(nullptr);
  form.ScrollListView(w.ui.TargetsView);
  EXPECT_EQ(TopRow(w.ui.TargetsView), 10);
}

TEST(ListViews, ColumnsKeepTheirWidthsWhateverTheFont) {
  // The window's font is in force before the display font is loaded: under Wine a fallback with
  // characters wider than the narrowest column.
  QWidget window;
  QFont wide = window.font();
  wide.setPixelSize(80);
  window.setFont(wide);
  TListView view(QStringLiteral("TargetsView"), {52, 225, 0}, &window);
  view.setGeometry(0, 0, 300, 788);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(view.columnWidth(0), 52);
  EXPECT_EQ(view.columnWidth(1), 225);
  EXPECT_EQ(view.columnWidth(2), 0);
  EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
}

TEST(ListViews, AMissingCatalogueFailsBeforeTheListIsCleared) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  const test::MainControls ui(form);
  const int groups = ui.SelectionView->topLevelItemCount();
  const int products = ui.ProductView->topLevelItemCount();
  const int buildings = ui.TargetsView->topLevelItemCount();
  for (const char* file : {"Sessions.xml", "Products.xml", "Target.xml"}) QFile::remove(folder.xml(QLatin1String(file)));
  EXPECT_THROW(form.CreateSelectionView(), Error);
  EXPECT_THROW(form.CreateProductView(QStringLiteral("11701")), Error);
  EXPECT_THROW(form.CreateTargetsView(QStringLiteral("Region1")), Error);
  EXPECT_EQ(ui.SelectionView->topLevelItemCount(), groups);
  EXPECT_EQ(ui.ProductView->topLevelItemCount(), products);
  EXPECT_EQ(ui.TargetsView->topLevelItemCount(), buildings);
  // The buildings loaded before are still there to be looked up: the look-up succeeds (its
  // region button goes down) and only the refill of the list fails.
  ui.Region2Btn->setChecked(true);
  EXPECT_THROW(form.GetTargetNameAndPosition(QStringLiteral("100451")), Error);
  EXPECT_TRUE(ui.Region1Btn->isChecked());
}
