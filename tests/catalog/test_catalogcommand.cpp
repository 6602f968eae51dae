#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "tests/catalog/catalogfolder.h"

using namespace bw;
using test::CatalogFolder;
using test::ReadBytes;
using test::WriteBytes;

TEST(CatalogCommand, RunsTheStepsAndFailsWithAGermanMessageOnAMissingOrgFolder) {
  const QString command = test::BuiltProgram("brennwick-catalog");
  ASSERT_TRUE(QFile::exists(command));

  CatalogFolder good;
  good.copyFixture();
  QProcess run;
  run.start(command, {"--icons", good.icons, good.dir.path()});
  ASSERT_TRUE(run.waitForFinished(60000));
  EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
  const QString out = QString::fromUtf8(run.readAllStandardOutput());
  EXPECT_TRUE(out.contains("Schritt 1 von 10: CreateProductCleanedList")) << out.toStdString();
  EXPECT_TRUE(out.contains("Schritt 10 von 10: CreateBlankItemLists")) << out.toStdString();
  EXPECT_EQ(good.xml("Target.xml"), ReadBytes(test::ShippedWorkspace() + "Target.xml"));

  CatalogFolder bad;
  QDir(bad.paths.ORGPath).removeRecursively();
  QProcess fail;
  fail.start(command, {"--icons", bad.icons, bad.dir.path()});
  ASSERT_TRUE(fail.waitForFinished(60000));
  EXPECT_EQ(fail.exitStatus(), QProcess::NormalExit);
  EXPECT_NE(fail.exitCode(), 0);
  const QString err = QString::fromUtf8(fail.readAllStandardError());
  EXPECT_TRUE(err.contains(QStringLiteral("Der Ordner „%1“ fehlt.").arg(bad.paths.ORGPath))) << err.toStdString();
  EXPECT_TRUE(QDir(bad.paths.XMLPath).isEmpty());
}

// Without a PROGRAM_FOLDER the command works where the program keeps its workspace: beside a
// portable copy, in the user's data folder for an installed one.
TEST(CatalogCommand, DefaultsToTheProgramFolderOfItsCopy) {
  BW_LINUX_ONLY("an installed Linux desktop program");
  struct Case {
    const char* what;
    bool installed;
  };
  for (const Case& c : {Case{"a portable copy", false}, Case{"an installed copy", true}}) {
    SCOPED_TRACE(c.what);
    test::ScopedHome home;
    const QString prefix = home.path() + QStringLiteral("/prefix");
    QDir().mkpath(prefix + QStringLiteral("/bin"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRENNWICK_BINARY_DIR "/brennwick-catalog"),
                            prefix + QStringLiteral("/bin/brennwick-catalog")));
    if (c.installed) {
      QDir().mkpath(prefix + QStringLiteral("/share/applications"));
      WriteBytes(prefix + QStringLiteral("/share/applications/brennwick.desktop"), "[Desktop Entry]\n");
    }
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    QProcess run;
    run.start(prefix + QStringLiteral("/bin/brennwick-catalog"), {});
    ASSERT_TRUE(run.waitForFinished(60000));
    qunsetenv("XDG_DATA_HOME");
    const QString org =
        c.installed ? home.path() + QStringLiteral("/data/Brennwick/ORG/") : prefix + QStringLiteral("/bin/ORG/");
    const QString err = QString::fromUtf8(run.readAllStandardError());
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("Fehler: Der Ordner „%1“ fehlt.").arg(org))) << err.toStdString();
  }
}
