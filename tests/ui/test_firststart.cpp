#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSpinBox>

#include "tests/ui/windowsupport.h"
#include "ui/mainform.h"
#include "workspace/archive.h"

using namespace bw;
using test::ProgramFolder;

TEST(FirstStart, AnEmptyWorkspaceIsNotRefilledAndTheLoadErrorIsReported) {
  ProgramFolder folder(false);
  QDir().mkpath(folder.xml());
  QString report;
  test::OnNextModal([&report](QWidget* modal) {
    report = modal->property("text").toString();
    modal->close();
  });
  TMainForm form(folder.path());
  EXPECT_TRUE(report.contains(QStringLiteral("Property.xml"))) << report.toStdString();
  EXPECT_TRUE(test::FilesBelow(folder.xml()).isEmpty());
  form.show();
  EXPECT_TRUE(form.isVisible());
}

TEST(FirstStart, SetsTheFolderValuesWithOneTrailingDelimiter) {
  ProgramFolder folder;
  TMainForm form(folder.path() + QStringLiteral("//"));
  EXPECT_EQ(form.paths().PrgPath, folder.path());
  EXPECT_EQ(form.paths().XMLPath, folder.path() + QStringLiteral("XMLK/"));
  EXPECT_EQ(form.paths().ORGPath, folder.path() + QStringLiteral("ORG/"));
  EXPECT_EQ(form.paths().TMPPath, folder.path() + QStringLiteral("TMP/"));
  EXPECT_EQ(form.paths().ICOPATH, folder.path() + QStringLiteral("ICO/"));
  EXPECT_EQ(form.itemIds(), QStringList({"2000502230", "2000502232", "2000502234", "2000502236", "2000502238", "2000502240"}));
  // Both settings files were read from there: the amount and the target building show them.
  EXPECT_EQ(test::Control<QSpinBox>(form, "ProductAmountBox")->value(), 25);
  EXPECT_EQ(test::Control<QLabel>(form, "TargetLabel")->text(), QStringLiteral("Ziel : Sägewerk"));
}

namespace {

// The program folder holds the workspace and nothing an earlier start left, but the user's
// own files.
void ExpectWholeWorkspaceAndNoLeftovers(const ProgramFolder& folder, const QStringList& own = {}) {
  test::ExpectSameFiles(folder.xml(), test::ShippedWorkspace());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("XMLK")} + own);
}

}  // namespace

TEST(FirstStart, WhatAnInterruptedStartLeftIsClearedAndTheWorkspaceExtractedWhole) {
  struct Case {
    const char* what;
    bool halfExtracted;  // the hidden folder the workspace is extracted into
    bool archive;        // a file of the user's named xmlk.zip, which stays
  };
  const Case cases[] = {{"a half extracted workspace", true, false},
                        {"the user's xmlk.zip", false, true},
                        {"both", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProgramFolder folder(false);
    if (c.halfExtracted) {
      const QString half = folder.path() + QStringLiteral(".XMLK.neu/XMLK/");
      QDir().mkpath(half + QStringLiteral("[Brennwick] Materials/data"));
      test::WriteBytes(half + QStringLiteral("Property.xml"), "<Properties>");
      test::WriteBytes(half + QStringLiteral("2000502230.xml"), "<Products/>\r\n");
    }
    if (c.archive) test::WriteBytes(folder.path() + QStringLiteral("xmlk.zip"), EmbeddedArchive().left(4000));
    test::ModalWatch noMessage;
    TMainForm form(folder.path());
    EXPECT_EQ(noMessage.seen(), QStringList());
    ExpectWholeWorkspaceAndNoLeftovers(folder, c.archive ? QStringList{"xmlk.zip"} : QStringList());
    EXPECT_EQ(test::ReadBytes(folder.path() + QStringLiteral("xmlk.zip")), c.archive ? EmbeddedArchive().left(4000) : QByteArray());
  }
}

// A start deletes what killed writes left in the workspace: names of the writer's pattern only.
TEST(FirstStart, RemovesTheWritersLeftoversInTheWorkspace) {
  ProgramFolder folder;
  const QStringList leftovers = {".Products.xml.tmp-Ab3xYz", "[Brennwick] Materials/data/icon/.Item_1.png.tmp-000000"};
  const QStringList own = {"Notiz.txt.tmp-ABCDEF", ".Notiz.txt.tmp-ABC", ".Notiz.txt.tmp-ABCDE!"};
  for (const QString& name : leftovers + own) test::WriteBytes(folder.xml(name), "x");
  test::ModalWatch noMessage;
  TMainForm form(folder.path());
  EXPECT_EQ(noMessage.seen(), QStringList());
  for (const QString& name : leftovers + own) EXPECT_EQ(QFile::exists(folder.xml(name)), own.contains(name)) << name.toStdString();
}

// The disk fills up while the first start extracts the workspace: no workspace appears,
// and the next start builds it whole.
TEST(FirstStart, AStartCutShortByAFullDiskIsCompletedByTheNextStart) {
  BW_LINUX_ONLY("a full disk made by a file size limit in a child process");
  ProgramFolder folder(false);
  const QString seen = test::InChild([&] {
    test::LimitFileSize(20000);  // less than the archive and its largest file
    test::ModalWatch closeEveryMessage;
    TMainForm form(folder.path());
    return closeEveryMessage.seen().join(QLatin1Char('|'));
  });
  EXPECT_TRUE(seen.contains(QStringLiteral("Der Datenträger ist voll."))) << seen.toStdString();
  EXPECT_FALSE(QFileInfo::exists(folder.xml()));

  test::ModalWatch noMessage;
  TMainForm form(folder.path());
  EXPECT_EQ(noMessage.seen(), QStringList());
  ExpectWholeWorkspaceAndNoLeftovers(folder);
}
