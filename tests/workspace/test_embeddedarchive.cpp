#include <gtest/gtest.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "tests/testsupport.h"
#include "workspace/archive.h"
#include "workspace/error.h"
#include "workspace/files.h"

using namespace bw;
using test::ProgramFolder;

namespace {

QStringList ArchiveEntries(const QByteArray& bytes, const QString& scratch) {
  const QString path = scratch + QStringLiteral("entries.zip");
  WriteFileAtomic(path, bytes);
  QStringList names;
  zip_t* z = zip_open(path.toUtf8().constData(), ZIP_RDONLY, nullptr);  // libzip's names are UTF-8, on Windows too
  for (zip_int64_t i = 0; z && i < zip_get_num_entries(z, 0); ++i) names << QString::fromUtf8(zip_get_name(z, i, 0));
  if (z) zip_discard(z);
  return names;
}

}  // namespace

TEST(EmbeddedArchive, HoldsTheInitialWorkspaceInItsOrder) {
  ProgramFolder folder(false);
  const QString mod = QStringLiteral("XMLK/[Brennwick] Materials/");
  QStringList expected = {mod,
                          mod + "data/",
                          mod + "data/config/",
                          mod + "data/config/export/",
                          mod + "data/config/export/main/",
                          mod + "data/config/export/main/asset/",
                          mod + "data/config/export/main/asset/assets.xml",
                          mod + "data/config/gui/",
                          mod + "data/config/gui/texts_german.xml",
                          mod + "data/icon/"};
  for (int i = 1; i <= 6; ++i) expected << mod + QStringLiteral("data/icon/Item_%1.png").arg(i);
  expected << mod + "modinfo.json";
  for (const char* f : {"2000502230.xml", "2000502232.xml", "2000502234.xml", "2000502236.xml", "2000502238.xml",
                        "2000502240.xml", "Info.txt", "Products.xml", "Property.xml", "Sessions.xml", "Target.xml"}) {
    expected << QStringLiteral("XMLK/") + f;
  }
  EXPECT_EQ(ArchiveEntries(EmbeddedArchive(), folder.path()), expected);

  // Extracted, it equals resources/XMLK byte for byte.
  ExtractArchive(EmbeddedArchive(), folder.path());
  test::ExpectSameFiles(folder.xml(), test::ShippedWorkspace());
}

TEST(EmbeddedArchive, RefusesEntriesThatWouldLeaveTheProgramFolder) {
  for (const char* evil : {"../evil.txt", "XMLK/../../evil.txt", "/tmp/brennwick-evil.txt", ":evil/evil.txt"}) {
    ProgramFolder folder(false);
    const QString inner = folder.path() + QStringLiteral("inner/");
    QDir().mkpath(inner);
    const QString zip = folder.path() + QStringLiteral("evil.zip");
    zip_t* z = zip_open(zip.toUtf8().constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    ASSERT_NE(z, nullptr);
    zip_file_add(z, "XMLK/ok.txt", zip_source_buffer(z, "ok", 2, 0), 0);
    zip_file_add(z, evil, zip_source_buffer(z, "evil", 4, 0), 0);
    ASSERT_EQ(zip_close(z), 0);
    EXPECT_THROW(ExtractArchive(test::ReadBytes(zip), inner), Error) << evil;
    EXPECT_EQ(test::FilesBelow(folder.path()), QStringList{QStringLiteral("evil.zip")}) << evil;
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/brennwick-evil.txt")));
    EXPECT_FALSE(QFileInfo::exists(QDir::currentPath() + QStringLiteral("/:evil")));
  }
}
