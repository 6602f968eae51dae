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
  auto* item2Btn = w.control<QToolButton>("Item2Btn");
  auto* itemProductView = w.control<TListView>("ItemProductView");
  auto* item1Btn = w.control<QToolButton>("Item1Btn");
  QTest::mouseClick(item2Btn, Qt::LeftButton);
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
  EXPECT_EQ(Captions(itemProductView), (QStringList{kClay, kCoal}));

  // "Ja" adds it a second time; both rows read back in order.
  test::ClickInNextModal(QStringLiteral("Ja"));
  ClickProduct(form, kCoal);
  EXPECT_EQ(Captions(itemProductView), (QStringList{kClay, kCoal, kCoal}));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("2000502232.xml")),
            "<Products>\r\n" + ListLine(kClay, "Lehm", "icon_clay", "2000502232") +
                ListLine(kCoal, "Kohle", "icon_coal", "2000502232") +
                ListLine(kCoal, "Kohle", "icon_coal", "2000502232") + "</Products>\r\n");
  QTest::mouseClick(item1Btn, Qt::LeftButton);
  EXPECT_EQ(itemProductView->topLevelItemCount(), 0);
  QTest::mouseClick(item2Btn, Qt::LeftButton);
  EXPECT_EQ(Captions(itemProductView), (QStringList{kClay, kCoal, kCoal}));
  EXPECT_EQ(itemProductView->topLevelItem(1)->text(1), QStringLiteral("Kohle"));
  EXPECT_EQ(TMainForm::ImageIndex(itemProductView->topLevelItem(1)), form.images().ImageList.IndexOf(u"icon_coal"));
}

TEST(ItemEditing, TheDuplicateQuestionNamesTheHoldingItemsInItemOrder) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  auto* itemProductView = w.control<TListView>("ItemProductView");
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
  EXPECT_EQ(itemProductView->topLevelItemCount(), 0);
}

TEST(ItemEditing, AClickOnARowOfTheItemRemovesItAndClicksBesideRowsChangeNothing) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  auto* targetsView = w.control<TListView>("TargetsView");
  auto* selectionView = w.control<TListView>("SelectionView");
  auto* productView = w.control<TListView>("ProductView");
  auto* itemProductView = w.control<TListView>("ItemProductView");
  ClickProduct(form, kClay);
  ClickProduct(form, kCoal);
  const auto before = test::Snapshot(w.folder.xml());
  const QString target = SelectedCaption(targetsView);
  {
    test::ModalWatch noQuestion;
    for (TListView* view : {selectionView, productView, itemProductView, targetsView}) {
      SCOPED_TRACE(view->objectName().toStdString());
      const QStringList rows = Captions(view);
      const QString selected = SelectedCaption(view);
      test::ClickBesideRows(view);
      // The building list is always longer than its view: beside its rows is right of its columns.
      if (view == targetsView) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(view->viewport()->width() - 2, 10));
      }
      EXPECT_EQ(Captions(view), rows);
      EXPECT_EQ(SelectedCaption(view), selected);
    }
    EXPECT_TRUE(noQuestion.seen().isEmpty());
  }
  EXPECT_EQ(test::Snapshot(w.folder.xml()), before);
  EXPECT_EQ(SelectedCaption(targetsView), target);
  EXPECT_EQ(Captions(itemProductView), (QStringList{kClay, kCoal}));

  // A single click on a row of the item's list removes that row, on screen and on disk.
  ClickRow(itemProductView, itemProductView->Row(0));
  EXPECT_EQ(Captions(itemProductView), (QStringList{kCoal}));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("2000502230.xml")),
            "<Products>\r\n" + ListLine(kCoal, "Kohle", "icon_coal", "2000502230") + "</Products>\r\n");
  ClickRow(itemProductView, itemProductView->Row(0));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("2000502230.xml")), QByteArray("<Products/>\r\n"));
}

TEST(ItemEditing, AGroupClickListsItsProducts) {
  test::ShownWindow w;
  auto* selectionView = w.control<TListView>("SelectionView");
  auto* productView = w.control<TListView>("ProductView");
  ClickRow(selectionView, RowWithCaption(selectionView, QStringLiteral("410042")));
  EXPECT_EQ(productView->topLevelItemCount(), 14);
  EXPECT_EQ(productView->Row(0)->text(1), QString::fromUtf8("Bärenfelle"));
  EXPECT_EQ(productView->Selected(), nullptr);
}

TEST(ItemEditing, ATargetGoesToThePressedItemOnlyAndStoresTheBoxesAsTheyStand) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  auto* item4Btn = w.control<QToolButton>("Item4Btn");
  auto* region2Btn = w.control<QToolButton>("Region2Btn");
  auto* targetsView = w.control<TListView>("TargetsView");
  auto* targetLabel = w.control<QLabel>("TargetLabel");
  auto* productAmountBox = w.control<QSpinBox>("ProductAmountBox");
  auto* productCycleBox = w.control<QSpinBox>("ProductCycleBox");
  QTest::mouseClick(item4Btn, Qt::LeftButton);
  QTest::mouseClick(region2Btn, Qt::LeftButton);
  EXPECT_EQ(targetsView->topLevelItemCount(), 43);
  EXPECT_EQ(targetsView->Selected(), nullptr);
  ClickBuilding(form, QStringLiteral("101251"));
  for (int slot = 1; slot <= 6; ++slot) {
    EXPECT_EQ(ItemTarget(form, slot), slot == 4 ? QStringLiteral("101251") : QStringLiteral("100451")) << slot;
  }
  EXPECT_EQ(targetLabel->text(), QStringLiteral("Ziel : Zuckerraffinerie"));
  QStringList targets = kDefaultTargets;
  targets[3] = QStringLiteral("101251");
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), PropertyWithTargets("25", "1", targets));

  // Boxes changed: nothing is stored until the next target click, which stores them.
  productAmountBox->setValue(120);
  productCycleBox->setValue(7);
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), PropertyWithTargets("25", "1", targets));
  ClickBuilding(form, QStringLiteral("101252"));
  targets[3] = QStringLiteral("101252");
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), PropertyWithTargets("120", "7", targets));
  productAmountBox->setValue(33);
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), PropertyWithTargets("120", "7", targets));
}

TEST(ItemEditing, ItemSwitchesShowEachItemWithItsStoredTargetAndLeaveTheRestAlone) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  auto* item4Btn = w.control<QToolButton>("Item4Btn");
  auto* region2Btn = w.control<QToolButton>("Region2Btn");
  auto* region3Btn = w.control<QToolButton>("Region3Btn");
  auto* targetsView = w.control<TListView>("TargetsView");
  auto* targetLabel = w.control<QLabel>("TargetLabel");
  auto* selectionView = w.control<TListView>("SelectionView");
  auto* productView = w.control<TListView>("ProductView");
  auto* productAmountBox = w.control<QSpinBox>("ProductAmountBox");
  auto* productCycleBox = w.control<QSpinBox>("ProductCycleBox");
  auto* region1Btn = w.control<QToolButton>("Region1Btn");
  auto* itemProductViewLabel = w.control<QLabel>("ItemProductViewLabel");
  auto* targetViewLabel = w.control<QLabel>("TargetViewLabel");
  auto* singleResetImg = w.control<TImage>("SingleResetImg");
  QTest::mouseClick(item4Btn, Qt::LeftButton);
  QTest::mouseClick(region2Btn, Qt::LeftButton);
  ClickBuilding(form, QStringLiteral("101251"));
  const QByteArray stored = test::ReadBytes(w.folder.xml("Property.xml"));

  // Another region and back, no building clicked: the target stays.
  QTest::mouseClick(region3Btn, Qt::LeftButton);
  EXPECT_EQ(targetsView->topLevelItemCount(), 16);
  QTest::mouseClick(region2Btn, Qt::LeftButton);
  EXPECT_EQ(targetsView->Selected(), nullptr);
  EXPECT_EQ(ItemTarget(form, 4), QStringLiteral("101251"));
  EXPECT_EQ(targetLabel->text(), QStringLiteral("Ziel : Zuckerraffinerie"));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), stored);

  // Group, products and boxes as the user left them, whatever item is chosen.
  ClickRow(selectionView, selectionView->Row(3));
  productView->SelectRow(productView->Row(2));
  productAmountBox->setValue(99);
  productCycleBox->setValue(9);
  const QStringList products = Captions(productView);
  const QString product = SelectedCaption(productView);
  struct Case {
    int slot;
    const char* numeral;
    const char* target;
    QToolButton* region;
  } cases[] = {{1, "I", "100451", region1Btn},   {4, "IV", "101251", region2Btn},
               {2, "II", "100451", region1Btn},  {3, "III", "100451", region1Btn},
               {5, "V", "100451", region1Btn},   {6, "VI", "100451", region1Btn},
               {4, "IV", "101251", region2Btn}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    QTest::mouseClick(ItemButton(form, c.slot), Qt::LeftButton);
    EXPECT_EQ(form.itemGuid(), QString::number(2000502230LL + 2 * (c.slot - 1)));
    EXPECT_EQ(form.itemSlot(), QString::number(c.slot));
    EXPECT_EQ(itemProductViewLabel->text(), QStringLiteral("Produktlist des Items ") + QLatin1String(c.numeral));
    EXPECT_EQ(targetViewLabel->text(), QStringLiteral("Zielgebäude des Items ") + QLatin1String(c.numeral));
    EXPECT_EQ(singleResetImg->toolTip(), QStringLiteral("Item ") + QLatin1String(c.numeral) + QStringLiteral(" zurücksetzen"));
    EXPECT_EQ(ItemTarget(form, c.slot), QLatin1String(c.target));
    EXPECT_TRUE(c.region->isChecked());
    EXPECT_EQ(SelectedCaption(targetsView), QLatin1String(c.target));
    const QRect selectedRect = targetsView->visualItemRect(targetsView->Selected());
    EXPECT_TRUE(targetsView->viewport()->rect().contains(selectedRect));
    EXPECT_EQ(productAmountBox->value(), 99);
    EXPECT_EQ(productCycleBox->value(), 9);
    EXPECT_EQ(SelectedCaption(selectionView), selectionView->Row(3)->text(0));
    EXPECT_EQ(Captions(productView), products);
    EXPECT_EQ(SelectedCaption(productView), product);
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
  auto* item2Btn = w.control<QToolButton>("Item2Btn");
  auto* targetsView = w.control<TListView>("TargetsView");
  auto* itemProductView = w.control<TListView>("ItemProductView");
  auto* item3Btn = w.control<QToolButton>("Item3Btn");
  auto* itemProductViewLabel = w.control<QLabel>("ItemProductViewLabel");
    const QString path = w.folder.xml(QLatin1String(c.file));
    if (c.content.isEmpty()) QFile::remove(path);
    else test::WriteBytes(path, c.content);
    const auto before = test::Snapshot(w.folder.xml());
    QStringList seen;
    test::ClickInNextModal(QStringLiteral("OK"), &seen);
    switch (c.action) {
      case SwitchToItem2: QTest::mouseClick(item2Btn, Qt::LeftButton); break;
      case AddProduct: ClickProduct(form, kCoal); break;
      case ChooseTarget: ClickRow(targetsView, targetsView->Row(0)); break;
    }
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_TRUE(seen.join(u' ').contains(QString::fromUtf8(c.message))) << seen.join(u' ').toStdString();
    EXPECT_TRUE(seen.join(u' ').contains(QLatin1String(c.file)));
    EXPECT_EQ(test::Snapshot(w.folder.xml()), before);
    EXPECT_EQ(itemProductView->topLevelItemCount(), 0);
    // The window runs on: another item is shown as before.
    EXPECT_TRUE(form.isVisible());
    if (QLatin1String(c.file) != QLatin1String("Property.xml")) {
      QTest::mouseClick(item3Btn, Qt::LeftButton);
      EXPECT_EQ(itemProductViewLabel->text(), QStringLiteral("Produktlist des Items III"));
      EXPECT_EQ(SelectedCaption(targetsView), QStringLiteral("100451"));
    }
  }
}

TEST(ItemEditing, AfterARestartEverythingEditedIsShownAgain) {
  test::ShownWindow w;
  {
    TMainForm& form = *w.form;
  auto* item5Btn = w.control<QToolButton>("Item5Btn");
  auto* productAmountBox = w.control<QSpinBox>("ProductAmountBox");
  auto* productCycleBox = w.control<QSpinBox>("ProductCycleBox");
  auto* region3Btn = w.control<QToolButton>("Region3Btn");
    ClickProduct(form, kCoal);
    ClickProduct(form, kClay);
    QTest::mouseClick(item5Btn, Qt::LeftButton);
    test::ClickInNextModal(QStringLiteral("Ja"));  // item I holds clay already
    ClickProduct(form, kClay);
    productAmountBox->setValue(120);
    productCycleBox->setValue(7);
    QTest::mouseClick(region3Btn, Qt::LeftButton);
    ClickBuilding(form, QStringLiteral("112680"));
    w.form->close();
  }
  TMainForm again(w.folder.path());
  auto* itemProductView = test::Control<TListView>(again, "ItemProductView");
  EXPECT_EQ(again.itemGuid(), QStringLiteral("2000502230"));
  EXPECT_EQ(Captions(itemProductView), (QStringList{kCoal, kClay}));
  EXPECT_EQ(test::Control<QSpinBox>(again, "ProductAmountBox")->value(), 120);
  EXPECT_EQ(test::Control<QSpinBox>(again, "ProductCycleBox")->value(), 7);
  for (int slot = 1; slot <= 6; ++slot) {
    EXPECT_EQ(ItemTarget(again, slot), slot == 5 ? QStringLiteral("112680") : QStringLiteral("100451")) << slot;
  }
  test::Control<QToolButton>(again, "Item5Btn")->click();
  EXPECT_EQ(Captions(itemProductView), (QStringList{kClay}));
  EXPECT_TRUE(test::Control<QToolButton>(again, "Region3Btn")->isChecked());
  EXPECT_EQ(SelectedCaption(test::Control<TListView>(again, "TargetsView")), QStringLiteral("112680"));
  EXPECT_EQ(test::Control<QLabel>(again, "TargetLabel")->text(), QStringLiteral("Ziel : Schlittenstation"));
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
  auto* region1Btn = w.control<QToolButton>("Region1Btn");
  auto* targetsView = w.control<TListView>("TargetsView");
  auto* region2Btn = w.control<QToolButton>("Region2Btn");
  auto* targetLabel = w.control<QLabel>("TargetLabel");
  auto* productView = w.control<TListView>("ProductView");
  auto* selectionView = w.control<TListView>("SelectionView");
  auto* itemProductView = w.control<TListView>("ItemProductView");
  auto* item2Btn = w.control<QToolButton>("Item2Btn");
  auto* item3Btn = w.control<QToolButton>("Item3Btn");
  ASSERT_TRUE(region1Btn->isChecked());
  QList<ItemProduct> goods;  // the 58 goods of "Rohstoff", in the order listed
  struct Case {
    const char* list;
    TListView* view;
    std::function<void()> before;  // fills the list with more rows than it shows
    std::function<void()> refill;
    std::function<void()> check;   // after a click on the top row
  } cases[] = {
      {"buildings", targetsView, [] {}, [&] { QTest::mouseClick(region2Btn, Qt::LeftButton); },
       [&] {
         EXPECT_EQ(ItemTarget(form, 1).toStdString(), "101287");
         EXPECT_EQ(targetLabel->text().toStdString(), "Ziel : Alpakafarm");
       }},
      {"products", productView,
       [&] {
         ClickRow(selectionView, RowWithCaption(selectionView, QStringLiteral("11702")));
         for (int i = 0; i < productView->RowCount(); ++i) {
           const QTreeWidgetItem* row = productView->Row(i);
           goods.append({row->text(0), row->text(1), row->text(2)});
         }
       },
       [&] { ClickRow(selectionView, RowWithCaption(selectionView, QStringLiteral("11703"))); },
       [&] { EXPECT_EQ(Captions(itemProductView).join(u' ').toStdString(), "841"); }},  // Aluminium
      {"item products", itemProductView,
       [&] {
         SaveItemContent(w.folder.xml(), QStringLiteral("2000502232"), goods.mid(0, 30));
         SaveItemContent(w.folder.xml(), QStringLiteral("2000502234"), goods.mid(20, 30));
         QTest::mouseClick(item2Btn, Qt::LeftButton);
       },
       [&] { QTest::mouseClick(item3Btn, Qt::LeftButton); },
       [&] {
         EXPECT_EQ(itemProductView->RowCount(), 29);
         EXPECT_EQ(itemProductView->Row(0)->text(0).toStdString(), goods[21].guid.toStdString());
       }},
  };
  ASSERT_EQ(productView->RowCount(), 13);
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
  auto* targetsView = w.control<TListView>("TargetsView");
  const int rowHeight = targetsView->visualItemRect(targetsView->Row(0)).height();
  ASSERT_EQ(targetsView->viewport()->height() / rowHeight, 15);  // rows that fit
  ASSERT_EQ(targetsView->RowCount(), 50);
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
    if (c.row < 25) targetsView->scrollToBottom();
    else targetsView->scrollToTop();
    QTest::mouseClick(ItemButton(form, c.slot), Qt::LeftButton);
    ASSERT_EQ(SelectedCaption(targetsView).toStdString(), c.target);
    EXPECT_EQ(targetsView->indexOfTopLevelItem(targetsView->Selected()), c.row);
    EXPECT_EQ(TopRow(targetsView), c.top);
    EXPECT_TRUE(targetsView->viewport()->rect().contains(targetsView->visualItemRect(targetsView->Selected())));
  }
}

TEST(ItemEditing, ADoubleClickOnAListDoesWhatOneClickDoes) {
  // The same steps in two windows: one clicks, the other double-clicks.
  test::ShownWindow clicked;
  test::ShownWindow doubleClicked;
  for (const test::ShownWindow* w : {&clicked, &doubleClicked}) {
    auto* products = w->control<TListView>("ProductView");
    for (int i = 0; i < 3; ++i) ClickRow(products, products->Row(i));  // Bauxit, Eisen, Erdgas
  }
  test::ModalWatch noQuestion;
  struct Case {
    const char* list;
    const char* view;
    int row;
  } cases[] = {
      {"item products", "ItemProductView", 0},
      {"products", "ProductView", 7},  // Kohle, in no item yet
      {"groups", "SelectionView", 4},
      {"buildings", "TargetsView", 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    ClickRow(clicked.control<TListView>(c.view), clicked.control<TListView>(c.view)->Row(c.row));
    test::DoubleClickRow(doubleClicked.control<TListView>(c.view), doubleClicked.control<TListView>(c.view)->Row(c.row));
    for (const char* view : {"SelectionView", "ProductView", "ItemProductView", "TargetsView"}) {
      const TListView* once = clicked.control<TListView>(view);
      const TListView* twice = doubleClicked.control<TListView>(view);
      EXPECT_EQ(Captions(twice).join(u' ').toStdString(), Captions(once).join(u' ').toStdString());
      EXPECT_EQ(SelectedCaption(twice).toStdString(), SelectedCaption(once).toStdString());
    }
    EXPECT_EQ(doubleClicked.control<QLabel>("TargetLabel")->text().toStdString(),
              clicked.control<QLabel>("TargetLabel")->text().toStdString());
    EXPECT_TRUE(test::Snapshot(doubleClicked.folder.xml()) == test::Snapshot(clicked.folder.xml()));
  }
  EXPECT_TRUE(noQuestion.seen().isEmpty()) << noQuestion.seen().join(u' ').toStdString();
  // One row removed, one added.
  EXPECT_EQ(Captions(doubleClicked.control<TListView>("ItemProductView")).join(u' ').toStdString(), "1010227 112706 1010226");
}
