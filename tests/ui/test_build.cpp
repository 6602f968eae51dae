#include <gtest/gtest.h>

#include <QFile>
#include <QWidget>
#include <functional>

#include "tests/ui/windowsupport.h"
#include "ui/build.h"

using namespace bw;
using test::ProgramFolder;

TEST(Build, ExtractsTheWorkspaceAndRemovesTheArchive) {
  ProgramFolder folder(false);
  // A stale archive from an interrupted start is overwritten, extracted and deleted.
  test::WriteBytes(folder.path() + QStringLiteral("xmlk.zip"), "stale");
  EXPECT_TRUE(Build(folder.path()));
  EXPECT_FALSE(QFile::exists(folder.path() + QStringLiteral("xmlk.zip")));
  test::ExpectSameFiles(folder.xml(), test::ShippedWorkspace());
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
