#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/application.h"
#include "tests/testsupport.h"

// Tests never touch the real home folder, registry record or Wine prefixes: the whole test
// process gets a home of its own, with a game folder already recorded there.
int main(int argc, char** argv) {
  QTemporaryDir home;
  for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_DATA_HOME", "WINEPREFIX"}) qunsetenv(var);
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
  qputenv("XDG_RUNTIME_DIR", (home.path() + "/run").toUtf8());
  QDir().mkpath(home.path() + "/run");
  QFile::setPermissions(home.path() + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  bw::test::RecordFakeGame(home.path() + "/Games/Corvana 1800");
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  bw::TApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
