#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "tests/ui/windowsupport.h"
#include "ui/controls.h"
#include "ui/mainform.h"
#include "ui/messageform.h"
#include "ui/support.h"
#include "workspace/itemstore.h"

using namespace bw;
using test::ClickRow;
using test::RowWithCaption;

namespace {

const ItemProduct kCoal{"1010226", "Kohle", "icon_coal"};
const ItemProduct kClay{"1010201", "Lehm", "icon_clay"};

QString SelectedCaption(const TListView* view) { return view->Selected() ? view->Selected()->text(0) : QString(); }

QString ItemTarget(TMainForm& form, int slot) {
  return form.findChild<QLabel*>(QStringLiteral("Item%1Target").arg(slot))->text();
}

// What the question window showed, answered with `button` (or closed when no button has
// that caption).
struct Answer {
  QString header, text, ok, abort;
  QImage picture;
};

void AnswerNextQuestion(const QString& button, Answer* seen) {
  test::OnNextModal([button, seen](QWidget* modal) {
    auto* message = qobject_cast<TMessageForm*>(modal);
    ASSERT_NE(message, nullptr);
    *seen = {message->HeaderLabel->text(), message->MsgBoxLabel->text(), message->OKBtn->text(),
             message->AbortBtn->text(), message->RemarkImage->pixmap().toImage()};
    if (message->OKBtn->text() == button) message->OKBtn->click();
    else if (message->AbortBtn->text() == button) message->AbortBtn->click();
    else message->close();
  });
}

void ExpectResetQuestion(const TMainForm& form, const Answer& seen, const QString& text) {
  EXPECT_EQ(seen.header, QStringLiteral("Sicherheitsabfrage"));
  EXPECT_EQ(seen.text, QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
  EXPECT_EQ(seen.ok, QStringLiteral("Zurücksetzen"));
  EXPECT_EQ(seen.abort, QStringLiteral("Abbrechen"));
  const TImageCollection& pictures = form.images().HelpImageCollection;
  EXPECT_EQ(seen.picture, QPixmap::fromImage(pictures.GetScaledImage(pictures.IndexOf(u"Achtung"), 64, 64)).toImage());
}

const QString kSingleQuestion3 = QStringLiteral("\rAlle Werte des aktuellen Items 3 zurücksetzen ?\r\r");
const QString kFullQuestion = QStringLiteral(
    "\rAlle Daten des Programms auf die Startwerte zurücksetzen ?\r\r"
    "Achtung : Führen Sie diese Aktion nicht aus, wenn die Daten\r"
    "zur Zeit in einem aktuellen Spiel verwendet werden!\r");

// Every slot gets a product and item III, V and VI another target, as a user would.
void EditAllSlots(TMainForm& form) {
  const QStringList items = {"2000502230", "2000502232", "2000502234", "2000502236", "2000502238", "2000502240"};
  for (int slot = 1; slot <= 6; ++slot) SaveItemContent(form.paths().XMLPath, items[slot - 1], {slot % 2 ? kCoal : kClay});
  const test::MainControls ui(form);
  for (QToolButton* item : {ui.Item3Btn, ui.Item5Btn, ui.Item6Btn}) {
    QTest::mouseClick(item, Qt::LeftButton);
    QTest::mouseClick(ui.Region2Btn, Qt::LeftButton);
    ClickRow(ui.TargetsView, RowWithCaption(ui.TargetsView, QStringLiteral("101251")));
  }
}

}  // namespace

TEST(Resets, SingleResetEmptiesTheCurrentSlotAndSetsItsTargetBack) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  EditAllSlots(form);
  QTest::mouseClick(w.ui.Item3Btn, Qt::LeftButton);
  ASSERT_EQ(w.ui.ItemProductView->topLevelItemCount(), 1);
  w.ui.ProductAmountBox->setValue(120);  // not stored: the reset leaves it so
  const auto before = test::Snapshot(w.folder.xml());

  Answer seen;
  AnswerNextQuestion(QStringLiteral("Zurücksetzen"), &seen);
  QTest::mouseClick(w.ui.SingleResetImg, Qt::LeftButton);
  ExpectResetQuestion(form, seen, kSingleQuestion3);

  EXPECT_EQ(w.ui.ItemProductView->topLevelItemCount(), 0);
  EXPECT_EQ(test::ReadBytes(w.folder.xml("2000502234.xml")), QByteArray("<Products/>\r\n"));
  QByteArray property = before.value(QStringLiteral("Property.xml"));
  property.replace("<Property Name=\"2000502234\" GUID=\"101251\"/>", "<Property Name=\"2000502234\" GUID=\"100451\"/>");
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")), property);
  EXPECT_TRUE(property.contains("<Property Name=\"2000502238\" GUID=\"101251\"/>"));
  EXPECT_TRUE(property.contains("<Property Name=\"ProductAmount\" Value=\"25\"/>"));
  auto after = test::Snapshot(w.folder.xml());
  auto unchanged = before;
  for (const char* written : {"2000502234.xml", "Property.xml"}) {
    after.remove(QLatin1String(written));
    unchanged.remove(QLatin1String(written));
  }
  EXPECT_EQ(after, unchanged);

  EXPECT_EQ(ItemTarget(form, 3), QStringLiteral("100451"));
  for (int slot : {5, 6}) EXPECT_EQ(ItemTarget(form, slot), QStringLiteral("101251"));
  EXPECT_TRUE(w.ui.Region1Btn->isChecked());
  EXPECT_EQ(SelectedCaption(w.ui.TargetsView), QStringLiteral("100451"));
  EXPECT_TRUE(w.ui.TargetsView->viewport()->rect().contains(w.ui.TargetsView->visualItemRect(w.ui.TargetsView->Selected())));
  EXPECT_TRUE(w.ui.Item3Btn->isChecked());
  EXPECT_EQ(form.itemSlot(), QStringLiteral("3"));
  EXPECT_EQ(w.ui.ProductAmountBox->value(), 120);
  EXPECT_EQ(w.ui.ProductCycleBox->value(), 1);
}

TEST(Resets, DecliningEitherQuestionChangesNothing) {
  struct Case {
    const char* reset;
    const char* answer;  // a caption, or none to close the window
  } cases[] = {{"SingleResetImg", "Abbrechen"}, {"SingleResetImg", ""}, {"FullResetImg", "Abbrechen"}, {"FullResetImg", ""}};
  test::ShownWindow w;
  TMainForm& form = *w.form;
  EditAllSlots(form);
  QTest::mouseClick(w.ui.Item5Btn, Qt::LeftButton);
  w.ui.ProductCycleBox->setValue(9);
  const auto before = test::Snapshot(w.folder.path());
  const QSize size = form.frameGeometry().size();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.reset) + " " + c.answer);
    Answer seen;
    AnswerNextQuestion(QString::fromUtf8(c.answer), &seen);
    QTest::mouseClick(form.findChild<TImage*>(QLatin1String(c.reset)), Qt::LeftButton);
    EXPECT_EQ(seen.header, QStringLiteral("Sicherheitsabfrage"));
    EXPECT_EQ(test::Snapshot(w.folder.path()), before);
    EXPECT_TRUE(w.ui.Item5Btn->isChecked());
    EXPECT_EQ(w.ui.ItemProductView->topLevelItemCount(), 1);
    EXPECT_EQ(ItemTarget(form, 5), QStringLiteral("101251"));
    EXPECT_TRUE(w.ui.Region2Btn->isChecked());
    EXPECT_EQ(SelectedCaption(w.ui.TargetsView), QStringLiteral("101251"));
    EXPECT_EQ(w.ui.ProductCycleBox->value(), 9);
    EXPECT_EQ(form.frameGeometry().size(), size);
  }
}

TEST(Resets, FullResetRestoresTheFirstStartAndKeepsTheUsersOwnFiles) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  EditAllSlots(form);
  w.ui.ProductAmountBox->setValue(120);
  QTest::mouseClick(w.ui.Item4Btn, Qt::LeftButton);
  // As after a few mod generations: the trigger counter has moved on.
  QByteArray property = test::ReadBytes(w.folder.xml("Property.xml"));
  property.replace("<Property Name=\"2000502260\"/>", "<Property Name=\"2000502263\"/>");
  test::WriteBytes(w.folder.xml("Property.xml"), property);
  test::WriteBytes(w.folder.xml("Notizen.txt"), "meine Notizen\r\n");
  test::WriteBytes(w.folder.xml("Products.xml"), "kaputt");
  test::WriteBytes(w.folder.path() + QStringLiteral("xmlk.zip"), "meins");

  Answer seen;
  AnswerNextQuestion(QStringLiteral("Zurücksetzen"), &seen);
  QTest::mouseClick(w.ui.FullResetImg, Qt::LeftButton);
  ExpectResetQuestion(form, seen, kFullQuestion);

  for (const char* item : {"2000502230.xml", "2000502232.xml", "2000502234.xml", "2000502236.xml", "2000502238.xml",
                           "2000502240.xml"}) {
    EXPECT_EQ(test::ReadBytes(w.folder.xml(QLatin1String(item))), QByteArray("<Products/>\r\n")) << item;
  }
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Property.xml")),
            test::ReadBytes(QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/golden/Property.xml")));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Products.xml")), test::ReadBytes(test::ShippedWorkspace() + "Products.xml"));
  EXPECT_EQ(test::ReadBytes(w.folder.xml("Notizen.txt")), QByteArray("meine Notizen\r\n"));
  EXPECT_EQ(test::ReadBytes(w.folder.path() + QStringLiteral("xmlk.zip")), QByteArray("meins"));

  EXPECT_EQ(form.frameGeometry().size(), QSize(1675, 942));
  EXPECT_EQ(w.ui.Version->text(), GetAppVersionStr());
  EXPECT_TRUE(w.ui.Item1Btn->isChecked());
  EXPECT_EQ(form.itemGuid(), QStringLiteral("2000502230"));
  EXPECT_EQ(form.itemSlot(), QStringLiteral("1"));
  EXPECT_EQ(w.ui.ItemProductViewLabel->text(), QStringLiteral("Produktlist des Items I"));
  EXPECT_EQ(w.ui.ItemProductView->topLevelItemCount(), 0);
  EXPECT_EQ(w.ui.ProductAmountBox->value(), 25);
  EXPECT_EQ(w.ui.ProductCycleBox->value(), 1);
  for (int slot = 1; slot <= 6; ++slot) EXPECT_EQ(ItemTarget(form, slot), QStringLiteral("100451")) << slot;
  EXPECT_TRUE(w.ui.Region1Btn->isChecked());
  EXPECT_EQ(SelectedCaption(w.ui.TargetsView), QStringLiteral("100451"));
  EXPECT_TRUE(w.ui.TargetsView->viewport()->rect().contains(w.ui.TargetsView->visualItemRect(w.ui.TargetsView->Selected())));
  EXPECT_EQ(w.ui.TargetLabel->text(), QStringLiteral("Ziel : Sägewerk"));
  EXPECT_EQ(w.ui.SelectionView->Selected(), w.ui.SelectionView->Row(0));
  EXPECT_EQ(w.ui.ProductView->Selected(), w.ui.ProductView->Row(0));
  EXPECT_EQ(w.ui.ProductView->Row(0)->text(1), QStringLiteral("Bauxit"));
}

TEST(Resets, ASingleResetOnABrokenPropertyFileIsReportedAndKeepsTheSlot) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  EditAllSlots(form);
  QTest::mouseClick(w.ui.Item3Btn, Qt::LeftButton);
  QFile::remove(w.folder.xml("Property.xml"));
  const auto before = test::Snapshot(w.folder.xml());
  QStringList errors;
  test::OnNextModal([&errors](QWidget* question) {
    test::ClickInNextModal(QStringLiteral("OK"), &errors);
    qobject_cast<TMessageForm*>(question)->OKBtn->click();
  });
  QTest::mouseClick(w.ui.SingleResetImg, Qt::LeftButton);
  EXPECT_TRUE(errors.join(u' ').contains(QStringLiteral("Property.xml“ fehlt oder kann nicht gelesen werden")))
      << errors.join(u' ').toStdString();
  EXPECT_EQ(test::Snapshot(w.folder.xml()), before);
  EXPECT_EQ(w.ui.ItemProductView->topLevelItemCount(), 1);
  EXPECT_EQ(ItemTarget(form, 3), QStringLiteral("101251"));
  EXPECT_TRUE(form.isVisible());
}
