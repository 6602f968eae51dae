// What only Windows has: the registry, the named mutex, the version resource, read-only marks
// and reparse points, access rules, the folder browser (held files: tests/modgen). tools/test-windows puts every test's
// folders below „C:\users\Jürgen Ωmega“, a name that Windows' ANSI code page can't hold.
#include <gtest/gtest.h>
#include <windows.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/folderchooser.h"
#include "platform/folders.h"
#include "platform/instancelock.h"
#include "platform/pathtext.h"
#include "platform/registry.h"
#include "platform/version.h"
#include "tests/testsupport.h"

using namespace bw;

namespace {

const std::string kTestKey = "\\SOFTWARE\\Brennwick Tests\\Record";

// The value names of a key under HKEY_CURRENT_USER in the order the registry lists them.
std::vector<std::string> ValueNames(const std::string& key) {
  std::vector<std::string> names;
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(key.substr(1)).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return names;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumValueW(k, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(Utf8(std::wstring_view(name, length)));
  }
  RegCloseKey(k);
  return names;
}

// Runs Windows' own reg.exe, as an installer or a user at the console writes the registry.
int Reg(const QStringList& arguments) {
  QProcess reg;
  reg.start(QStringLiteral("reg.exe"), arguments);
  if (!reg.waitForFinished(60000)) return -1;
  return reg.exitCode();
}

}  // namespace

TEST(WindowsRegistry, TheRecordRoundTripsInTheRealRegistryWithItsValuesInOrder) {
  DeleteUserKey(kTestKey);
  ASSERT_FALSE(UserKeyExists(kTestKey));
  const std::vector<std::pair<std::string, std::string>> values = {
      {"GameLocation", "C:\\Spiele\\Corvana 1800"}, {"ModLocation", "C:\\Spiele\\Corvana 1800\\mods"},
      {"ModLoader", "0.9.4"},                       {"PrgPath", "D:\\Werkzeuge\\Brennwick für Jürgen\\"},
      {"DPVer", "18.2.4.17"},                       {"TimeStamp", "09.12.2026"},
      {"Leer", ""}};
  WriteUserStrings(kTestKey, values);
  EXPECT_TRUE(UserKeyExists(kTestKey));
  EXPECT_TRUE(UserKeyExists("\\software\\brennwick tests\\RECORD"));  // keys compare without case
  for (const auto& [name, value] : values) EXPECT_EQ(ReadUserString(kTestKey, name), value) << name;
  EXPECT_EQ(ReadUserString(kTestKey, "gamelocation"), "C:\\Spiele\\Corvana 1800");
  EXPECT_EQ(ReadUserString(kTestKey, "Missing"), "");
  EXPECT_EQ(ReadUserString(kTestKey + "\\Missing", "GameLocation"), "");
  // Wine lists a key's values sorted by name, Windows in the order they were made; either way
  // there are the seven.
  std::vector<std::string> names = ValueNames(kTestKey);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, std::vector<std::string>({"DPVer", "GameLocation", "Leer", "ModLoader", "ModLocation", "PrgPath", "TimeStamp"}));

  // Written again, the values change in place.
  WriteUserStrings(kTestKey, {{"TimeStamp", "10.12.2026"}, {"GameLocation", "E:\\Corvana 1800"}});
  EXPECT_EQ(ValueNames(kTestKey).size(), 7u);
  EXPECT_EQ(ReadUserString(kTestKey, "GameLocation"), "E:\\Corvana 1800");

  // A value of another type is no string; deleting takes the subkeys along.
  const DWORD number = 7;
  HKEY k;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(kTestKey.substr(1) + "\\Sub").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(k, L"Zahl", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(k);
  try {
    ReadUserString(kTestKey + "\\Sub", "Zahl");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Der Registrierungswert „Zahl“ ist keine Zeichenkette.");
  }
  DeleteUserKey(kTestKey);
  EXPECT_FALSE(UserKeyExists(kTestKey));
  EXPECT_FALSE(UserKeyExists(kTestKey + "\\Sub"));
}

// The install records as the game's installer and its launcher leave them, written with
// reg.exe: a folder counts only where the game is.
TEST(WindowsRegistry, InstallRecordsWrittenWithRegAreFoundWhereTheGameIs) {
  const std::string gameKey = "SOFTWARE\\WOW6432Node\\UbiSoft\\Corvana 1800";
  const std::string launcherKey = "SOFTWARE\\WOW6432Node\\Ubisoft\\Launcher\\Installs\\4553";
  test::ProgramFolder disk(false);
  const QString game = QDir::toNativeSeparators(disk.path() + QStringLiteral("Spiele/Corvana 1800"));
  test::MakeGame(game);
  QDir().mkpath(disk.path() + QStringLiteral("Leer"));
  struct Case {
    const char* what;
    std::string key;
    bool dropLast;
    QString value;
    QString found;
  } cases[] = {
      {"game record, taken whole", gameKey, false, game, game},
      {"game record with slashes", gameKey, false, QDir::fromNativeSeparators(game), game},
      {"launcher record, last character dropped", launcherKey, true, game + QLatin1Char('\\'), game},
      {"launcher record with slashes", launcherKey, true, QDir::fromNativeSeparators(game) + QLatin1Char('/'), game},
      {"launcher record without a delimiter loses a letter", launcherKey, true, game, QString()},
      {"a folder without the game", gameKey, false, QDir::toNativeSeparators(disk.path() + QStringLiteral("Leer")), QString()},
      {"a folder that is gone", launcherKey, true, QStringLiteral("C:\\Gibt es nicht\\"), QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString key = QStringLiteral("HKLM\\") + QString::fromStdString(c.key);
    ASSERT_EQ(Reg({QStringLiteral("add"), key, QStringLiteral("/v"), QStringLiteral("InstallDir"), QStringLiteral("/d"),
                   c.value, QStringLiteral("/f"), QStringLiteral("/reg:64")}),
              0);
    EXPECT_EQ(QString::fromStdString(GameInstallFolder(c.key, c.dropLast)), c.found);
    Reg({QStringLiteral("delete"), key, QStringLiteral("/f"), QStringLiteral("/reg:64")});
  }
  EXPECT_EQ(GameInstallFolder(gameKey, false), "");
  EXPECT_EQ(GameInstallFolder(launcherKey, true), "");
}

// The mutex belongs to the process: the same process takes it again, a second one is refused.
TEST(WindowsInstanceLock, TheMutexRefusesASecondProcess) {
  auto secondProcess = [](const char* name) {
    return QProcess::execute(test::BuiltProgram("brennwick_helper"), {QStringLiteral("--lock"), QLatin1String(name)});
  };
  EXPECT_EQ(secondProcess("BrennwickTestMutex"), 0);  // free while nobody holds it
  ASSERT_TRUE(AcquireInstanceLock("BrennwickTestMutex"));
  EXPECT_TRUE(AcquireInstanceLock("BrennwickTestMutex"));
  EXPECT_EQ(secondProcess("BrennwickTestMutex"), 3);
  EXPECT_EQ(secondProcess("BrennwickTestOther"), 0);
}

TEST(WindowsVersion, TheVersionResourceReadsBackAsTheProgramVersion) {
  EXPECT_EQ(ExecutableVersion(PathFromUtf8(test::BuiltProgram("brennwick").toStdString())), "18.2.4.17");
  EXPECT_EQ(ProgramVersion(), "18.2.4.17");
  // A program without a version resource: the reason, and the file named.
  const std::filesystem::path plain = PathFromUtf8(test::BuiltProgram("brennwick_helper").toStdString());
  try {
    ExecutableVersion(plain);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Die Versionsangabe der Datei „" + Utf8Text(plain) + "“ kann nicht gelesen werden: ", 0), 0u)
        << e.what();
  }
}

// Wine 8 makes neither a junction nor a directory link (mklink fails) and keeps no read-only
// mark on a folder: what the removal does with a reparse point is checked on the attributes
// the system lists for one.
TEST(WindowsRemoveTree, ClearsReadOnlyMarksAndNeverEntersAReparsePoint) {
  ASSERT_TRUE(QDir::tempPath().contains(u'ü') && QDir::tempPath().contains(u'Ω')) << QDir::tempPath().toStdString();
  test::ProgramFolder disk(false);
  const QString top = disk.path() + QStringLiteral("Mod");
  QDir().mkpath(top + QStringLiteral("/data"));
  for (const char* entry : {"/modinfo.json", "/data/assets.xml", "/data"}) {
    const std::filesystem::path path = PathFromUtf8((top + QLatin1String(entry)).toStdString());
    if (!QFileInfo::exists(top + QLatin1String(entry))) test::WriteBytes(top + QLatin1String(entry), "{}");
    SetFileAttributesW(path.c_str(), GetFileAttributesW(path.c_str()) | FILE_ATTRIBUTE_READONLY);
  }
  RemoveTree(PathFromUtf8(top.toStdString()));
  EXPECT_FALSE(QFileInfo::exists(top));

  const DWORD folder = FILE_ATTRIBUTE_DIRECTORY, link = FILE_ATTRIBUTE_REPARSE_POINT, readOnly = FILE_ATTRIBUTE_READONLY;
  EXPECT_TRUE(EntersFolder(folder) && EntersFolder(folder | readOnly));
  EXPECT_FALSE(EntersFolder(folder | link) || EntersFolder(link) || EntersFolder(readOnly));  // junction, file link, file
}

// The game-folder chooser is Windows' own folder browser: its text above the folder tree, no
// edit box, no button for a new folder (the visible controls as Wine lays them out); cancelled,
// it gives "".
TEST(WindowsFolderChooser, IsTheSystemsFolderBrowserWithItsTextAboveTheTree) {
  std::wstring seen;
  std::thread user([&seen] {
    HWND browser = nullptr;
    for (int waited = 0; waited < 30000 && !browser; waited += 20, Sleep(20)) browser = FindWindowW(L"#32770", nullptr);
    // Until its controls are laid out, down to the last button (slow on a loaded machine).
    for (int waited = 0; waited < 30000 && !seen.ends_with(L"Button:Cancel|"); waited += 50, Sleep(50)) {
      seen.clear();
      EnumChildWindows(browser, [](HWND control, LPARAM data) -> BOOL {
        wchar_t kind[32], text[256];
        if (IsWindowVisible(control) && GetClassNameW(control, kind, 32) && GetWindowTextW(control, text, 256) >= 0) {
          *reinterpret_cast<std::wstring*>(data) += std::wstring(kind) + L':' + text + L'|';
        }
        return TRUE;
      }, reinterpret_cast<LPARAM>(&seen));
    }
    PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(BrowseForFolder("Das Spiel Corvana 1800 kann nicht gefunden werden\rWählen Sie einen Ordner.\r"), "");
  user.join();
  EXPECT_EQ(seen, L"SysTreeView32:|Static:Das Spiel Corvana 1800 kann nicht gefunden werden\rWählen Sie einen Ordner.\r|"
                  L"Button:OK|Button:Cancel|");
}
