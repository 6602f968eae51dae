#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

#include "catalog/catalog.h"
#include "tests/catalog/catalogfolder.h"
#include "workspace/error.h"

using namespace bw;
using test::CatalogFolder;
using test::ReadBytes;
using test::WriteBytes;
using test::ProductDump;

namespace {

const char* const kShippedCatalogue[] = {"Products.xml",   "Sessions.xml",   "Property.xml",   "Target.xml",
                                         "2000502230.xml", "2000502232.xml", "2000502234.xml", "2000502236.xml",
                                         "2000502238.xml", "2000502240.xml"};

QString RunCaught(const CatalogFolder& f) {
  try {
    RunCatalog(f.paths, f.icons, {});
  } catch (const Error& e) {
    return e.message();
  }
  return {};
}

}  // namespace

TEST(CatalogRun, DeveloperDumpsGiveTheShippedCatalogueByteForByte) {
  CatalogFolder f;
  f.copyFixture();
  WriteBytes(f.icons + "icon_sugar_0.png", "sugar");
  WriteBytes(f.icons + "icon_wooden_planks_0.png", "planks");
  QStringList steps;
  RunCatalog(f.paths, f.icons, [&](const QString& step) { steps << step; });

  EXPECT_EQ(steps, QStringList({"CreateProductCleanedList", "CreateProductShortList", "CreateSelectList",
                                "CreatePropertyList", "CreateBuildingsListBasedOnTemplates",
                                "CreateBuildingsListBasedOnBaseGUID", "CompareTemplateAndBaseAssetBuildings",
                                "CleanBuildingsFullList", "CreateBuildingsShortLists", "CreateBlankItemLists"}));
  for (const char* name : kShippedCatalogue) {
    EXPECT_TRUE(f.xml(name) == ReadBytes(test::ShippedWorkspace() + name)) << name;
  }

  // Every icon of the catalogue once, sorted without regard to case; only the two found are copied.
  QStringList icons;
  const QString products = QString::fromUtf8(ReadBytes(test::ShippedWorkspace() + "Products.xml"));
  for (const auto& m : QRegularExpression(" Icon=\"([^\"]*)\"").globalMatch(products)) icons << m.captured(1);
  icons.removeDuplicates();
  std::sort(icons.begin(), icons.end(), [](const QString& a, const QString& b) { return a.toLower() < b.toLower(); });
  EXPECT_EQ(f.tmp("ItemsIconList.txt"), (icons.join("\r\n") + "\r\n").toUtf8());
  EXPECT_EQ(QDir(f.paths.ICOPATH).entryList(QDir::Files), QStringList({"icon_sugar.png", "icon_wooden_planks.png"}));
  EXPECT_EQ(f.tmp("ItemIconErrorlist.txt").count("_0.png\r\n"), icons.size() - 2);
  EXPECT_FALSE(f.tmp("ItemIconErrorlist.txt").contains("icon_sugar_0.png"));
}

// A run that fails writes nothing: ORG, TMP, ICO and XMLK stay byte for byte as they were.
TEST(CatalogRun, FailuresNameTheFileAndWriteNothing) {
  const auto spoilText = [](const char* text, const char* spoilt) {
    return [=](const CatalogFolder& f) {
      f.org("texts_german.xml", ReadBytes(f.paths.ORGPath + "texts_german.xml").replace(text, spoilt));
    };
  };
  const auto refused = [](const char* guid, const char* character) {
    return [=](const CatalogFolder& f) {
      return QStringLiteral(
                 "Ein Wert des Assets „%1“ aus der Datei „%2“ enthält ein Zeichen, das XML nicht erlaubt (%3).")
          .arg(QString::fromUtf8(guid), f.paths.ORGPath + "texts_german.xml", QString::fromUtf8(character));
    };
  };
  struct Case {
    const char* what;
    std::function<void(const CatalogFolder&)> spoil;
    std::function<QString(const CatalogFolder&)> message;
  } cases[] = {
      {"a missing folder stops the run before anything is written",
       [](const CatalogFolder& f) { QDir(f.paths.TMPPath).removeRecursively(); },
       [](const CatalogFolder& f) { return QStringLiteral("Der Ordner „%1“ fehlt.").arg(f.paths.TMPPath); }},
      {"a missing asset dump stops the run at step 5",
       [](const CatalogFolder& f) { QFile::remove(f.paths.ORGPath + "Assets.xml"); },
       [](const CatalogFolder& f) {
         return QStringLiteral("Die Datei „%1“ fehlt oder kann nicht gelesen werden.").arg(f.paths.ORGPath + "Assets.xml");
       }},
      {"an asset dump that is not well-formed stops the run at step 5",
       [](const CatalogFolder& f) { f.org("Assets.xml", ReadBytes(f.paths.ORGPath + "Assets.xml").chopped(20)); },
       [](const CatalogFolder& f) {
         return QStringLiteral("Die Datei „%1“ ist kein gültiges XML").arg(f.paths.ORGPath + "Assets.xml");
       }},
      {"a malformed text table stops the run at step 2",
       [](const CatalogFolder& f) { f.org("texts_german.xml", "<TextExport><Texts>"); },
       [](const CatalogFolder& f) { return f.paths.ORGPath + "texts_german.xml"; }},
      {"with the asset dump broken as well, the earlier step's failure is the one reported",
       [](const CatalogFolder& f) {
         f.org("texts_german.xml", "<TextExport><Texts>");
         f.org("Assets.xml", "<AssetList>");
       },
       [](const CatalogFolder& f) { return f.paths.ORGPath + "texts_german.xml"; }},
      {"a good without GUID stops the run at step 2",
       [](const CatalogFolder& f) { f.org("Product_Ammunition.xml", "<Assets><Asset><Values/></Asset></Assets>"); },
       [](const CatalogFolder& f) {
         return QStringLiteral("Das Asset Nr. 1 in der Datei „%1“ hat kein „Values/Standard/GUID“.")
             .arg(f.paths.ORGPath + "Product_Ammunition.xml");
       }},
      {"a control character in the text of a good", spoilText("<Text>Zucker<", "<Text>Zu&#1;cker<"),
       refused("1010239", "U+0001")},
      {"a control character in the text of a building", spoilText("<Text>Ölraffinerie<", "<Text>Öl&#x0B;raffinerie<"),
       refused("1010561", "U+000B")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CatalogFolder f;
    f.copyFixture();
    WriteBytes(f.icons + "icon_sugar_0.png", "sugar");
    for (const QString& file :
         {f.paths.ORGPath + "Product.xml", f.paths.TMPPath + "GUIDS.txt", f.paths.ICOPATH + "icon_sugar.png"}) {
      WriteBytes(file, "earlier");
    }
    for (const char* name : kShippedCatalogue) WriteBytes(f.paths.XMLPath + name, "earlier");
    c.spoil(f);
    const QMap<QString, QByteArray> before = test::Snapshot(f.dir.path());
    const QString message = RunCaught(f);
    EXPECT_TRUE(message.contains(c.message(f))) << message.toStdString();
    EXPECT_TRUE(test::Snapshot(f.dir.path()) == before);
  }
}

// An output that is a link to a file elsewhere is replaced by a file of its own; the file
// elsewhere stays as it was. Icon names from the dumps are plain file names in ICO, whatever
// path they came with.
TEST(CatalogRun, NeverWritesThroughALinkNorOutsideItsFolders) {
  BW_LINUX_ONLY("symbolic links (Qt makes shortcut files on Windows)");
  CatalogFolder f;
  f.copyFixture();
  f.org("Product_Ammunition.xml",
        ProductDump({{"846", "../../icon_up.png"}, {"847", "/elsewhere/icon_absolute.png"}, {"848", "..\\..\\icon_back.png"}}));
  for (const char* icon : {"icon_sugar", "icon_up", "icon_absolute", "icon_back"}) {
    WriteBytes(f.icons + icon + "_0.png", QByteArray("picture ") + icon);
  }
  const QString outside = f.dir.path() + QStringLiteral("outside/");
  QDir().mkpath(outside);
  struct Link {
    const char* what;
    QString path;
    QByteArray outsideBytes;
  } links[] = {
      {"an icon copy", f.paths.ICOPATH + "icon_sugar.png", "fremd"},
      {"an icon copy whose link shows the picture already", f.paths.ICOPATH + "icon_up.png", "picture icon_up"},
      {"a list in TMP", f.paths.TMPPath + "GUIDS.txt", "fremd"},
      {"a catalogue in XMLK", f.paths.XMLPath + "Products.xml", "fremd"},
  };
  for (const Link& l : links) {
    const QString target = outside + QFileInfo(l.path).fileName();
    WriteBytes(target, l.outsideBytes);
    ASSERT_TRUE(QFile::link(target, l.path)) << l.what;
  }

  RunCatalog(f.paths, f.icons, {});

  for (const Link& l : links) {
    SCOPED_TRACE(l.what);
    EXPECT_EQ(ReadBytes(outside + QFileInfo(l.path).fileName()), l.outsideBytes);
    EXPECT_FALSE(QFileInfo(l.path).isSymLink());
    EXPECT_TRUE(QFileInfo(l.path).isFile());
  }
  EXPECT_EQ(ReadBytes(f.paths.ICOPATH + "icon_sugar.png"), "picture icon_sugar");
  EXPECT_EQ(ReadBytes(f.paths.ICOPATH + "icon_up.png"), "picture icon_up");
  EXPECT_EQ(QDir(f.paths.ICOPATH).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList({"icon_absolute.png", "icon_back.png", "icon_sugar.png", "icon_up.png"}));
  const QStringList listed = QString::fromUtf8(f.tmp("ItemsIconList.txt")).split(QStringLiteral("\r\n"));
  for (const char* icon : {"icon_up", "icon_absolute", "icon_back"}) EXPECT_TRUE(listed.contains(icon)) << icon;
  EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList({"ICO", "icons", "ORG", "outside", "TMP", "XMLK"}));
}
