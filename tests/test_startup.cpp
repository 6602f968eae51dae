#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QThread>

#include "tests/testsupport.h"
#include "tests/windowsupport.h"
#include "ui/build.h"
#include "ui/mainform.h"
#include "workspace/archive.h"
#include "workspace/error.h"
#include "workspace/files.h"

using namespace bw;
using test::ProgramFolder;

namespace {

QStringList ArchiveEntries(const QByteArray& bytes, const QString& scratch) {
  const QString path = scratch + QStringLiteral("entries.zip");
  WriteFileAtomic(path, bytes);
  QStringList names;
  zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
  for (zip_int64_t i = 0; z && i < zip_get_num_entries(z, 0); ++i) names << QString::fromUtf8(zip_get_name(z, i, 0));
  if (z) zip_discard(z);
  return names;
}

void ExpectSameFiles(const QString& actual, const QString& expected) {
  const QStringList files = test::FilesBelow(expected);
  EXPECT_EQ(test::FilesBelow(actual), files);
  for (const QString& f : files) {
    EXPECT_EQ(test::ReadBytes(actual + f), test::ReadBytes(expected + f)) << f.toStdString();
  }
}

}  // namespace

TEST(EmbeddedArchive, HoldsTheInitialWorkspaceInItsOrder) {
  ProgramFolder folder(false);
  const QString mod = QStringLiteral("XMLK/[Brennwick] Materials/");
  QStringList expected = {mod,
                          mod + "data/",
                          mod + "data/config/",
                          mod + "data/config/export/",
                          mod + "data/config/export/main/",
                          mod + "data/config/export/main/asset/",
                          mod + "data/config/export/main/asset/assets.xml",
                          mod + "data/config/gui/",
                          mod + "data/config/gui/texts_german.xml",
                          mod + "data/icon/"};
  for (int i = 1; i <= 6; ++i) expected << mod + QStringLiteral("data/icon/Item_%1.png").arg(i);
  expected << mod + "modinfo.json";
  for (const char* f : {"2000502230.xml", "2000502232.xml", "2000502234.xml", "2000502236.xml", "2000502238.xml",
                        "2000502240.xml", "Info.txt", "Products.xml", "Property.xml", "Sessions.xml", "Target.xml"}) {
    expected << QStringLiteral("XMLK/") + f;
  }
  EXPECT_EQ(ArchiveEntries(EmbeddedArchive(), folder.path()), expected);

  // Extracted, it equals resources/XMLK byte for byte.
  const QString zip = folder.path() + QStringLiteral("xmlk.zip");
  WriteFileAtomic(zip, EmbeddedArchive());
  ExtractArchive(zip, folder.path());
  ExpectSameFiles(folder.xml(), test::ShippedWorkspace());
}

TEST(EmbeddedArchive, RefusesEntriesThatWouldLeaveTheProgramFolder) {
  for (const char* evil : {"../evil.txt", "XMLK/../../evil.txt", "/tmp/brennwick-evil.txt"}) {
    ProgramFolder folder(false);
    const QString inner = folder.path() + QStringLiteral("inner/");
    QDir().mkpath(inner);
    const QString zip = folder.path() + QStringLiteral("evil.zip");
    zip_t* z = zip_open(QFile::encodeName(zip).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    zip_file_add(z, "XMLK/ok.txt", zip_source_buffer(z, "ok", 2, 0), 0);
    zip_file_add(z, evil, zip_source_buffer(z, "evil", 4, 0), 0);
    ASSERT_EQ(zip_close(z), 0);
    EXPECT_THROW(ExtractArchive(zip, inner), Error) << evil;
    EXPECT_EQ(test::FilesBelow(folder.path()), QStringList{QStringLiteral("evil.zip")}) << evil;
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/brennwick-evil.txt")));
  }
}

TEST(Build, ExtractsTheWorkspaceAndRemovesTheArchive) {
  ProgramFolder folder(false);
  // A stale archive from an interrupted start is overwritten, extracted and deleted.
  test::WriteBytes(folder.path() + QStringLiteral("xmlk.zip"), "stale");
  EXPECT_TRUE(Build(folder.path()));
  EXPECT_FALSE(QFile::exists(folder.path() + QStringLiteral("xmlk.zip")));
  ExpectSameFiles(folder.xml(), test::ShippedWorkspace());
}

TEST(Build, ReportsBothStagesInAnUnwritableFolderAndGoesOn) {
  // Even root cannot write below a plain file, so this stands for an unwritable folder.
  ProgramFolder folder(false);
  const QString notAFolder = folder.path() + QStringLiteral("file");
  test::WriteBytes(notAFolder, "x");
  QStringList reports;
  std::function<void(QWidget*)> record = [&](QWidget* modal) {
    reports << modal->windowTitle() + QLatin1Char('|') + modal->property("text").toString();
    if (reports.size() < 2) test::OnNextModal(record);
    modal->close();
  };
  test::OnNextModal(record);
  EXPECT_FALSE(Build(notAFolder + QLatin1Char('/')));
  ASSERT_EQ(reports.size(), 2);
  EXPECT_TRUE(reports[0].startsWith(QStringLiteral("Programmabbruch|EFileError"))) << reports[0].toStdString();
  EXPECT_TRUE(reports[1].startsWith(QStringLiteral("Programmabbruch|EZipError"))) << reports[1].toStdString();
}

namespace {

// Starts a copy of the program alone in `folder` (offscreen, with a lock folder of its own)
// and ends it once its workspace is in place.
void StartProgramIn(const QString& folder) {
  const QString exe = folder + QStringLiteral("brennwick");
  if (!QFile::exists(exe)) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRENNWICK_BINARY_DIR "/brennwick"), exe));
  }
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder);
  QProcess program;
  program.setProcessEnvironment(env);
  program.start(exe, {});
  ASSERT_TRUE(program.waitForStarted());
  for (int i = 0; i < 200; ++i) {
    if (QFile::exists(folder + QStringLiteral("XMLK/Target.xml")) && !QFile::exists(folder + QStringLiteral("xmlk.zip"))) break;
    QThread::msleep(25);
  }
  QThread::msleep(500);
  EXPECT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
  program.kill();
  program.waitForFinished();
}

}  // namespace

TEST(FirstStart, TheProgramAloneCreatesItsWorkspaceAndKeepsItLater) {
  ProgramFolder folder(false);
  StartProgramIn(folder.path());
  ExpectSameFiles(folder.xml(), test::ShippedWorkspace());
  EXPECT_FALSE(QFile::exists(folder.path() + QStringLiteral("xmlk.zip")));
  for (const char* never : {"ORG", "TMP", "ICO"}) EXPECT_FALSE(QFileInfo::exists(folder.path() + never)) << never;

  // A later start uses the workspace as it finds it.
  test::WriteBytes(folder.xml(QStringLiteral("Info.txt")), "geändert");
  StartProgramIn(folder.path());
  EXPECT_EQ(test::ReadBytes(folder.xml(QStringLiteral("Info.txt"))), QByteArray("geändert"));
}

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
  EXPECT_EQ(form.Paths.PrgPath, folder.path());
  EXPECT_EQ(form.Paths.XMLPath, folder.path() + QStringLiteral("XMLK/"));
  EXPECT_EQ(form.Paths.ORGPath, folder.path() + QStringLiteral("ORG/"));
  EXPECT_EQ(form.Paths.TMPPath, folder.path() + QStringLiteral("TMP/"));
  EXPECT_EQ(form.Paths.ICOPATH, folder.path() + QStringLiteral("ICO/"));
  EXPECT_EQ(form.ItemID, QStringList({"2000502230", "2000502232", "2000502234", "2000502236", "2000502238", "2000502240"}));
  EXPECT_EQ(form.PropertyRoot.name(), QStringLiteral("Properties"));
  EXPECT_EQ(form.TargetsRoot.name(), QStringLiteral("Targets"));
}

namespace {

// The program folder holds the workspace and nothing an earlier start left.
void ExpectWholeWorkspaceAndNoLeftovers(const ProgramFolder& folder) {
  ExpectSameFiles(folder.xml(), test::ShippedWorkspace());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("XMLK")});
}

void MakeGameIn(const QString& folder) {
  QDir().mkpath(folder + QStringLiteral("/Bin/Win64"));
  test::WriteBytes(folder + QStringLiteral("/Bin/Win64/Corvana1800.exe"), {});
}

}  // namespace

TEST(FirstStart, WhatAnInterruptedStartLeftIsClearedAndTheWorkspaceExtractedWhole) {
  struct Case {
    const char* what;
    bool halfExtracted;  // the hidden folder the workspace is extracted into
    bool archive;        // xmlk.zip, cut short
  };
  const Case cases[] = {{"a half extracted workspace", true, false},
                        {"the archive", false, true},
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
    ExpectWholeWorkspaceAndNoLeftovers(folder);
  }
}

// The disk fills up while the first start extracts the workspace (the archive an earlier
// start wrote is still there): no workspace appears, and the next start builds it whole.
TEST(FirstStart, AStartCutShortByAFullDiskIsCompletedByTheNextStart) {
  ProgramFolder folder(false);
  test::WriteBytes(folder.path() + QStringLiteral("xmlk.zip"), EmbeddedArchive());
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
// Only regular files are read: a FIFO or a device under the name of the record file or of
// Info.txt is reported naming it, never read. A record that can not be written is reported
// and the start goes on to the complete window.
TEST(StartUp, NonRegularFilesAndAnUnwritableRecordAreReportedAndTheWindowIsComplete) {
  enum Where { Record, Info };
  struct Case {
    const char* what;
    Where where;
    std::function<void(const QString& file)> spoil;
    const char* message;
  } cases[] = {
      {"record file a FIFO", Record,
       [](const QString& file) { ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0); }, "ist keine reguläre Datei"},
      {"record file a device", Record, [](const QString& file) { QFile::link(QStringLiteral("/dev/zero"), file); },
       "ist keine reguläre Datei"},
      {"record folder a plain file", Record,
       [](const QString& file) {
         QDir().rmdir(QFileInfo(file).path());
         test::WriteBytes(QFileInfo(file).path(), "kein Ordner");
       },
       "kann nicht geschrieben werden"},
      {"Info.txt a FIFO", Info,
       [](const QString& file) {
         QFile::remove(file);
         ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
       },
       "ist keine reguläre Datei"},
      {"Info.txt a device", Info,
       [](const QString& file) {
         QFile::remove(file);
         QFile::link(QStringLiteral("/dev/zero"), file);
       },
       "ist keine reguläre Datei"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScopedHome home;
    ProgramFolder folder;
    const QString game = home.path() + QStringLiteral("/Corvana 1800");
    MakeGameIn(game);
    QString file;
    if (c.where == Record) {
      // The game is found through its install record.
      test::MakeWinePrefix(home.path() + QStringLiteral("/.wine"), {{QStringLiteral("Software\\Wow6432Node\\Ubisoft\\Corvana 1800"),
                                                                     QStringLiteral("C:\\Corvana 1800")}});
      MakeGameIn(home.path() + QStringLiteral("/.wine/drive_c/Corvana 1800"));
      file = home.recordFile();
      QDir().mkpath(QFileInfo(file).path());
    } else {
      test::RecordFakeGame(game);
      file = folder.xml(QStringLiteral("Info.txt"));
    }
    c.spoil(file);

    test::ModalWatch messages;
    TMainForm form(folder.path());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    if (c.where == Info) {
      EXPECT_TRUE(messages.seen().isEmpty()) << messages.seen().join(u'|').toStdString();
      QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("InfoImage")), Qt::LeftButton);
      QTest::qWait(50);
    }
    const QString seen = messages.seen().join(u'|');
    EXPECT_EQ(seen.count(QStringLiteral("„%1“ %2").arg(file, QString::fromUtf8(c.message))), 1) << seen.toStdString();
    EXPECT_EQ(form.frameGeometry().size(), QSize(1664, 946));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Item6Target"))->text(), QStringLiteral("100451"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("TargetLabel"))->text(), QStringLiteral("Ziel : Sägewerk"));
    EXPECT_GE(form.findChild<QWidget*>(QStringLiteral("CreateXMLData"))->x(), form.width());  // the hidden strip
    EXPECT_TRUE(form.isVisible());
  }
}
