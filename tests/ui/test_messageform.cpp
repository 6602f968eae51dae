#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "tests/ui/windowsupport.h"
#include "ui/controls.h"
#include "ui/mainform.h"
#include "ui/messageform.h"

using namespace bw;

namespace {

// A key pressed by the user goes to the widget with the keyboard focus.
void PressKey(TMessageForm& form, Qt::Key key) {
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus ? focus : &form, key);
}

// A window that an answer failed to close ends with −1 instead of hanging the test.
void CloseIfStillOpen(TMessageForm& form) {
  QTimer::singleShot(500, &form, [&form] {
    if (form.isVisible()) form.done(-1);
  });
}

struct Seen {
  QRect window, label, abort, ok, line, remark;
  QWidget* focus = nullptr;
  QString text;
};

// Asks through the message window; `answer` runs on it once it is up.
int AskAndRecord(TMessageForm& form, const QString& text, Seen& seen, std::function<void(TMessageForm&)> answer) {
  test::OnNextModal([&](QWidget*) {
    seen = {form.geometry(),         form.MsgBoxLabel->geometry(), form.AbortBtn->geometry(),
            form.OKBtn->geometry(),  form.Line->geometry(),       form.RemarkImage->geometry(),
            QApplication::focusWidget(), form.MsgBoxLabel->text()};
    answer(form);
    CloseIfStillOpen(form);
  });
  form.HeaderLabel->setText(QStringLiteral("Frage"));
  form.SetRemarkPicture(QImage(64, 64, QImage::Format_ARGB32));
  form.MsgBoxLabel->setText(text);
  form.OKBtn->setText(QStringLiteral("Ja"));
  form.AbortBtn->setText(QStringLiteral("Nein"));
  return form.exec();
}

}  // namespace

TEST(MessageForm, LaysItselfOutAroundTheTextAndOpensWithTheFocusOnAbort) {
  TMessageForm form;
  const QFontMetrics metrics(form.MsgBoxLabel->font());
  const QString longLine = QStringLiteral("Dieses Produkt ist schon in einem Item enthalten und wird nun ein zweites Mal "
                                          "hinzugefügt, wenn Sie mit Ja antworten.");
  struct Case {
    QString text;
    int lines;
    int textWidth;
  } cases[] = {
      {QStringLiteral("Eine Zeile"), 1, metrics.horizontalAdvance(QStringLiteral("Eine Zeile"))},
      {longLine, 1, metrics.horizontalAdvance(longLine)},
      {QStringLiteral("\rAlle Werte des aktuellen Items 3 zurücksetzen ?\r\r"), 4,
       metrics.horizontalAdvance(QStringLiteral("Alle Werte des aktuellen Items 3 zurücksetzen ?"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    Seen seen;
    EXPECT_EQ(AskAndRecord(form, c.text, seen, [](TMessageForm& f) { PressKey(f, Qt::Key_Space); }), 9);
    const int bottom = 40 + c.lines * metrics.height();
    EXPECT_EQ(seen.label, QRect(105, 40, c.textWidth + 30, c.lines * metrics.height()));
    EXPECT_EQ(seen.abort, QRect(16, bottom + 40, 160, 30));
    EXPECT_EQ(seen.ok, QRect(105 + c.textWidth + 30 - 160, bottom + 40, 160, 30));
    EXPECT_EQ(seen.ok.right(), seen.label.right());
    EXPECT_EQ(seen.line.top(), bottom + 32);
    EXPECT_EQ(seen.window.size(), QSize(64 + c.textWidth + 30 + 48, bottom + 78));
    EXPECT_EQ(seen.remark, QRect(5, (bottom + 78) / 2 - 48, 64, 64));
    const QRect screen = form.screen()->geometry();
    EXPECT_EQ(seen.window.topLeft(), QPoint(qAbs(screen.width() - seen.window.width()) / 2,
                                            qAbs(screen.height() - seen.window.height()) / 2));
    EXPECT_EQ(seen.focus, form.AbortBtn);
    EXPECT_FALSE(seen.text.contains(QLatin1Char('\r')));
  }
}

TEST(MessageForm, AskTellsWhetherTheUserAgreed) {
  TMessageForm form;
  const QImage picture(92, 128, QImage::Format_ARGB32);
  struct Case {
    std::function<void(TMessageForm&)> answer;
    bool agreed;
  } cases[] = {
      {[](TMessageForm& f) { QTest::mouseClick(f.OKBtn, Qt::LeftButton); }, true},
      {[](TMessageForm& f) { QTest::mouseClick(f.AbortBtn, Qt::LeftButton); }, false},
      {[](TMessageForm& f) { PressKey(f, Qt::Key_Return); }, false},
      {[](TMessageForm& f) { f.close(); }, false},
      // Clicking OK gave it the focus once; the next question still opens on Abort.
      {[](TMessageForm& f) { PressKey(f, Qt::Key_Return); }, false},
  };
  int i = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(i++);
    QString header;
    test::OnNextModal([&](QWidget*) {
      header = form.HeaderLabel->text();
      c.answer(form);
      CloseIfStillOpen(form);
    });
    EXPECT_EQ(form.Ask(QStringLiteral("Sicherheitsabfrage"), picture, QStringLiteral("\rAlles zurücksetzen ?\r\r"),
                       QStringLiteral("Zurücksetzen"), QStringLiteral("Abbrechen")),
              c.agreed);
    EXPECT_EQ(header, QStringLiteral("Sicherheitsabfrage"));
    EXPECT_EQ(form.OKBtn->text(), QStringLiteral("Zurücksetzen"));
    EXPECT_EQ(form.AbortBtn->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(form.RemarkImage->size(), QSize(92, 128));  // takes the size of its picture
  }
}
