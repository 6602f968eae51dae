#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

#include "platform/pathtext.h"
#include "platform/registryfile.h"
#include "tests/testsupport.h"

using namespace bw;

namespace {

const std::string kKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick";

// A record as an editor on Windows might leave it: byte-order mark, CR LF, a value holding
// "=", a subkey, one with its line ends converted twice, one with a doubled leading
// delimiter, and a sibling whose name merely starts like the key.
const char* const kRecord =
    "\xEF\xBB\xBF[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick]\r\n"
    "GameLocation=/games/C=1800\r\n"
    "ModLoader=0.9.4\r\n"
    "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick\\Sub]\r\n"
    "x=1\r\n"
    "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick\\Twice]\r\r\n"
    "z=3\r\r\n"
    "[\\\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick\\Lead]\r\n"
    "w=4\r\n"
    "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick2]\r\n"
    "y=2\r\n";

RegistryFile Loaded(const test::ScopedHome& home, const char* text) {
  QDir().mkpath(QFileInfo(home.recordFile()).path());
  test::WriteBytes(home.recordFile(), text);
  return RegistryFile(PathFromUtf8(home.recordFile().toStdString()));
}

}  // namespace

TEST(RegistryFile, ReadsKeysAndValuesWithoutCase) {
  test::ScopedHome home;
  const RegistryFile record = Loaded(home, kRecord);
  struct Case {
    std::string key, name, value;
  } cases[] = {
      {kKey, "GameLocation", "/games/C=1800"},
      {"\\software\\microsoft\\windows\\currentversion\\BRENNWICK", "gamelocation", "/games/C=1800"},
      {kKey, "MODLOADER", "0.9.4"},
      {kKey, "Missing", ""},
      {kKey + "\\Sub", "X", "1"},
      {kKey + "\\Twice", "z", "3"},
      {kKey + "\\Lead", "w", "4"},
      {kKey + "\\Other", "x", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(record.Value(c.key, c.name), c.value) << c.key << " " << c.name;
  EXPECT_TRUE(record.HasKey("\\" + kKey));
  EXPECT_FALSE(record.HasKey(kKey + "\\Other"));
}

TEST(RegistryFile, DeletesAKeyWithItsSubkeysOnly) {
  test::ScopedHome home;
  RegistryFile record = Loaded(home, kRecord);
  record.DeleteKey("\\software\\Microsoft\\Windows\\CurrentVersion\\brennwick");
  record.Save();
  EXPECT_EQ(test::ReadBytes(home.recordFile()).toStdString(), std::string("[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick2]\n"
                                                           "y=2\n"));
}

TEST(RegistryFile, SetValueKeepsThePlaceOfAnExistingValue) {
  test::ScopedHome home;
  RegistryFile record = Loaded(home, "[Software\\A]\nFirst=1\nSecond=2\n");
  record.SetValue("SOFTWARE\\a", "second", "zwei");
  record.SetValue("Software\\A", "Third", "3");
  record.SetValue("\\Software\\B", "Name", "Wert mit Ümlaut");
  record.Save();
  EXPECT_EQ(test::ReadBytes(home.recordFile()).toStdString(), std::string("[Software\\A]\n"
                                                           "First=1\n"
                                                           "Second=zwei\n"
                                                           "Third=3\n"
                                                           "[Software\\B]\n"
                                                           "Name=Wert mit Ümlaut\n"));
  // Written through a temporary file that is gone afterwards.
  EXPECT_EQ(test::FilesBelow(home.path() + QStringLiteral("/.config")), QStringList{"Brennwick/registry.ini"});
}

TEST(RegistryFile, RecordPathFollowsXdgConfigHome) {
  BW_LINUX_ONLY("the record file; Windows keeps the record in the registry");
  test::ScopedHome home;
  EXPECT_EQ(RegistryFile::UserRecordPath(), (home.path() + "/.config/Brennwick/registry.ini").toStdString());
  // Unset or relative: the default below HOME.
  for (const char* value : {"", "relative/config"}) {
    qputenv("XDG_CONFIG_HOME", value);
    EXPECT_EQ(RegistryFile::UserRecordPath(), (home.path() + "/.config/Brennwick/registry.ini").toStdString()) << value;
  }
  qputenv("XDG_CONFIG_HOME", "/elsewhere");
  EXPECT_EQ(RegistryFile::UserRecordPath(), "/elsewhere/Brennwick/registry.ini");
#ifndef _WIN32
  // Nor HOME: the home of the user's passwd entry, never the working folder.
  qunsetenv("XDG_CONFIG_HOME");
  for (const char* value : {static_cast<const char*>(nullptr), "relative/home"}) {
    if (value) qputenv("HOME", value);
    else qunsetenv("HOME");
    EXPECT_EQ(RegistryFile::UserRecordPath(), std::filesystem::path(getpwuid(getuid())->pw_dir) / ".config/Brennwick/registry.ini");
  }
#endif
}
