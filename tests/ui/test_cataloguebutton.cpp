#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>

#include "tests/testsupport.h"
#include "ui/mainform.h"
#include "workspace/itemstore.h"

using namespace bw;
using test::ReadBytes;

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
