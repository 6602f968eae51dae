#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "tests/testsupport.h"
#include "ui/controls.h"
#include "ui/mainform.h"
#include "workspace/itemstore.h"
#include "workspace/paths.h"

using namespace bw;
using test::ReadBytes;

namespace {

const QString kGolden = QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/golden/modgen/");

}  // namespace

TEST(GenerateButton, DeploysTheItemsOfTheWorkspaceIntoTheGamesModsFolder) {
  test::ScopedHome home;
  test::RecordFakeGame(home.path() + QStringLiteral("/Corvana 1800"));
  test::ProgramFolder folder;
  SaveItemContent(folder.xml(), QStringLiteral("2000502232"), {{"24807", "Mist", "icon_dung"}});
  SaveItemContent(folder.xml(), QStringLiteral("2000502238"), {{"1010239", "Zucker", "icon_sugar"}});
  SaveProperties(folder.xml(), QStringLiteral("1"), QStringLiteral("1"),
                 {"100451", "112690", "100451", "100451", "112690", "100451"});
  TMainForm form(folder.path());
  ASSERT_EQ(form.MODPath, home.path() + QStringLiteral("/Corvana 1800/mods"));

  QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Create_ItemBtn")), Qt::LeftButton);

  const QString mod = form.MODPath + QLatin1Char('/') + kModFolderName;
  EXPECT_EQ(test::WithoutDate(ReadBytes(mod + "/data/config/export/main/asset/assets.xml")),
            ReadBytes(kGolden + "slots2and5_assets.xml"));
  EXPECT_EQ(ReadBytes(mod + "/data/config/gui/texts_german.xml"), ReadBytes(kGolden + "slots2and5_texts_german.xml"));
  EXPECT_EQ(test::FilesBelow(mod), test::FilesBelow(folder.xml(kModFolderName)));
}

TEST(CatalogueButton, RebuildsTheCatalogueFromTheDumpsInOrg) {
  test::ProgramFolder folder;
  for (const char* sub : {"ORG", "TMP", "ICO"}) QDir().mkpath(folder.path() + sub);
  for (const QString& f : QDir(QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/fixtures/catalog/ORG")).entryList(QDir::Files)) {
    QFile::copy(QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/fixtures/catalog/ORG/") + f, folder.path() + "ORG/" + f);
  }
  SaveItemContent(folder.xml(), QStringLiteral("2000502230"), {{"24807", "Mist", "icon_dung"}});
  test::WriteBytes(folder.xml(QStringLiteral("Products.xml")), "<Products/>\r\n");
  TMainForm form(folder.path());

  // The button lies outside the window; a click from code is how a developer's tool reaches it.
  form.findChild<QPushButton*>(QStringLiteral("CreateXMLData"))->click();

  for (const char* file : {"Products.xml", "Sessions.xml", "Property.xml", "Target.xml", "2000502230.xml"}) {
    EXPECT_EQ(ReadBytes(folder.xml(file)), ReadBytes(test::ShippedWorkspace() + file)) << file;
  }
}
