#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <vector>

#include "tests/ui/windowsupport.h"
#include "ui/layoutscale.h"
#include "ui/mainform.h"
#include "workspace/paths.h"

using namespace bw;

TEST(MainForm, EveryControlHasItsPlaceSizeAndTextAfterStart) {
  test::ShownWindow w;
  // Width and height −1: natural size (the text's own size).
  struct Place {
    QString name;
    int x, y, width, height;
    const char* text;
  };
  std::vector<Place> places = {
      {"BackImage", -3, -1, 1800, 1000, nullptr},
      {"CorvanaImage", 1437, 40, 200, 72, nullptr},
      {"Image1", 1477, 136, 128, 128, nullptr},
      {"BrassmoorImage", 78, 844, 200, 24, nullptr},
      {"Version", 84, 874, 177, 17, "18.2.4.17"},
      {"SelectionView", 21, 40, 296, 788, nullptr},
      {"ProductView", 323, 40, 296, 788, nullptr},
      {"ItemProductView", 720, 40, 300, 788, nullptr},
      {"TargetsView", 1118, 40, 300, 788, nullptr},
      {"SelectionViewLabel", 21, 16, -1, -1, "Warenlisten"},
      {"ProductViewLabel", 323, 16, -1, -1, "Einzelprodukte"},
      {"ItemProductViewLabel", 720, 16, -1, -1, "Produktlist des Items I"},
      {"TargetViewLabel", 1118, 16, -1, -1, "Zielgebäude des Items I"},
      {"Label3", 1437, 379, -1, -1, "Einstellungen aller Items"},
      {"ProductAmountLabel", 1437, 403, -1, -1, "Produktmenge"},
      {"ProductAmountBox", 1437, 427, 200, 26, "25"},
      {"ProductOutputCycleLabel", 1437, 459, -1, -1, "Produktzyklus"},
      {"ProductCycleBox", 1437, 483, 200, 26, "1"},
      {"Create_ItemBtn", 1437, 720, 200, 108, "Modifikationen erzeugen"},
      {"CloseBtn", 1437, 834, 200, 65, "Beenden"},
      {"SingleResetImg", 643, 466, 53, 54, nullptr},
      {"FullResetImg", 643, 771, 53, 54, nullptr},
      {"InfoImage", 648, 683, 39, 46, nullptr},
      {"CorvanaLabel", 323, 858, 697, 17,
       "Das Spiel ist aktiv. Änderungen an den Modifikationen zeigen erst Wirkung nach einem erneuten Spielstart."},
      {"CreateXMLData", 1824, 460, 145, 49, "CreateXMLData"},
      {"TargetLabel", 1840, 379, -1, -1, "Ziel : Sägewerk"},
  };
  // The numbered controls: the item buttons, the region buttons and, in the developer strip,
  // the targets of the six items.
  const int itemButtonY[] = {40, 110, 180, 250, 320, 394};
  for (int i = 0; i < 6; ++i) {
    places.push_back({QStringLiteral("Item%1Btn").arg(i + 1), 637, itemButtonY[i], 64, 64, nullptr});
    places.push_back({QStringLiteral("Item%1Target").arg(i + 1), 1869, 531 + 24 * i, 75, 15, "100451"});
  }
  for (int i = 0; i < 4; ++i) {
    places.push_back({QStringLiteral("Region%1Btn").arg(i + 1), 1034, 40 + 70 * i, 64, 64, nullptr});
  }
  const QRect client = w.form->centralWidget()->rect();
  for (const Place& p : places) {
    SCOPED_TRACE(p.name.toStdString());
    QWidget* c = w.form->findChild<QWidget*>(p.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->pos(), QPoint(p.x, p.y));
    const QSize size = p.width < 0 ? c->sizeHint() : QSize(p.width, p.height);
    EXPECT_EQ(c->size(), size);
    if (p.text) {
      QString text;
      if (auto* label = qobject_cast<QLabel*>(c)) text = label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(c)) text = button->text();
      if (auto* box = qobject_cast<QSpinBox*>(c)) text = box->text();
      EXPECT_EQ(text, QString::fromUtf8(p.text));
    }
    const bool inDeveloperStrip = p.x >= 1824;
    const bool shown = !inDeveloperStrip && p.name != QLatin1String("CorvanaLabel");
    EXPECT_EQ(client.intersects(c->geometry()) && c->isVisible(), shown);
  }
  // The natural-size labels take the size of their text in the display font.
  EXPECT_EQ(QFontInfo(w.control<QLabel>("Label3")->font()).family(), QStringLiteral("Heuristica"));
  EXPECT_EQ(w.control<QLabel>("Label3")->width(),
            w.control<QLabel>("Label3")->fontMetrics().horizontalAdvance(QStringLiteral("Einstellungen aller Items")));
  // The background lies behind every other control.
  EXPECT_EQ(w.form->centralWidget()->children().first(), w.control("BackImage"));
  EXPECT_EQ(w.control<QLabel>("BackImage")->pixmap().size(), QSize(1800, 1000));
  // The status line is bold maroon.
  EXPECT_TRUE(w.control("CorvanaLabel")->font().bold());
  EXPECT_EQ(w.control("CorvanaLabel")->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
  // Start-up activates item I, which names it in the single reset's hint.
  EXPECT_EQ(w.control("SingleResetImg")->toolTip(), QStringLiteral("Item I zurücksetzen"));
  EXPECT_EQ(w.control("FullResetImg")->toolTip(), QStringLiteral("Alle gemachten Einstellungen für alle Items zurücksetzen"));
}

TEST(MainForm, WindowIsCentredFixedAndTitledBrennwick) {
  test::ShownWindow w;
  TMainForm& form = *w.form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Brennwick"));
  EXPECT_EQ(form.frameGeometry().size(), QSize(1664, 946));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  const QRect screen = form.screen()->geometry();
  // Centred; the offscreen platform reports its 2-pixel frame only once the window is placed.
  const QPoint offCentre = form.frameGeometry().topLeft() -
                           QPoint(screen.x() + (screen.width() - 1664) / 2, screen.y() + (screen.height() - 946) / 2);
  EXPECT_LE(qAbs(offCentre.x()), 2);
  EXPECT_LE(qAbs(offCentre.y()), 2);
  EXPECT_FALSE(form.windowIcon().isNull());
}

TEST(MainForm, DeveloperButtonNeverTakesTheKeyboardFocus) {
  test::ShownWindow w;
  auto* developer = w.control<QPushButton>("CreateXMLData");
  QSignalSpy developerClicks(developer, &QPushButton::clicked);
  EXPECT_EQ(developer->focusPolicy(), Qt::NoFocus);
  // Space and Enter right after start do not reach it; the first tab stop is "Beenden".
  EXPECT_EQ(QApplication::focusWidget(), w.control("CloseBtn"));
  // Tabbing runs through the tab stops in their order and never lands on it.
  QList<QWidget*> expected;
  for (const char* name : {"ProductView", "SelectionView", "ItemProductView", "ProductAmountBox", "ProductCycleBox",
                           "Create_ItemBtn", "CloseBtn"}) {
    expected << w.control(name);
  }
  QList<QWidget*> seen;
  for (int i = 0; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    // A spin box hands its focus to its line edit.
    seen << (qobject_cast<QSpinBox*>(focus->parentWidget()) ? focus->parentWidget() : focus);
  }
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(developerClicks.count(), 0);
}

TEST(MainForm, EachButtonGroupKeepsExactlyOneButtonDown) {
  test::ShownWindow w;
  for (const char* first : {"Item1Btn", "Region1Btn"}) {
    QButtonGroup* group = w.control<QToolButton>(first)->group();
    const QList<QAbstractButton*> buttons = group->buttons();
    SCOPED_TRACE(first);
    EXPECT_EQ(group->checkedButton(), buttons.first());
    QAbstractButton* third = buttons[2];
    QSignalSpy clicks(third, &QAbstractButton::clicked);
    QTest::mouseClick(third, Qt::LeftButton);
    EXPECT_EQ(group->checkedButton(), third);
    // A click on the button that is down keeps it down and is still reported.
    QTest::mouseClick(third, Qt::LeftButton);
    EXPECT_EQ(group->checkedButton(), third);
    EXPECT_EQ(clicks.count(), 2);
    // Setting a button down from code reports no click.
    QSignalSpy firstClicks(buttons.first(), &QAbstractButton::clicked);
    buttons.first()->setChecked(true);
    EXPECT_EQ(group->checkedButton(), buttons.first());
    EXPECT_FALSE(third->isChecked());
    EXPECT_EQ(firstClicks.count(), 0);
  }
}

TEST(MainForm, SettingBoxesTakeOnlyWholeNumbersInTheirRange) {
  test::ShownWindow w;
  auto* amount = w.control<QSpinBox>("ProductAmountBox");
  auto* cycle = w.control<QSpinBox>("ProductCycleBox");
  struct Case {
    QSpinBox* box;
    const char* typed;
    int value;
  } cases[] = {
      {amount, "120", 120}, {amount, "2500", 250}, {amount, "251", 25}, {amount, "-5", 5},
      {cycle, "50", 50},    {cycle, "999", 9},     {cycle, "7x", 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    QLineEdit* edit = c.box->findChild<QLineEdit*>();
    c.box->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QLatin1String(c.typed));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(c.box->value(), c.value);
    EXPECT_LE(edit->text().size(), c.box == amount ? 3 : 2);
    c.box->setValue(c.box == amount ? 25 : 1);
  }
}

TEST(MainForm, CloseButtonClosesTheWindow) {
  test::ShownWindow w;
  QTest::mouseClick(w.control("CloseBtn"), Qt::LeftButton);
  EXPECT_FALSE(w.form->isVisible());
}

// The notice that the game runs follows a game process found through the process list.
TEST(MainForm, TheGameNoticeFollowsTheGameWithinOneTick) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  auto* timer = test::Control<QTimer>(form, "ProzessTimer");
  QWidget* notice = test::Control(form, "CorvanaLabel");
  EXPECT_EQ(timer->interval(), 1000);
  EXPECT_TRUE(timer->isActive());
  EXPECT_TRUE(notice->isHidden());
  // One tick plus a little room for a busy machine.
  const int tick = 1000 + 500;
  test::NamedProcess game(QStringLiteral("Corvana1800.exe"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !notice->isHidden(); }, tick));
  game.Stop();
  EXPECT_TRUE(QTest::qWaitFor([&] { return notice->isHidden(); }, tick));
}

// On a screen too small for it every window is shown smaller, all parts alike, and works as at
// full size: a product clicked into item I and „Modifikationen erzeugen“ give the same mod.
TEST(MainForm, OnASmallScreenEveryPartIsShownSmallerAlikeAndWorksTheSame) {
  struct FullSizeAfterwards {
    ~FullSizeAfterwards() { FitLayout(TMainForm::kLargestOuterSize, TMainForm::kLargestOuterSize); }
  } fullSizeAfterwards;
  QMap<QString, QRect> fullSize;
  QMap<QString, QByteArray> fullSizeMod;
  const QSize areas[] = {{1920, 1080}, {1366, 768}, {853, 480}};  // the last: 1280 × 720 at 150 %
  for (const QSize area : areas) {
    SCOPED_TRACE(area.width());
    FitLayout(area, TMainForm::kLargestOuterSize);
    test::ShownWindow w;
    EXPECT_EQ(w.form->frameGeometry().size(), Scaled(TMainForm::kStartSize));
    EXPECT_TRUE(QRect(QPoint(), area).contains(QRect(QPoint(), w.form->frameGeometry().size())));
    EXPECT_EQ(w.control("Label3")->font().pixelSize(), Scaled(15));
    for (QWidget* c : w.form->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      SCOPED_TRACE(c->objectName().toStdString());
      if (area.width() == 1920) fullSize[c->objectName()] = c->geometry();
      const QRect expected = Scaled(fullSize[c->objectName()]);
      EXPECT_EQ(c->pos(), expected.topLeft());
      const auto* label = qobject_cast<QLabel*>(c);
      if (!label || !label->pixmap().isNull()) {  // text labels fit their text
        EXPECT_EQ(c->size(), expected.size());
      }
    }
    test::ClickRow(w.ui.ProductView, w.ui.ProductView->Row(0));
    QTest::mouseClick(w.control("Create_ItemBtn"), Qt::LeftButton);
    QMap<QString, QByteArray> mod = test::Snapshot(w.form->modPath() + QLatin1Char('/') + kModFolderName);
    for (QByteArray& bytes : mod) bytes = test::WithoutDate(bytes);
    if (area.width() == 1920) fullSizeMod = mod;
    EXPECT_EQ(mod, fullSizeMod);
    // The question of the full reset and the instructions fit as well.
    for (const char* opens : {"FullResetImg", "InfoImage"}) {
      test::OnNextModal([&](QWidget* window) {
        EXPECT_LE(window->frameGeometry().width(), area.width());
        EXPECT_LE(window->frameGeometry().height(), area.height());
        window->close();
      });
      QTest::mouseClick(w.control(opens), Qt::LeftButton);
    }
  }
}
