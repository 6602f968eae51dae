#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

#include "tests/ui/windowsupport.h"
#include "ui/controls.h"
#include "ui/mainform.h"
#include "ui/messageform.h"
#include "workspace/itemstore.h"

using namespace bw;
using test::ClickRow;
using test::RowWithCaption;

namespace {

const QStringList kItemFiles{"2000502230.xml", "2000502232.xml", "2000502234.xml",
                             "2000502236.xml", "2000502238.xml", "2000502240.xml"};
// Products of the first group, shown after start.
const char* const kCoal = "1010226";
const char* const kClay = "1010201";

QStringList Captions(const QTreeWidget* view) {
  QStringList texts;
  for (int i = 0; i < view->topLevelItemCount(); ++i) texts << view->topLevelItem(i)->text(0);
  return texts;
}

QString SelectedCaption(const TListView* view) { return view->Selected() ? view->Selected()->text(0) : QString(); }

QToolButton* ItemButton(TMainForm& form, int slot) {
  return form.findChild<QToolButton*>(QStringLiteral("Item%1Btn").arg(slot));
}

QString ItemTarget(TMainForm& form, int slot) {
  return form.findChild<QLabel*>(QStringLiteral("Item%1Target").arg(slot))->text();
}

void ClickProduct(TMainForm& form, const char* guid) {
  auto* products = test::Control<TListView>(form, "ProductView");
  QTreeWidgetItem* row = RowWithCaption(products, QLatin1String(guid));
  ASSERT_NE(row, nullptr) << guid;
  ClickRow(products, row);
}

void ClickBuilding(TMainForm& form, const QString& guid) {
  auto* buildings = test::Control<TListView>(form, "TargetsView");
  QTreeWidgetItem* row = RowWithCaption(buildings, guid);
  ASSERT_NE(row, nullptr) << guid.toStdString();
  ClickRow(buildings, row);
}

QByteArray ListLine(const char* guid, const char* name, const char* icon, const char* item) {
  return QByteArray("\t<Product GUID=\"") + guid + "\" Name=\"" + name + "\" Icon=\"" + icon + "\" ItemGUID=\"" + item +
         "\"/>\r\n";
}

QByteArray PropertyWithTargets(const char* amount, const char* cycle, const QStringList& targets) {
  QByteArray bytes = "<Properties>\r\n\t<Property Name=\"2000502260\"/>\r\n";
  bytes += QByteArray("\t<Property Name=\"ProductAmount\" Value=\"") + amount + "\"/>\r\n";
  bytes += QByteArray("\t<Property Name=\"ProductCycle\" Value=\"") + cycle + "\"/>\r\n";
  bytes += "\t<Property Name=\"Trade\" Value=\"false\"/>\r\n\t<Property Name=\"Chamber\" Value=\"false\"/>\r\n";
  for (int i = 0; i < 6; ++i) {
    bytes += "\t<Property Name=\"" + QByteArray::number(2000502230LL + 2 * i) + "\" GUID=\"" + targets[i].toUtf8() +
             "\"/>\r\n";
  }
  return bytes + "</Properties>\r\n";
}

const QStringList kDefaultTargets(6, QStringLiteral("100451"));

}  // namespace

TEST(ItemEditing, AProductAddedToItemTwoIsItsLastRowAndADuplicateIsAskedFirst) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  QTest::mouseClick(w.ui.Item2Btn, Qt::LeftButton);
  EXPECT_EQ(form.itemGuid(), QStringLiteral("2000502232"));
  const auto before = test::Snapshot(w.folder.xml());
  {
    test::ModalWatch noQuestion;
    ClickProduct(form, kClay);
    ClickProduct(form, kCoal);
    EXPECT_TRUE(noQuestion.seen().isEmpty());
  }
  const QByteArray twoRows = "<Products>\r\n" + ListLine(kClay, "Lehm", "icon_clay", "2000502232") +
                             ListLine(kCoal, "Kohle", "icon_coal", "2000502232") + "</Products>\r\n";
  EXPECT_EQ(test::ReadBytes(w.folder.xml("2000502232.xml")), twoRows);
  auto after = test::Snapshot(w.folder.xml());
  after.remove(QStringLiteral("2000502232.xml"));
  auto expectedOthers = before;
  expectedOthers.remove(QStringLiteral("2000502232.xml"));
  EXPECT_EQ(after, expectedOthers);

  // Coal once more: the question names item II; "Nein" changes nothing.
  QStringList seen;
  QImage picture;
  test::OnNextModal([&](QWidget* modal) {
    auto* message = qobject_cast<TMessageForm*>(modal);
    ASSERT_NE(message, nullptr);
    seen << message->HeaderLabel->text() << message->MsgBoxLabel->text() << message->OKBtn->text()
         << message->AbortBtn->text();
    picture = message->RemarkImage->pixmap().toImage();
    message->AbortBtn->click();
  });
  ClickProduct(form, kCoal);
  EXPECT_EQ(seen, (QStringList{"Frage", QString::fromUtf8("« Kohle »\nDiese Ware ist bereits in Item \n\nItem II\n\n"
                                                          "enthalten. Trotzdem hinzugefügen?\n"),
                               "Ja", "Nein"}));
  EXPECT_EQ(picture.size(), QSize(64, 64));
  const TImageCollection& pictures = form.images().ImageCollection;
  EXPECT_EQ(picture, QPixmap::fromImage(pictures.GetScaledImage(pictures.IndexOf(u"icon_coal"), 64, 64)).toImage());
  EXPECT_EQ(test::ReadBytes(w.folder.xml("2000502232.xml")), twoRows);
  EXPECT_EQ(Captions(w.ui.ItemProductView), (QStringList{kClay, kCoal}));

  // "Ja" adds it a second time; both rows read back in order.
  test::ClickInNextModal(QStringLiteral("Ja"));
  ClickProduct(form, kCoal);
  EXPECT_EQ(Captions(w.ui.ItemProductView), (QStringList{kClay, kCoal, kCoal}));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("2000502232.xml")),
            "<Products>\r\n" + ListLine(kClay, "Lehm", "icon_clay", "2000502232") +
                ListLine(kCoal, "Kohle", "icon_coal", "2000502232") +
                ListLine(kCoal, "Kohle", "icon_coal", "2000502232") + "</Products>\r\n");
  QTest::mouseClick(w.ui.Item1Btn, Qt::LeftButton);
  EXPECT_EQ(w.ui.ItemProductView->topLevelItemCount(), 0);
  QTest::mouseClick(w.ui.Item2Btn, Qt::LeftButton);
  EXPECT_EQ(Captions(w.ui.ItemProductView), (QStringList{kClay, kCoal, kCoal}));
  EXPECT_EQ(w.ui.ItemProductView->topLevelItem(1)->text(1), QStringLiteral("Kohle"));
  EXPECT_EQ(TMainForm::ImageIndex(w.ui.ItemProductView->topLevelItem(1)), form.images().ImageList.IndexOf(u"icon_coal"));
}

TEST(ItemEditing, TheDuplicateQuestionNamesTheHoldingItemsInItemOrder) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  const ItemProduct coal{kCoal, QStringLiteral("Kohle"), QStringLiteral("icon_coal")};
  for (const char* item : {"2000502240", "2000502232", "2000502236"}) SaveItemContent(w.folder.xml(), item, {coal});
  const auto before = test::Snapshot(w.folder.xml());
  QStringList seen;
  test::ClickInNextModal(QStringLiteral("Nein"), &seen);
  ClickProduct(form, kCoal);
  EXPECT_TRUE(seen.contains(QString::fromUtf8("« Kohle »\nDiese Ware ist bereits in Item \n\nItem II\nItem IV\nItem VI\n\n"
                                              "enthalten. Trotzdem hinzugefügen?\n")))
      << seen.join(QStringLiteral(" | ")).toStdString();
  EXPECT_EQ(test::Snapshot(w.folder.xml()), before);
  EXPECT_EQ(w.ui.ItemProductView->topLevelItemCount(), 0);
}

TEST(ItemEditing, AClickOnARowOfTheItemRemovesItAndClicksBesideRowsChangeNothing) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  ClickProduct(form, kClay);
  ClickProduct(form, kCoal);
  const auto before = test::Snapshot(w.folder.xml());
  const QString target = SelectedCaption(w.ui.TargetsView);
  {
    test::ModalWatch noQuestion;
    for (TListView* view : {w.ui.SelectionView, w.ui.ProductView, w.ui.ItemProductView, w.ui.TargetsView}) {
      SCOPED_TRACE(view->objectName().toStdString());
      const QStringList rows = Captions(view);
      const QString selected = SelectedCaption(view);
      test::ClickBesideRows(view);
      // The building list is always longer than its view: beside its rows is right of its columns.
      if (view == w.ui.TargetsView) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(view->viewport()->width() - 2, 10));
      }
      EXPECT_EQ(Captions(view), rows);
      EXPECT_EQ(SelectedCaption(view), selected);
    }
    EXPECT_TRUE(noQuestion.seen().isEmpty());
  }
  EXPECT_EQ(test::Snapshot(w.folder.xml()), before);
  EXPECT_EQ(SelectedCaption(w.ui.TargetsView), target);
  EXPECT_EQ(Captions(w.ui.ItemProductView), (QStringList{kClay, kCoal}));

  // A single click on a row of the item's list removes that row, on screen and on disk.
  ClickRow(w.ui.ItemProductView, w.ui.ItemProductView->Row(0));
  EXPECT_EQ(Captions(w.ui.ItemProductView), (QStringList{kCoal}));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("2000502230.xml")),
            "<Products>\r\n" + ListLine(kCoal, "Kohle", "icon_coal", "2000502230") + "</Products>\r\n");
  ClickRow(w.ui.ItemProductView, w.ui.ItemProductView->Row(0));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("2000502230.xml")), QByteArray("<Products/>\r\n"));
}

TEST(ItemEditing, AGroupClickListsItsProducts) {
  test::ShownWindow w;
  ClickRow(w.ui.SelectionView, RowWithCaption(w.ui.SelectionView, QStringLiteral("410042")));
  EXPECT_EQ(w.ui.ProductView->topLevelItemCount(), 14);
  EXPECT_EQ(w.ui.ProductView->Row(0)->text(1), QString::fromUtf8("Bärenfelle"));
  EXPECT_EQ(w.ui.ProductView->Selected(), nullptr);
}

TEST(ItemEditing, ATargetGoesToThePressedItemOnlyAndStoresTheBoxesAsTheyStand) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  QTest::mouseClick(w.ui.Item4Btn, Qt::LeftButton);
  QTest::mouseClick(w.ui.Region2Btn, Qt::LeftButton);
  EXPECT_EQ(w.ui.TargetsView->topLevelItemCount(), 43);
  EXPECT_EQ(w.ui.TargetsView->Selected(), nullptr);
  ClickBuilding(form, QStringLiteral("101251"));
  for (int slot = 1; slot <= 6; ++slot) {
    EXPECT_EQ(ItemTarget(form, slot), slot == 4 ? QStringLiteral("101251") : QStringLiteral("100451")) << slot;
  }
  EXPECT_EQ(w.ui.TargetLabel->text(), QStringLiteral("Ziel : Zuckerraffinerie"));
  QStringList targets = kDefaultTargets;
  targets[3] = QStringLiteral("101251");
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), PropertyWithTargets("25", "1", targets));

  // Boxes changed: nothing is stored until the next target click, which stores them.
  w.ui.ProductAmountBox->setValue(120);
  w.ui.ProductCycleBox->setValue(7);
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), PropertyWithTargets("25", "1", targets));
  ClickBuilding(form, QStringLiteral("101252"));
  targets[3] = QStringLiteral("101252");
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), PropertyWithTargets("120", "7", targets));
  w.ui.ProductAmountBox->setValue(33);
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), PropertyWithTargets("120", "7", targets));
}

TEST(ItemEditing, ItemSwitchesShowEachItemWithItsStoredTargetAndLeaveTheRestAlone) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  QTest::mouseClick(w.ui.Item4Btn, Qt::LeftButton);
  QTest::mouseClick(w.ui.Region2Btn, Qt::LeftButton);
  ClickBuilding(form, QStringLiteral("101251"));
  const QByteArray stored = test::ReadBytes(w.folder.xml("Property.xml"));

  // Another region and back, no building clicked: the target stays.
  QTest::mouseClick(w.ui.Region3Btn, Qt::LeftButton);
  EXPECT_EQ(w.ui.TargetsView->topLevelItemCount(), 16);
  QTest::mouseClick(w.ui.Region2Btn, Qt::LeftButton);
  EXPECT_EQ(w.ui.TargetsView->Selected(), nullptr);
  EXPECT_EQ(ItemTarget(form, 4), QStringLiteral("101251"));
  EXPECT_EQ(w.ui.TargetLabel->text(), QStringLiteral("Ziel : Zuckerraffinerie"));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), stored);

  // Group, products and boxes as the user left them, whatever item is chosen.
  ClickRow(w.ui.SelectionView, w.ui.SelectionView->Row(3));
  w.ui.ProductView->SelectRow(w.ui.ProductView->Row(2));
  w.ui.ProductAmountBox->setValue(99);
  w.ui.ProductCycleBox->setValue(9);
  const QStringList products = Captions(w.ui.ProductView);
  const QString product = SelectedCaption(w.ui.ProductView);
  struct Case {
    int slot;
    const char* numeral;
    const char* target;
    QToolButton* region;
  } cases[] = {{1, "I", "100451", w.ui.Region1Btn},   {4, "IV", "101251", w.ui.Region2Btn},
               {2, "II", "100451", w.ui.Region1Btn},  {3, "III", "100451", w.ui.Region1Btn},
               {5, "V", "100451", w.ui.Region1Btn},   {6, "VI", "100451", w.ui.Region1Btn},
               {4, "IV", "101251", w.ui.Region2Btn}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    QTest::mouseClick(ItemButton(form, c.slot), Qt::LeftButton);
    EXPECT_EQ(form.itemGuid(), QString::number(2000502230LL + 2 * (c.slot - 1)));
    EXPECT_EQ(form.itemSlot(), QString::number(c.slot));
    EXPECT_EQ(w.ui.ItemProductViewLabel->text(), QStringLiteral("Produktlist des Items ") + QLatin1String(c.numeral));
    EXPECT_EQ(w.ui.TargetViewLabel->text(), QStringLiteral("Zielgebäude des Items ") + QLatin1String(c.numeral));
    EXPECT_EQ(w.ui.SingleResetImg->toolTip(), QStringLiteral("Item ") + QLatin1String(c.numeral) + QStringLiteral(" zurücksetzen"));
    EXPECT_EQ(ItemTarget(form, c.slot), QLatin1String(c.target));
    EXPECT_TRUE(c.region->isChecked());
    EXPECT_EQ(SelectedCaption(w.ui.TargetsView), QLatin1String(c.target));
    const QRect selectedRect = w.ui.TargetsView->visualItemRect(w.ui.TargetsView->Selected());
    EXPECT_TRUE(w.ui.TargetsView->viewport()->rect().contains(selectedRect));
    EXPECT_EQ(w.ui.ProductAmountBox->value(), 99);
    EXPECT_EQ(w.ui.ProductCycleBox->value(), 9);
    EXPECT_EQ(SelectedCaption(w.ui.SelectionView), w.ui.SelectionView->Row(3)->text(0));
    EXPECT_EQ(Captions(w.ui.ProductView), products);
    EXPECT_EQ(SelectedCaption(w.ui.ProductView), product);
  }
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), stored);
}

TEST(ItemEditing, BrokenWorkspaceFilesAreReportedInGermanAndChangeNoOtherFile) {
  enum Action { SwitchToItem2, AddProduct, ChooseTarget };
  struct Case {
    const char* file;
    QByteArray content;  // empty: the file is missing
    Action action;
    const char* message;
  } cases[] = {
      {"2000502232.xml", {}, SwitchToItem2, "fehlt oder kann nicht gelesen werden"},
      {"2000502232.xml", "<Products><Product", SwitchToItem2, "ist kein gültiges XML"},
      {"2000502236.xml", "<Products", AddProduct, "ist kein gültiges XML"},
      {"2000502240.xml", {}, AddProduct, "fehlt oder kann nicht gelesen werden"},
      {"Property.xml", {}, SwitchToItem2, "fehlt oder kann nicht gelesen werden"},
      {"Property.xml", "<Properties>", ChooseTarget, "ist kein gültiges XML"},
      {"Property.xml", "<Properties/>", ChooseTarget, "nicht gefunden"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.content.toStdString());
    test::ShownWindow w;
    TMainForm& form = *w.form;
    const QString path = w.folder.xml(QLatin1String(c.file));
    if (c.content.isEmpty()) QFile::remove(path);
    else test::WriteBytes(path, c.content);
    const auto before = test::Snapshot(w.folder.xml());
    QStringList seen;
    test::ClickInNextModal(QStringLiteral("OK"), &seen);
    switch (c.action) {
      case SwitchToItem2: QTest::mouseClick(w.ui.Item2Btn, Qt::LeftButton); break;
      case AddProduct: ClickProduct(form, kCoal); break;
      case ChooseTarget: ClickRow(w.ui.TargetsView, w.ui.TargetsView->Row(0)); break;
    }
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_TRUE(seen.join(u' ').contains(QString::fromUtf8(c.message))) << seen.join(u' ').toStdString();
    EXPECT_TRUE(seen.join(u' ').contains(QLatin1String(c.file)));
    EXPECT_EQ(test::Snapshot(w.folder.xml()), before);
    EXPECT_EQ(w.ui.ItemProductView->topLevelItemCount(), 0);
    // The window runs on: another item is shown as before.
    EXPECT_TRUE(form.isVisible());
    if (QLatin1String(c.file) != QLatin1String("Property.xml")) {
      QTest::mouseClick(w.ui.Item3Btn, Qt::LeftButton);
      EXPECT_EQ(w.ui.ItemProductViewLabel->text(), QStringLiteral("Produktlist des Items III"));
      EXPECT_EQ(SelectedCaption(w.ui.TargetsView), QStringLiteral("100451"));
    }
  }
}

TEST(ItemEditing, AfterARestartEverythingEditedIsShownAgain) {
  test::ShownWindow w;
  {
    TMainForm& form = *w.form;
    ClickProduct(form, kCoal);
    ClickProduct(form, kClay);
    QTest::mouseClick(w.ui.Item5Btn, Qt::LeftButton);
    test::ClickInNextModal(QStringLiteral("Ja"));  // item I holds clay already
    ClickProduct(form, kClay);
    w.ui.ProductAmountBox->setValue(120);
    w.ui.ProductCycleBox->setValue(7);
    QTest::mouseClick(w.ui.Region3Btn, Qt::LeftButton);
    ClickBuilding(form, QStringLiteral("112680"));
    w.form->close();
  }
  TMainForm again(w.folder.path());
  const test::MainControls restarted(again);
  EXPECT_EQ(again.itemGuid(), QStringLiteral("2000502230"));
  EXPECT_EQ(Captions(restarted.ItemProductView), (QStringList{kCoal, kClay}));
  EXPECT_EQ(restarted.ProductAmountBox->value(), 120);
  EXPECT_EQ(restarted.ProductCycleBox->value(), 7);
  for (int slot = 1; slot <= 6; ++slot) {
    EXPECT_EQ(ItemTarget(again, slot), slot == 5 ? QStringLiteral("112680") : QStringLiteral("100451")) << slot;
  }
  restarted.Item5Btn->click();
  EXPECT_EQ(Captions(restarted.ItemProductView), (QStringList{kClay}));
  EXPECT_TRUE(restarted.Region3Btn->isChecked());
  EXPECT_EQ(SelectedCaption(restarted.TargetsView), QStringLiteral("112680"));
  EXPECT_EQ(restarted.TargetLabel->text(), QStringLiteral("Ziel : Schlittenstation"));
}

namespace {

int TopRow(const QTreeWidget* view) { return view->indexAt(QPoint(0, 0)).row(); }

// Clicks the row shown at the top of the list, wherever the list stands.
void ClickTopRow(QTreeWidget* view) {
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, view->visualItemRect(view->itemAt(0, 0)).center().y()));
}

}  // namespace

TEST(ItemEditing, ARefilledListShowsItsFirstRowAtTheTop) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  ASSERT_TRUE(w.ui.Region1Btn->isChecked());
  QList<ItemProduct> goods;  // the 58 goods of "Rohstoff", in the order listed
  struct Case {
    const char* list;
    TListView* view;
    std::function<void()> before;  // fills the list with more rows than it shows
    std::function<void()> refill;
    std::function<void()> check;   // after a click on the top row
  } cases[] = {
      {"buildings", w.ui.TargetsView, [] {}, [&] { QTest::mouseClick(w.ui.Region2Btn, Qt::LeftButton); },
       [&] {
         EXPECT_EQ(ItemTarget(form, 1).toStdString(), "101287");
         EXPECT_EQ(w.ui.TargetLabel->text().toStdString(), "Ziel : Alpakafarm");
       }},
      {"products", w.ui.ProductView,
       [&] {
         ClickRow(w.ui.SelectionView, RowWithCaption(w.ui.SelectionView, QStringLiteral("11702")));
         for (int i = 0; i < w.ui.ProductView->RowCount(); ++i) {
           const QTreeWidgetItem* row = w.ui.ProductView->Row(i);
           goods.append({row->text(0), row->text(1), row->text(2)});
         }
       },
       [&] { ClickRow(w.ui.SelectionView, RowWithCaption(w.ui.SelectionView, QStringLiteral("11703"))); },
       [&] { EXPECT_EQ(Captions(w.ui.ItemProductView).join(u' ').toStdString(), "841"); }},  // Aluminium
      {"item products", w.ui.ItemProductView,
       [&] {
         SaveItemContent(w.folder.xml(), QStringLiteral("2000502232"), goods.mid(0, 30));
         SaveItemContent(w.folder.xml(), QStringLiteral("2000502234"), goods.mid(20, 30));
         QTest::mouseClick(w.ui.Item2Btn, Qt::LeftButton);
       },
       [&] { QTest::mouseClick(w.ui.Item3Btn, Qt::LeftButton); },
       [&] {
         EXPECT_EQ(w.ui.ItemProductView->RowCount(), 29);
         EXPECT_EQ(w.ui.ItemProductView->Row(0)->text(0).toStdString(), goods[21].guid.toStdString());
       }},
  };
  ASSERT_EQ(w.ui.ProductView->RowCount(), 13);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    c.before();
    c.view->scrollToBottom();
    ASSERT_GT(TopRow(c.view), 0);
    c.refill();
    EXPECT_EQ(TopRow(c.view), 0);
    ClickTopRow(c.view);
    c.check();
  }
}

TEST(ItemEditing, AnItemSwitchScrollsTheTargetFromTheTopOfItsRegionToNearTheMiddle) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  const int rowHeight = w.ui.TargetsView->visualItemRect(w.ui.TargetsView->Row(0)).height();
  ASSERT_EQ(w.ui.TargetsView->viewport()->height() / rowHeight, 15);  // rows that fit
  ASSERT_EQ(w.ui.TargetsView->RowCount(), 50);
  struct Case {
    int slot;
    const char* target;
    int row;  // in the 50 buildings of region 1
    int top;  // the top row afterwards
  } cases[] = {
      // In view from the top; then (1 − 0 − 8) rows + 60 pixels = −5.8, rounded to −6 rows: the top.
      {2, "100428", 1, 0},
      // Least movement brings row 25 to the bottom, top 11; then (25 − 11 − 8) rows + 60 pixels = 7.2: 18.
      {3, "100475", 25, 18},
      // Top 34; then (48 − 34 − 8) rows + 60 pixels: 41, which stops at the last top row, 35.
      {4, "100419", 48, 35},
  };
  QStringList targets = kDefaultTargets;
  for (const Case& c : cases) targets[c.slot - 1] = QLatin1String(c.target);
  test::WriteBytes(w.folder.xml("Property.xml"), PropertyWithTargets("25", "1", targets));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    // Wherever the list stood before, the item's region is listed afresh.
    if (c.row < 25) w.ui.TargetsView->scrollToBottom();
    else w.ui.TargetsView->scrollToTop();
    QTest::mouseClick(ItemButton(form, c.slot), Qt::LeftButton);
    ASSERT_EQ(SelectedCaption(w.ui.TargetsView).toStdString(), c.target);
    EXPECT_EQ(w.ui.TargetsView->indexOfTopLevelItem(w.ui.TargetsView->Selected()), c.row);
    EXPECT_EQ(TopRow(w.ui.TargetsView), c.top);
    EXPECT_TRUE(w.ui.TargetsView->viewport()->rect().contains(w.ui.TargetsView->visualItemRect(w.ui.TargetsView->Selected())));
  }
}

TEST(ItemEditing, ADoubleClickOnAListDoesWhatOneClickDoes) {
  // The same steps in two windows: one clicks, the other double-clicks.
  test::ShownWindow clicked;
  test::ShownWindow doubleClicked;
  const test::MainControls& once = clicked.ui;
  const test::MainControls& twice = doubleClicked.ui;
  for (const test::MainControls* ui : {&once, &twice}) {
    for (int i = 0; i < 3; ++i) ClickRow(ui->ProductView, ui->ProductView->Row(i));  // Bauxit, Eisen, Erdgas
  }
  test::ModalWatch noQuestion;
  struct Case {
    const char* list;
    TListView* const test::MainControls::*view;
    int row;
  } cases[] = {
      {"item products", &test::MainControls::ItemProductView, 0},
      {"products", &test::MainControls::ProductView, 7},  // Kohle, in no item yet
      {"groups", &test::MainControls::SelectionView, 4},
      {"buildings", &test::MainControls::TargetsView, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    ClickRow(once.*c.view, (once.*c.view)->Row(c.row));
    test::DoubleClickRow(twice.*c.view, (twice.*c.view)->Row(c.row));
    for (TListView* const test::MainControls::*view :
         {&test::MainControls::SelectionView, &test::MainControls::ProductView, &test::MainControls::ItemProductView,
          &test::MainControls::TargetsView}) {
      EXPECT_EQ(Captions(twice.*view).join(u' ').toStdString(), Captions(once.*view).join(u' ').toStdString());
      EXPECT_EQ(SelectedCaption(twice.*view).toStdString(), SelectedCaption(once.*view).toStdString());
    }
    EXPECT_EQ(twice.TargetLabel->text().toStdString(), once.TargetLabel->text().toStdString());
    EXPECT_TRUE(test::Snapshot(doubleClicked.folder.xml()) == test::Snapshot(clicked.folder.xml()));
  }
  EXPECT_TRUE(noQuestion.seen().isEmpty()) << noQuestion.seen().join(u' ').toStdString();
  // One row removed, one added.
  EXPECT_EQ(Captions(twice.ItemProductView).join(u' ').toStdString(), "1010227 112706 1010226");
}
