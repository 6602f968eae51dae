#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <functional>

#include "modgen/createitems.h"
#include "platform/registry.h"
#include "tests/testsupport.h"
#include "workspace/itemstore.h"
#include "workspace/paths.h"

using namespace bw;

namespace {

// Every entry of a folder, hidden ones included.
QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace

// A disk that fills up while a file is written: the old file stays byte for byte, no
// temporary file is left, and the message names the file and says why.
TEST(AtomicWrite, AFullDiskKeepsTheOldFileAndSaysSo) {
  BW_LINUX_ONLY("a full disk made by a file size limit in a child process");
  test::ScopedHome home;
  test::RecordFakeGame(home.path() + QStringLiteral("/Corvana 1800"));
  test::ProgramFolder folder;
  XmlDocument targets;
  ASSERT_TRUE(targets.load(folder.xml(QStringLiteral("Target.xml"))));
  const QStringList sawmills(6, QStringLiteral("100451"));
  SaveItemContent(folder.xml(), QStringLiteral("2000502230"), {{"1010196", "Bretter", "icon_wooden_planks"}});

  struct Case {
    const char* what;
    QString file;
    qint64 limit;  // bytes the disk still takes, for each file
    std::function<void()> write;
  };
  const Case cases[] = {
      {"an item list, adding a product", folder.xml(QStringLiteral("2000502232.xml")), 64,
       [&] { SaveItemContent(folder.xml(), QStringLiteral("2000502232"), {{"1010239", "Zucker", "icon_sugar"}}); }},
      {"the settings", folder.xml(QStringLiteral("Property.xml")), 256,
       [&] { SaveProperties(folder.xml(), QStringLiteral("30"), QStringLiteral("2"), sawmills); }},
      {"a generated mod file", ModTemplateFolder(folder.xml()) + QStringLiteral("/data/config/export/main/asset/assets.xml"),
       4096, [&] { CreateItemsXML({folder.xml(), QStringLiteral("25"), QStringLiteral("1"), sawmills, targets.root()}); }},
      {"the record file", home.recordFile(), 64,
       [] { WriteUserStrings("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick", {{"ModLoader", "0.9.4"}, {"DPVer", "18.2.4.17"}}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString folderOfFile = QFileInfo(c.file).path();
    const QStringList entries = Entries(folderOfFile);
    const QByteArray bytes = test::ReadBytes(c.file);
    ASSERT_FALSE(bytes.isEmpty());
    const QString message = test::InChild([&] {
      test::LimitFileSize(c.limit);
      c.write();
      return QStringLiteral("(kein Fehler)");
    });
    EXPECT_EQ(message.toStdString(),
              QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: Der Datenträger ist voll.").arg(c.file).toStdString());
    EXPECT_EQ(test::ReadBytes(c.file), bytes);
    EXPECT_EQ(Entries(folderOfFile), entries);
  }
}
