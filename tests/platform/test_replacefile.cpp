#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/replacefile.h"
#include "tests/testsupport.h"

using namespace bw;

TEST(ReplaceFile, ReportsAFolderItCannotWriteInGerman) {
  test::ScopedHome home;
  const QString notAFolder = home.path() + QStringLiteral("/file");
  test::WriteBytes(notAFolder, "x");
  try {
    ReplaceFile((notAFolder + "/registry.ini").toStdString(), "text");
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Die Datei „" + (notAFolder + "/registry.ini").toStdString() +
                                          "“ kann nicht geschrieben werden: ", 0), 0u) << e.what();
  }
  EXPECT_EQ(test::ReadBytes(notAFolder), QByteArray("x"));
}
