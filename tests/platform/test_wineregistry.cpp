#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sstream>

#include "platform/registry.h"
#include "platform/wineregistry.h"
#include "tests/testsupport.h"

using namespace bw;

namespace {

// Shaped like a system.reg that Wine writes.
const char* const kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Ubisoft\\\\Launcher\\\\Installs\\\\4553] 1700000000\n"
    "#time=1d9a0b0c0d0e0f0\n"
    "\"InstallDir\"=\"D:/Games/G/\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\UbiSoft\\\\Corvana 1800] 1700000001\n"
    "\"Binary\"=hex:00,01,02,\\\n"
    "  \"InstallDir\"=\"not this\"\n"
    "\"Escaped\"=\"C:\\\\Spiele\\\\\\\"Corvana\\\" Gr\\xfc\\xdf\\x65\\xd83d\\xde00\"\n"
    "\"InstallDir\"=\"C:\\\\Program Files (x86)\\\\Ubisoft\\\\Corvana 1800\\\\\"\n"
    "\"Language\"=dword:00000007\n"
    "\"Expand\"=str(2):\"%ProgramFiles%\\\\X\"\n"
    "\"NoDigits\"=\"C:\\\\Co\\xrvana\"\n"
    "\"HalfPair\"=\"C:\\\\\\xd83dX\"\n"
    "@=\"default\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\UbiSoft\\\\Corvana 1800\\\\Sub] 1700000002\n"
    "\"Other\"=\"sub\"\n";

std::string Read(const std::string& key, const std::string& name) {
  std::istringstream reg(kSystemReg);
  return ReadWineString(reg, key, name);
}

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

}  // namespace

TEST(WineRegistry, ReadsStringValues) {
  const std::string game = "SOFTWARE\\WOW6432Node\\UbiSoft\\Corvana 1800";
  struct Case {
    std::string key, name, value;
  } cases[] = {
      {"SOFTWARE\\WOW6432Node\\Ubisoft\\Launcher\\Installs\\4553", "InstallDir", "D:/Games/G/"},
      {game, "InstallDir", "C:\\Program Files (x86)\\Ubisoft\\Corvana 1800\\"},
      {"software\\wow6432node\\ubisoft\\corvana 1800", "INSTALLDIR", "C:\\Program Files (x86)\\Ubisoft\\Corvana 1800\\"},
      {game, "Escaped", "C:\\Spiele\\\"Corvana\" Grüße\U0001F600"},
      {game, "Expand", "%ProgramFiles%\\X"},
      {game, "@", "default"},
      {game, "", "default"},
      {game, "NoDigits", ""},   // an escape that can not be decoded reads as missing
      {game, "HalfPair", ""},
      {game, "Language", ""},   // a number, no string
      {game, "Binary", ""},     // binary data and its continuation line
      {game, "Other", ""},      // lives in the subkey
      {game + "\\Sub", "Other", "sub"},
      {"SOFTWARE\\WOW6432Node\\Ubisoft", "InstallDir", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.key, c.name), c.value) << c.key << " / " << c.name;
}

TEST(WineRegistry, MapsWindowsPathsThroughTheDriveLinks) {
  BW_LINUX_ONLY("Wine prefixes and their drive links");
  test::ScopedHome home;
  const QString prefix = home.path() + QStringLiteral("/.wine");
  const QString diskD = home.path() + QStringLiteral("/disk d");
  QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
  QDir().mkpath(prefix + QStringLiteral("/drive_c/Program Files (x86)/Ubisoft"));
  QDir().mkpath(diskD + QStringLiteral("/Games"));
  QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:"));
  QFile::link(diskD, prefix + QStringLiteral("/dosdevices/d:"));
  const QString c = Canonical(prefix + QStringLiteral("/drive_c"));
  const QString d = Canonical(diskD);
  struct Case {
    std::string windows;
    QString mapped;
  } cases[] = {
      {"D:/Games/G/", d + "/Games/G/"},
      {"d:\\Games\\G", d + "/Games/G"},
      {"D:\\GAMES\\G", d + "/Games/G"},  // the existing folder's own spelling
      {"C:\\Program Files (x86)\\UBISOFT\\Corvana 1800\\", c + "/Program Files (x86)/Ubisoft/Corvana 1800/"},
      {"C:\\", c + "/"},
      {"C:\\..\\..\\Program Files (x86)\\.\\Ubisoft", c + "/Program Files (x86)/Ubisoft"},  // never above the drive
      {"E:\\Games", ""},  // no such drive in this prefix
      {"\\\\server\\share", ""},
      {"", ""},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(QString::fromStdString(MapWindowsPath(prefix.toStdString(), k.windows)), k.mapped) << k.windows;
  }
}

TEST(WineRegistry, SearchesWinePrefixThenEachProtonPrefixOnce) {
  BW_LINUX_ONLY("Wine prefixes");
  test::ScopedHome home;
  const QString h = home.path();
  for (const char* folder : {"/.wine", "/.local/share/Steam/steamapps/compatdata/2000/pfx",
                             "/.local/share/Steam/steamapps/compatdata/1000/pfx",
                             "/.local/share/Steam/steamapps/compatdata/3000", "/other/pfx"}) {
    QDir().mkpath(h + folder);
  }
  // As Steam sets it up: ~/.steam/steam links to the real Steam folder.
  QDir().mkpath(h + "/.steam");
  QFile::link(h + "/.local/share/Steam", h + "/.steam/steam");
  auto prefixes = [] {
    QStringList list;
    for (const auto& p : WinePrefixes()) list << QString::fromStdString(p.string());
    return list;
  };
  const QString proton = h + "/.steam/steam/steamapps/compatdata/";
  EXPECT_EQ(prefixes(), QStringList({h + "/.wine", proton + "1000/pfx", proton + "2000/pfx"}));
  qputenv("WINEPREFIX", (h + "/other/pfx").toUtf8());
  EXPECT_EQ(prefixes(), QStringList({h + "/other/pfx", proton + "1000/pfx", proton + "2000/pfx"}));
}

// As Windows finds the game, for the record's GameLocation, an install record and the
// chooser alike: each part of Bin/Win64/Corvana1800.exe in any letter case.
TEST(WineRegistry, TheGameCheckMatchesEachPartWithoutCase) {
  const std::pair<const char*, bool> cases[] = {{"bin/win64/corvana1800.exe", true}, {"BIN/Win64/CORVANA1800.EXE", true},
                                                {"Bin/Win32/Corvana1800.exe", false}, {"Bin/Win64/Corvana1800.exe.txt", false}};
  for (const auto& [file, game] : cases) {
    SCOPED_TRACE(file);
    const test::ProgramFolder folder(false);
    QDir().mkpath(QFileInfo(folder.path() + file).path());
    test::WriteBytes(folder.path() + file, {});
    EXPECT_EQ(IsGameFolder(folder.path().toStdString()), game);
  }
}
