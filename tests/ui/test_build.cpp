#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "tests/ui/windowsupport.h"
#include "ui/build.h"

using namespace bw;
using test::ProgramFolder;

// Straight from the program's memory: a file of the user's named xmlk.zip stays as it is.
TEST(Build, ExtractsTheWorkspaceAndLeavesTheUsersXmlkZip) {
  ProgramFolder folder(false);
  test::WriteBytes(folder.path() + QStringLiteral("xmlk.zip"), "meins");
  EXPECT_TRUE(Build(folder.path()));
  EXPECT_EQ(test::ReadBytes(folder.path() + QStringLiteral("xmlk.zip")), QByteArray("meins"));
  test::ExpectSameFiles(folder.xml(), test::ShippedWorkspace());
}

TEST(Build, ReportsAnUnwritableFolderOnceInGermanAndGoesOn) {
  // Even root cannot write below a plain file, so this stands for an unwritable folder.
  ProgramFolder folder(false);
  const QString notAFolder = folder.path() + QStringLiteral("file");
  test::WriteBytes(notAFolder, "x");
  QString report;
  std::unique_ptr<test::ModalWatch> later;  // any box after the first
  test::OnNextModal([&](QWidget* modal) {
    report = modal->windowTitle() + QLatin1Char('|') + modal->property("text").toString();
    later = std::make_unique<test::ModalWatch>();
    modal->close();
  });
  EXPECT_FALSE(Build(notAFolder + QLatin1Char('/')));
  EXPECT_EQ(report, QStringLiteral("Programmabbruch|EZipErrorDer Ordner „%1/.XMLK.neu/XMLK/[Brennwick] Materials/“ kann nicht "
                                   "angelegt werden.").arg(notAFolder));
  ASSERT_TRUE(later);
  EXPECT_EQ(later->seen(), QStringList());
}
