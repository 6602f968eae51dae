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
