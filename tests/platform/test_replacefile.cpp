#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/pathtext.h"
#include "platform/replacefile.h"
#include "tests/testsupport.h"

using namespace bw;

TEST(ReplaceFile, ReportsAFolderItCannotWriteInGerman) {
  test::ScopedHome home;
  const QString notAFolder = home.path() + QStringLiteral("/file");
  test::WriteBytes(notAFolder, "x");
  const std::filesystem::path path = PathFromUtf8((notAFolder + "/registry.ini").toStdString());
  try {
    ReplaceFile(path, "text");
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Die Datei „" + Utf8Text(path) + "“ kann nicht geschrieben werden: ", 0), 0u)
        << e.what();
  }
  EXPECT_EQ(test::ReadBytes(notAFolder), QByteArray("x"));
}
