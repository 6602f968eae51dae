#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QWidget>

#include "platform/version.h"
#include "tests/ui/windowsupport.h"
#include "ui/controls.h"
#include "ui/mainform.h"
#include "ui/support.h"

using namespace bw;

TEST(Support, VersionTextIsFourNumbersJoinedByPoints) {
  EXPECT_EQ(GetAppVersionStr(), QStringLiteral("18.2.4.17"));
  EXPECT_EQ(FormatVersion(1, 0, 0, 0), "1.0.0.0");
  EXPECT_EQ(FormatVersion(65535, 65535, 0, 10), "65535.65535.0.10");
}

TEST(Support, DisplayFontIsHeuristicaBoldAndTheWindowsFont) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Heuristica")));
  EXPECT_TRUE(QFontDatabase::styles(QStringLiteral("Heuristica")).contains(QStringLiteral("Bold")));
  EXPECT_EQ(QFontInfo(form.font()).family(), QStringLiteral("Heuristica"));
  EXPECT_EQ(form.font().pointSize(), 10);
  EXPECT_EQ(form.palette().color(QPalette::WindowText), QColor(0x41, 0x37, 0x28));
  EXPECT_EQ(test::Control<QLabel>(form, "Version")->text(), QStringLiteral("18.2.4.17"));
}

TEST(Support, AFontThatFailsToRegisterIsReportedAndReplaced) {
  QWidget window;
  QStringList seen;
  test::ClickInNextModal(QStringLiteral("OK"), &seen);
  ApplyDisplayFont(window, QByteArray("not a font"));
  EXPECT_TRUE(seen.contains(QStringLiteral("Die Anzeigeschriftart wurde geändert."))) << seen.join('|').toStdString();
  EXPECT_EQ(window.font().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(window.font().pointSize(), 10);
}
