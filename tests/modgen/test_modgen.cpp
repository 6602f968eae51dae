#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QLocale>
#include <clocale>
#include <iostream>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "modgen/createitems.h"
#include "modgen/deploy.h"
#include "tests/testsupport.h"
#include "workspace/error.h"
#include "workspace/itemstore.h"
#include "workspace/paths.h"

using namespace bw;
using test::ProgramFolder;
using test::ReadBytes;

namespace {

const QString kAssets = QStringLiteral("/data/config/export/main/asset/assets.xml");
const QString kTexts = QStringLiteral("/data/config/gui/texts_german.xml");
const QStringList kItems{"2000502230", "2000502232", "2000502234", "2000502236", "2000502238", "2000502240"};
const QStringList kSawmills{"100451", "100451", "100451", "100451", "100451", "100451"};

QString Golden(const QString& name) { return QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/golden/modgen/") + name; }

void ExpectSameTree(const QString& expected, const QString& actual) {
  EXPECT_FALSE(QFileInfo(actual).isSymLink());
  const QStringList files = test::FilesBelow(expected);
  ASSERT_EQ(test::FilesBelow(actual), files);
  for (const QString& f : files) EXPECT_EQ(ReadBytes(actual + '/' + f), ReadBytes(expected + '/' + f)) << f.toStdString();
}

void RemoveIfThere(const QString& path) {
  if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) RemoveTree(path);
}

// A new workspace, Target.xml loaded as the window holds it, and a game with a mods folder.
class ModGen : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(targets_.load(folder_.xml(QStringLiteral("Target.xml"))));
    QDir().mkpath(mods_);
  }

  ModSettings Settings(const QString& amount = "25", const QString& cycle = "1", const QStringList& targets = kSawmills) {
    return {folder_.xml(), amount, cycle, targets, targets_.root()};
  }

  // The item list's names are never used: the generated names come from Products.xml.
  void Fill(int slot, const QStringList& productGuids) {
    QList<ItemProduct> rows;
    for (const QString& guid : productGuids) rows.append({guid, QStringLiteral("(alter Name)"), QStringLiteral("icon_x")});
    SaveItemContent(folder_.xml(), kItems[slot - 1], rows);
  }

  QString Template() const { return folder_.xml(kModFolderName); }
  QString Deployed() const { return mods_ + '/' + kModFolderName; }
  QByteArray PropertyFile() const { return ReadBytes(folder_.xml(QStringLiteral("Property.xml"))); }
  QString Counter() const {
    XmlDocument doc;
    doc.load(folder_.xml(QStringLiteral("Property.xml")));
    return doc.root().firstChild().attr(0);
  }

  ProgramFolder folder_;
  XmlDocument targets_;
  const QString mods_ = folder_.path() + QStringLiteral("Corvana 1800/mods");
};

struct GoldenCase {
  const char* golden;
  const char* amount;
  const char* cycle;
  QStringList targets;
  QList<QStringList> products;  // of slots 1 to 6
};

TEST_F(ModGen, WritesTheLinesOfTheHandWrittenGoldenFilesAndDeploysThem) {
  const GoldenCase cases[] = {
      {"slot3", "30", "2", {"100451", "100451", "118725", "100451", "100451", "100451"},
       {{}, {}, {"1010192", "1010196"}, {}, {}, {}}},
      {"allslots", "250", "50", {"100451", "118725", "112680", "835", "1010278", "101260"},
       {{"1010205"}, {"1010239", "1010196"}, {"112694"}, {"5398"}, {"846"}, {"535", "1010192"}}},
      {"slots2and5", "1", "1", {"100451", "112690", "100451", "100451", "112690", "100451"},
       {{}, {"24807"}, {}, {}, {"1010239"}, {}}},
      {"slot1", "12", "3", kSawmills, {{"1010196"}, {}, {}, {}, {}, {}}},
  };
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(c.golden);
    ProgramFolder folder;
    XmlDocument targets;
    targets.load(folder.xml(QStringLiteral("Target.xml")));
    for (int slot = 1; slot <= 6; ++slot) {
      QList<ItemProduct> rows;
      for (const QString& guid : c.products[slot - 1]) rows.append({guid, QStringLiteral("x"), QStringLiteral("x")});
      SaveItemContent(folder.xml(), kItems[slot - 1], rows);
    }
    const QString mods = folder.path() + QStringLiteral("mods");
    CreateItems({folder.xml(), c.amount, c.cycle, c.targets, targets.root()}, mods);

    const QString tmpl = folder.xml(kModFolderName);
    EXPECT_EQ(test::WithoutDate(ReadBytes(tmpl + kAssets)), ReadBytes(Golden(QStringLiteral("%1_assets.xml").arg(c.golden))));
    EXPECT_EQ(ReadBytes(tmpl + kTexts), ReadBytes(Golden(QStringLiteral("%1_texts_german.xml").arg(c.golden))));
    ExpectSameTree(tmpl, mods + '/' + kModFolderName);
  }
}

TEST_F(ModGen, TheShippedFilesAreTheGenerationForSlotOne) {
  Fill(1, {"1010205", "1010239"});
  CreateItems(Settings("25", "1"), mods_);
  const QString shipped = test::ShippedWorkspace() + kModFolderName;
  EXPECT_EQ(test::WithoutDate(ReadBytes(Template() + kAssets)), test::WithoutDate(ReadBytes(shipped + kAssets)));
  EXPECT_EQ(ReadBytes(Template() + kTexts), ReadBytes(shipped + kTexts));
}

TEST_F(ModGen, TheDateLineHasTheShortDateAndLongTimeOfLcTime) {
#ifdef _WIN32
  // Windows writes the date as the user's locale setting says, which Qt reads on its own.
  Fill(4, {"1010196"});
  const QDate before = QDate::currentDate();
  CreateItemsXML(Settings());
  const QDate after = QDate::currentDate();
  const QString line = QString::fromUtf8(ReadBytes(Template() + kAssets)).split(QStringLiteral("\r\n")).value(2);
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^<!-- (.+) GU 16\\.1             -->$")).match(line);
  ASSERT_TRUE(m.hasMatch()) << line.toStdString();
  const QLocale user = QLocale::system();
  EXPECT_TRUE(m.captured(1).startsWith(user.toString(before, QLocale::ShortFormat) + QLatin1Char(' ')) ||
              m.captured(1).startsWith(user.toString(after, QLocale::ShortFormat) + QLatin1Char(' ')))
      << line.toStdString() << " " << user.toString(before, QLocale::ShortFormat).toStdString();
  return;
#endif
  struct Case {
    const char* locale;
    const char* pattern;
    const char* dateFormat;
  };
  const Case cases[] = {
      {"C", "^<!-- (\\d\\d/\\d\\d/\\d\\d) \\d\\d:\\d\\d:\\d\\d GU 16\\.1             -->$", "MM/dd/yy"},
      {"de_DE.UTF-8", "^<!-- (\\d\\d\\.\\d\\d\\.\\d{4}) \\d\\d:\\d\\d:\\d\\d GU 16\\.1             -->$", "dd.MM.yyyy"},
  };
  Fill(4, {"1010196"});
  const std::string saved = std::setlocale(LC_TIME, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    if (!std::setlocale(LC_TIME, c.locale)) {
      std::cout << "locale " << c.locale << " is not installed; its date form is not checked\n";
      continue;
    }
    const QDate before = QDate::currentDate();
    CreateItemsXML(Settings());
    const QDate after = QDate::currentDate();
    const QString line = QString::fromUtf8(ReadBytes(Template() + kAssets)).split(QStringLiteral("\r\n")).value(2);
    const QRegularExpressionMatch m = QRegularExpression(QLatin1StringView(c.pattern)).match(line);
    ASSERT_TRUE(m.hasMatch()) << line.toStdString();
    EXPECT_TRUE(m.captured(1) == before.toString(QLatin1StringView(c.dateFormat)) ||
                m.captured(1) == after.toString(QLatin1StringView(c.dateFormat)))
        << line.toStdString();
  }
  std::setlocale(LC_TIME, saved.c_str());
}

TEST_F(ModGen, EachGenerationRaisesTheTriggerAndStoresTheSettings) {
  Fill(2, {"1010196"});
  for (const char* trigger : {"2000502261", "2000502262"}) {
    CreateItems(Settings("120", "7", {"100451", "118725", "3", "4", "5", "6"}), mods_);
    EXPECT_TRUE(ReadBytes(Deployed() + kAssets).contains(QByteArray("\t\t\t\t\t<GUID>") + trigger + "</GUID>\r\n"));
  }
  EXPECT_EQ(PropertyFile(), QByteArray("<Properties>\r\n"
                                       "\t<Property Name=\"2000502262\"/>\r\n"
                                       "\t<Property Name=\"ProductAmount\" Value=\"120\"/>\r\n"
                                       "\t<Property Name=\"ProductCycle\" Value=\"7\"/>\r\n"
                                       "\t<Property Name=\"Trade\" Value=\"false\"/>\r\n"
                                       "\t<Property Name=\"Chamber\" Value=\"false\"/>\r\n"
                                       "\t<Property Name=\"2000502230\" GUID=\"100451\"/>\r\n"
                                       "\t<Property Name=\"2000502232\" GUID=\"118725\"/>\r\n"
                                       "\t<Property Name=\"2000502234\" GUID=\"3\"/>\r\n"
                                       "\t<Property Name=\"2000502236\" GUID=\"4\"/>\r\n"
                                       "\t<Property Name=\"2000502238\" GUID=\"5\"/>\r\n"
                                       "\t<Property Name=\"2000502240\" GUID=\"6\"/>\r\n"
                                       "</Properties>\r\n"));
}

TEST_F(ModGen, WithoutProductsOnlyTheDeployedModGoes) {
  const QString otherMod = mods_ + QStringLiteral("/Other Mod/modinfo.json");
  QDir().mkpath(QFileInfo(otherMod).path());
  test::WriteBytes(otherMod, "{}");
  Fill(1, {"1010196"});
  CreateItems(Settings(), mods_);
  Fill(1, {});

  for (bool deployed : {true, false}) {
    SCOPED_TRACE(deployed ? "with a deployed mod" : "without a deployed mod");
    const auto workspace = test::Snapshot(folder_.xml());
    const auto othersBefore = test::Snapshot(mods_ + QStringLiteral("/Other Mod"));
    ASSERT_EQ(QFileInfo::exists(Deployed()), deployed);
    CreateItems(Settings("99", "9"), mods_);
    EXPECT_FALSE(QFileInfo::exists(Deployed()));
    EXPECT_EQ(QDir(mods_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"Other Mod"});
    EXPECT_EQ(test::Snapshot(mods_ + QStringLiteral("/Other Mod")), othersBefore);
    EXPECT_EQ(test::Snapshot(folder_.xml()), workspace);  // assets.xml, texts_german.xml, Property.xml
    EXPECT_EQ(Counter(), QStringLiteral("2000502261"));
  }
}

TEST_F(ModGen, WithoutProductsAndWithoutAGameModsFolderNothingIsCreated) {
  QDir(mods_).removeRecursively();
  CreateItems(Settings(), mods_);
  EXPECT_FALSE(QFileInfo::exists(mods_));
}

TEST_F(ModGen, AFailedGenerationLeavesTheDeployedModAndTheOldFiles) {
  Fill(1, {"1010196"});
  CreateItems(Settings(), mods_);
  const auto deployed = test::Snapshot(Deployed());
  const QByteArray assets = ReadBytes(Template() + kAssets);
  const QByteArray texts = ReadBytes(Template() + kTexts);

  Fill(2, {"1010239", "999999999"});
  try {
    CreateItems(Settings(), mods_);
    ADD_FAILURE() << "a product missing from Products.xml must stop the generation";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Die Ware „999999999“ aus der Datei „%1“ steht nicht in der Datei „%2“.")
                               .arg(folder_.xml(QStringLiteral("2000502232.xml")), folder_.xml(QStringLiteral("Products.xml"))));
  }
  EXPECT_EQ(test::Snapshot(Deployed()), deployed);
  EXPECT_EQ(Counter(), QStringLiteral("2000502262"));
  EXPECT_EQ(ReadBytes(Template() + kAssets), assets);
  EXPECT_EQ(ReadBytes(Template() + kTexts), texts);
}

// A name from the workspace with a character XML does not allow stops the generation before
// a file of the mod is written.
TEST_F(ModGen, ACharacterXmlForbidsInANameStopsTheGeneration) {
  Fill(1, {"1010196"});
  const QString products = folder_.xml(QStringLiteral("Products.xml"));
  test::WriteBytes(products, ReadBytes(products).replace("Name=\"Bretter\"", "Name=\"Bre&#1;tter\""));
  const auto workspaceMod = test::Snapshot(Template());
  try {
    CreateItems(Settings(), mods_);
    ADD_FAILURE() << "expected an error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Ein Wert von Item 1 für die Datei „%1“ enthält ein Zeichen, das XML nicht "
                                          "erlaubt (U+0001).")
                               .arg(Template() + kAssets));
  }
  EXPECT_EQ(test::Snapshot(Template()), workspaceMod);
  EXPECT_FALSE(QFileInfo::exists(Deployed()));
}

TEST_F(ModGen, LookUpsAndTheCounterFailWithAGermanMessage) {
  struct Case {
    const char* counter;  // the first row of Property.xml
    bool listMissing;     // the product list of slot 4 deleted
    const char* messageStart;
  };
  const Case cases[] = {
      {"2000502260", false, "Das Zielgebäude „4711“ steht nicht in der Datei"},
      {"zwei", false, "Der Zähler „zwei“ in der ersten Zeile der Datei"},
      {"2147483647", false, "Der Zähler „2147483647“ in der ersten Zeile der Datei"},
      {"2000502260", true, "Die Datei „"},
  };
  const QString property = folder_.xml(QStringLiteral("Property.xml"));
  const QByteArray shippedProperty = ReadBytes(test::ShippedWorkspace() + QStringLiteral("Property.xml"));
  Fill(3, {"1010196"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.messageStart);
    test::WriteBytes(property, QByteArray(shippedProperty).replace("2000502260", c.counter));
    if (c.listMissing) QFile::remove(folder_.xml(QStringLiteral("2000502236.xml")));
    const auto workspaceMod = test::Snapshot(Template());
    try {
      CreateItems(Settings("25", "1", {"100451", "100451", "4711", "100451", "100451", "100451"}), mods_);
      ADD_FAILURE() << "expected an error";
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.messageStart))) << e.message().toStdString();
    }
    EXPECT_EQ(test::Snapshot(Template()), workspaceMod);
    EXPECT_FALSE(QFileInfo::exists(Deployed()));
  }
}

TEST_F(ModGen, EachDeploymentIsAFreshCopyOfTheTemplate) {
  Fill(4, {"1010196"});
  CreateItems(Settings(), mods_);
  QDir().mkpath(Deployed() + QStringLiteral("/data/extra"));
  test::WriteBytes(Deployed() + QStringLiteral("/data/extra/added.txt"), "x");
  test::WriteBytes(Deployed() + QStringLiteral("/modinfo.json"), "{}");
  QFile::remove(Deployed() + QStringLiteral("/data/icon/Item_3.png"));

  CreateItems(Settings(), mods_);
  EXPECT_EQ(test::FilesBelow(Template()),
            QStringList({"data/config/export/main/asset/assets.xml", "data/config/gui/texts_german.xml",
                         "data/icon/Item_1.png", "data/icon/Item_2.png", "data/icon/Item_3.png", "data/icon/Item_4.png",
                         "data/icon/Item_5.png", "data/icon/Item_6.png", "modinfo.json"}));
  ExpectSameTree(Template(), Deployed());
  EXPECT_FALSE(QFileInfo::exists(Deployed() + QStringLiteral("/data/extra")));
  EXPECT_EQ(QDir(mods_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{kModFolderName});
}

TEST_F(ModGen, TheDeployedFilesParseAndModinfoKeepsItsMemberOrder) {
  // A name with characters XML reserves still gives well-formed files.
  QByteArray products = ReadBytes(folder_.xml(QStringLiteral("Products.xml")));
  test::WriteBytes(folder_.xml(QStringLiteral("Products.xml")),
                   products.replace("Name=\"Bretter\"", "Name=\"Bretter &amp; &lt;Latten&gt;\""));
  Fill(1, {"1010196"});
  Fill(6, {"1010196", "1010239"});
  CreateItems(Settings(), mods_);

  for (const QString& file : {kAssets, kTexts}) {
    XmlDocument doc;
    EXPECT_TRUE(doc.load(Deployed() + file)) << file.toStdString();
    QXmlStreamReader strict(ReadBytes(Deployed() + file));
    while (!strict.atEnd()) strict.readNext();
    EXPECT_FALSE(strict.hasError()) << file.toStdString() << ": " << strict.errorString().toStdString();
  }
  EXPECT_TRUE(ReadBytes(Deployed() + kAssets).contains("<!--Bretter &amp; &lt;Latten&gt;-->"));

  const QByteArray json = ReadBytes(Deployed() + QStringLiteral("/modinfo.json"));
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  EXPECT_EQ(doc.object().value("Version").toString(), QStringLiteral("18.2.4.11"));
  EXPECT_EQ(doc.object().value("ModID").toString(), QStringLiteral("Brennwick"));

  // QJsonDocument sorts members, so their order is read from the text itself.
  QStringList members;
  static const QRegularExpression key(QStringLiteral("\"(\\w+)\"\\s*:"));
  for (const QRegularExpressionMatch& m : key.globalMatch(QString::fromUtf8(json))) members << m.captured(1);
  const QStringList languages{"German", "English", "French", "Italian", "Polish", "Russian"};
  const QStringList expected = QStringList{"Version", "ModID", "IncompatibleIds", "ModDependencies", "Category"} + languages +
                               QStringList{"ModName"} + languages + QStringList{"Description"} + languages +
                               QStringList{"KnownIssues"} + languages +
                               QStringList{"DLCDependencies", "CreatorName", "CreatorContact", "Image"};
  EXPECT_EQ(members, expected);
}

// Links in the deployed mod are removed as links; what they point to stays as it was.
TEST_F(ModGen, DeletingNeverFollowsALink) {
  BW_LINUX_ONLY("symbolic links (Qt makes shortcut files on Windows)");
  struct Case {
    const char* what;
    bool asModFolder;  // the link stands for the mod folder itself, else inside it
    bool toFolder;
  };
  const Case cases[] = {{"mod folder is a link to a folder", true, true},
                        {"link inside to a folder", false, true},
                        {"link inside to a file", false, false}};
  Fill(5, {"1010196"});
  for (bool withProducts : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (withProducts ? ", with products" : ", without products"));
      Fill(5, {"1010196"});
      RemoveIfThere(Deployed());
      const QString outside = folder_.path() + QStringLiteral("outside");
      RemoveIfThere(outside);
      QDir().mkpath(outside + QStringLiteral("/sub"));
      test::WriteBytes(outside + QStringLiteral("/keep.txt"), "keep");
      test::WriteBytes(outside + QStringLiteral("/sub/keep.txt"), "keep");
      if (c.asModFolder) {
        ASSERT_TRUE(QFile::link(outside, Deployed()));
      } else {
        CreateItems(Settings(), mods_);
        ASSERT_TRUE(QFile::link(c.toFolder ? outside : outside + QStringLiteral("/keep.txt"),
                                Deployed() + QStringLiteral("/data/link")));
        ASSERT_TRUE(QFile::link(outside + QStringLiteral("/gone"), Deployed() + QStringLiteral("/dangling")));
      }
      if (!withProducts) Fill(5, {});

      CreateItems(Settings(), mods_);
      EXPECT_EQ(test::FilesBelow(outside), QStringList({"keep.txt", "sub/keep.txt"}));
      EXPECT_EQ(ReadBytes(outside + QStringLiteral("/sub/keep.txt")), QByteArray("keep"));
      if (withProducts) {
        ExpectSameTree(Template(), Deployed());
      } else {
        EXPECT_FALSE(QFileInfo(Deployed()).exists() || QFileInfo(Deployed()).isSymLink());
      }
    }
  }
}

TEST_F(ModGen, ATemplateFileThatCannotBeCopiedLeavesTheOldModAndNoHalfCopy) {
  BW_LINUX_ONLY("a dangling symbolic link");
  Fill(1, {"1010196"});
  CreateItems(Settings(), mods_);
  const auto deployed = test::Snapshot(Deployed());
  const QString broken = Template() + QStringLiteral("/data/icon/Item_7.png");
  ASSERT_TRUE(QFile::link(folder_.path() + QStringLiteral("nowhere.png"), broken));
  try {
    CreateItems(Settings(), mods_);
    ADD_FAILURE() << "expected an error";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().startsWith(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden").arg(broken)))
        << e.message().toStdString();
  }
  EXPECT_EQ(test::Snapshot(Deployed()), deployed);
  EXPECT_EQ(QDir(mods_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{kModFolderName});

  // The next deployment after mending the template goes through.
  QFile::remove(broken);
  CreateItems(Settings(), mods_);
  ExpectSameTree(Template(), Deployed());
}

// A tree whose paths are ten times longer than any path the system takes whole. (Its
// depth costs the file system about 2 ms a level here, so the suite keeps it at 200.)
TEST_F(ModGen, AFolderTreeDeeperThanAnyPathInTheDeployedModGoesWithIt) {
  BW_LINUX_ONLY("paths beyond the system's length, made level by level with openat");
#ifndef _WIN32
  Fill(1, {"1010196"});
  CreateItems(Settings(), mods_);
  const std::string name(200, 'd');
  int folder = open(QFile::encodeName(Deployed()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (int level = 0; level < 200 && folder >= 0; ++level) {
    ASSERT_EQ(mkdirat(folder, name.c_str(), 0755), 0);
    const int below = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    close(folder);
    folder = below;
  }
  ASSERT_GE(folder, 0);
  const int file = openat(folder, "deep.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(file, 0);
  close(file);
  close(folder);

  CreateItems(Settings(), mods_);
  ExpectSameTree(Template(), Deployed());
  EXPECT_EQ(QDir(mods_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{kModFolderName});
#endif
}

#ifndef _WIN32
QString DeployError(const QString& templateFolder, const QString& modFolder) {
  try {
    DeployFolder(templateFolder, modFolder);
  } catch (const Error& e) {
    return e.message();
  }
  return QStringLiteral("(kein Fehler)");
}

// Deploys into a write-protected mods folder and returns the error's text. Root writes there
// all the same, so for root the deployment runs in a child process as the user "nobody".
QString DeployErrorWithoutWriteAccess(const QString& templateFolder, const QString& MODPath, const QString& readable) {
  QFile::setPermissions(MODPath, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
  const QString modFolder = DeployedModFolder(MODPath);
  if (geteuid() != 0) return DeployError(templateFolder, modFolder);
  QFile::setPermissions(readable, QFile::permissions(readable) | QFile::ReadOther | QFile::ExeOther);
  return test::InChild([&] {
    if (setgid(65534) != 0 || setuid(65534) != 0) return QStringLiteral("(kein Benutzerwechsel)");
    return DeployError(templateFolder, modFolder);
  });
}
#endif

TEST_F(ModGen, AnUnwritableModsFolderIsReportedAndTheOldModStays) {
  BW_LINUX_ONLY("Unix permissions and a child process as another user");
#ifndef _WIN32
  Fill(1, {"1010196"});
  CreateItems(Settings(), mods_);
  const auto deployed = test::Snapshot(Deployed());
  const QString message = DeployErrorWithoutWriteAccess(Template(), mods_, folder_.path());
  EXPECT_EQ(message, QStringLiteral("Der Ordner „%1/-%2.neu“ kann nicht angelegt werden.").arg(mods_, kModFolderName));
  QFile::setPermissions(mods_, QFile::permissions(mods_) | QFile::WriteOwner);
  EXPECT_EQ(test::Snapshot(Deployed()), deployed);
  EXPECT_EQ(QDir(mods_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{kModFolderName});
#endif
}

TEST_F(ModGen, AModsFolderThatIsNoFolderOrUnknownIsReported) {
  Fill(1, {"1010196"});
  const QString file = folder_.path() + QStringLiteral("Corvana 1800/mods");
  RemoveIfThere(file);
  test::WriteBytes(file, "kein Ordner");
  try {
    CreateItems(Settings(), file);
    ADD_FAILURE() << "expected an error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(file));
  }
  EXPECT_EQ(ReadBytes(file), QByteArray("kein Ordner"));
  EXPECT_THROW(CreateItems(Settings(), QString()), Error);
}

}  // namespace

// Windows: a read-only file of the deployed mod goes with it. One that another program holds
// open, as the running game does, leaves a whole mod and a message saying what the game finds;
// the next generation clears the rest once the file is let go.
TEST_F(ModGen, AReadOnlyFileGoesAndAHeldOneIsReportedWithAWholeModInPlace) {
#ifndef _WIN32
  GTEST_SKIP() << "Windows only: read-only marks and files that no one may delete while they are open";
#else
  const std::wstring modinfo = QDir::toNativeSeparators(Deployed() + QStringLiteral("/modinfo.json")).toStdWString();
  const QString old = mods_ + QStringLiteral("/-") + kModFolderName + QStringLiteral(".alt");
  auto onlyTheNewMod = [&] {
    EXPECT_EQ(QDir(mods_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{kModFolderName});
    ExpectSameTree(Template(), Deployed());
  };
  Fill(4, {"1010196"});
  CreateItems(Settings(), mods_);
  SetFileAttributesW(modinfo.c_str(), FILE_ATTRIBUTE_READONLY);
  CreateItems(Settings(), mods_);
  onlyTheNewMod();

  HANDLE held = CreateFileW(modinfo.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  QString message;
  try {
    CreateItems(Settings(), mods_);
  } catch (const Error& error) {
    message = error.message();
  }
  const bool setAside = QFileInfo::exists(old);  // Wine renames a folder that holds an open file, Windows does not
  EXPECT_EQ(message, setAside ? QStringLiteral("Die neue Modifikation steht in „%1“. Der Ordner der bisherigen Modifikation "
                                               "„%2“ wird noch verwendet, vielleicht vom laufenden Spiel; die nächste "
                                               "Erzeugung löscht ihn. Die Datei „%3“ kann nicht gelöscht werden: Ein "
                                               "anderes Programm greift gerade darauf zu.")
                                    .arg(Deployed(), old, QDir::toNativeSeparators(old + QStringLiteral("/modinfo.json")))
                              : QStringLiteral("Die Modifikation „%1“ kann nicht ersetzt werden: Ihr Ordner wird verwendet, "
                                               "vielleicht vom laufenden Spiel. Sie bleibt, wie sie war.")
                                    .arg(Deployed()));
  EXPECT_EQ(ReadBytes(Deployed() + kAssets) == ReadBytes(Template() + kAssets), setAside);
  EXPECT_EQ(test::LoadedMods(mods_), QStringList{kModFolderName});  // the old copy is out of the game's sight
  CloseHandle(held);
  CreateItems(Settings(), mods_);
  onlyTheNewMod();
#endif
}
