#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "tests/ui/windowsupport.h"
#include "ui/mainform.h"
#include "workspace/itemstore.h"

using namespace bw;
using test::ReadBytes;

namespace {

const QString kFixtureOrg = QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/fixtures/catalog/ORG/");

QByteArray Nested(int levels) { return QByteArray("<Deep>").repeated(levels) + QByteArray("</Deep>").repeated(levels); }

}  // namespace

// A dump nested far deeper than any game file ends the catalogue command with its message
// and exit status 1, never with a signal; a merely deep one is built as usual.
TEST(DeepNesting, TheCatalogueCommandReportsTooDeepDumpsAndBuildsDeepOnes) {
  struct Case {
    const char* dump;
    const char* anchor;  // the nesting goes right behind it, inside an asset's <Values>
    int levels;
    int exitCode;
  } cases[] = {
      {"ORG_Product.xml", "<Values>", 100000, 1},
      {"Assets.xml", "<Template>FactoryBuilding7</Template>\r\n\t\t\t\t\t<Values>", 100000, 1},
      {"ORG_Product.xml", "<Values>", 500, 0},
      {"Assets.xml", "<Template>FactoryBuilding7</Template>\r\n\t\t\t\t\t<Values>", 500, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dump) + " " + std::to_string(c.levels));
    test::ProgramFolder folder(false);
    for (const char* sub : {"ORG", "TMP", "ICO", "XMLK", "icons"}) QDir().mkpath(folder.path() + sub);
    for (const QString& name : QDir(kFixtureOrg).entryList(QDir::Files)) {
      test::WriteBytes(folder.path() + "ORG/" + name, ReadBytes(kFixtureOrg + name));
    }
    const QString dump = folder.path() + "ORG/" + c.dump;
    QByteArray bytes = ReadBytes(dump);
    const qsizetype at = bytes.indexOf(c.anchor);
    ASSERT_GE(at, 0);
    test::WriteBytes(dump, bytes.insert(at + qsizetype(strlen(c.anchor)), Nested(c.levels)));

    QProcess run;
    run.start(test::BuiltProgram("brennwick-catalog"), {"--icons", folder.path() + "icons", folder.path()});
    ASSERT_TRUE(run.waitForFinished(120000));
    const QString err = QString::fromUtf8(run.readAllStandardError());
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), c.exitCode) << err.toStdString();
    if (c.exitCode == 1) {
      EXPECT_TRUE(err.contains(QStringLiteral("Fehler: Die Datei „%1“ ist zu tief verschachtelt").arg(dump)))
          << err.toStdString();
    } else {
      EXPECT_EQ(ReadBytes(folder.xml("Target.xml")), ReadBytes(test::ShippedWorkspace() + "Target.xml"));
    }
  }
}

TEST(DeepNesting, ADeepPropertyFileIsReportedAndAGenerationChangesNothing) {
  test::ProgramFolder folder;
  SaveItemContent(folder.xml(), QStringLiteral("2000502230"), {{"1010196", "Bretter", "icon_wooden_planks"}});
  QByteArray property = ReadBytes(folder.xml("Property.xml"));
  test::WriteBytes(folder.xml("Property.xml"), property.replace("</Properties>", Nested(100000) + "</Properties>"));
  const auto before = test::Snapshot(folder.xml());

  test::ModalWatch messages;
  TMainForm form(folder.path());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QTest::mouseClick(test::Control(form, "Create_ItemBtn"), Qt::LeftButton);
  QTest::qWait(50);

  const QString seen = messages.seen().join(QLatin1Char('|'));
  EXPECT_EQ(seen.count(QStringLiteral("Die Datei „%1“ ist zu tief verschachtelt").arg(folder.xml("Property.xml"))), 2)
      << seen.toStdString();
  EXPECT_EQ(test::Snapshot(folder.xml()), before);
  EXPECT_FALSE(QFileInfo::exists(form.modPath() + QLatin1Char('/') + kModFolderName));
  EXPECT_TRUE(form.isVisible());
}
