#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <functional>

#ifdef _WIN32
#include <windows.h>
#include <sddl.h>
#endif

#include "platform/registry.h"
#include "tests/testsupport.h"

using namespace bw;
using test::ProgramFolder;
using test::ScopedHome;

namespace {

const QString kLauncherKey = QStringLiteral("Software\\Wow6432Node\\Ubisoft\\Launcher\\Installs\\4553");

// The real program, copied alone into a program folder of its own and started there. With a
// `lockFolder` it holds its instance lock there instead of in the home's runtime folder.
class RunningCopy {
 public:
  explicit RunningCopy(const QString& folder, const QString& lockFolder = {})
      : exe_(folder + QLatin1Char('/') + QFileInfo(test::BuiltProgram("brennwick")).fileName()) {
    QDir().mkpath(folder);
    if (!QFile::exists(exe_)) {
      EXPECT_TRUE(QFile::copy(test::BuiltProgram("brennwick"), exe_));
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!lockFolder.isEmpty()) env.insert(QStringLiteral("XDG_RUNTIME_DIR"), lockFolder);
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(exe_, {});
    EXPECT_TRUE(process_.waitForStarted());
  }
  ~RunningCopy() {
    process_.kill();
    process_.waitForFinished();
  }
  // True when the copy ended by then; also notices an end that happened earlier.
  bool endsWithin(int milliseconds) { return process_.state() != QProcess::Running || process_.waitForFinished(milliseconds); }

 private:
  QString exe_;
  QProcess process_;
};

bool WaitFor(const std::function<bool()>& done, int milliseconds = 10000) {
  for (int waited = 0; waited < milliseconds && !done(); waited += 20) QThread::msleep(20);
  return done();
}

// Starts a copy of the program alone in `folder` (with a lock folder of its own) and ends it
// once its workspace is in place, expecting it to run still.
void StartProgramIn(const QString& folder) {
  RunningCopy program(folder, folder);
  WaitFor([&] {
    return QFile::exists(folder + QStringLiteral("XMLK/Target.xml")) && !QFile::exists(folder + QStringLiteral("xmlk.zip"));
  }, 5000);
  QThread::msleep(500);
  EXPECT_FALSE(program.endsWithin(0));
}

#ifdef _WIN32
// Lets everyone only read and list `folder` from now on, as C:\Program Files does for a user
// without administrator's rights; `deny` false lets everyone do everything there again.
void DenyWriting(const QString& folder, bool deny = true) {
  PSECURITY_DESCRIPTOR rules = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorW(deny ? L"D:P(A;OICI;GRGX;;;WD)" : L"D:P(A;OICI;GA;;;WD)",
                                                       SDDL_REVISION_1, &rules, nullptr);
  EXPECT_TRUE(SetFileSecurityW(QDir::toNativeSeparators(folder).toStdWString().c_str(), DACL_SECURITY_INFORMATION, rules));
  LocalFree(rules);
}
#endif

}  // namespace

TEST(Program, StartedAloneCreatesItsWorkspaceAndKeepsItLater) {
  ProgramFolder folder(false);
  StartProgramIn(folder.path());
  test::ExpectSameFiles(folder.xml(), test::ShippedWorkspace());
  EXPECT_FALSE(QFile::exists(folder.path() + QStringLiteral("xmlk.zip")));
  for (const char* never : {"ORG", "TMP", "ICO"}) EXPECT_FALSE(QFileInfo::exists(folder.path() + never)) << never;

  // A later start uses the workspace as it finds it.
  test::WriteBytes(folder.xml(QStringLiteral("Info.txt")), "geändert");
  StartProgramIn(folder.path());
  EXPECT_EQ(test::ReadBytes(folder.xml(QStringLiteral("Info.txt"))), QByteArray("geändert"));
}

// An installed copy (its menu entry in ../share/applications) writes nothing beside itself:
// the first start builds the workspace in the user's data folder, which the record names as
// the program's folder.
TEST(Program, InstalledCopyBuildsItsWorkspaceInTheUserDataFolder) {
  BW_LINUX_ONLY("an installed Linux desktop program");
  ScopedHome home;
  test::RecordFakeGame(home.path() + QStringLiteral("/Corvana 1800"));
  const QString prefix = home.path() + QStringLiteral("/prefix");
  QDir().mkpath(prefix + QStringLiteral("/share/applications"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(BRENNWICK_SOURCE_DIR "/resources/desktop/brennwick.desktop"),
                          prefix + QStringLiteral("/share/applications/brennwick.desktop")));
  const QString data = home.path() + QStringLiteral("/.local/share/Brennwick/");
  {
    RunningCopy program(prefix + QStringLiteral("/bin"));
    ASSERT_TRUE(WaitFor([&] {
      return QFile::exists(data + QStringLiteral("XMLK/Target.xml")) && !QFile::exists(data + QStringLiteral("xmlk.zip"));
    }));
    EXPECT_FALSE(program.endsWithin(500));
  }
  test::ExpectSameFiles(data + QStringLiteral("XMLK/"), test::ShippedWorkspace());
  EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{QStringLiteral("XMLK")});
  EXPECT_EQ(test::FilesBelow(prefix + QStringLiteral("/bin")), QStringList{QStringLiteral("brennwick")});
  EXPECT_TRUE(test::ReadBytes(home.recordFile()).contains("\nPrgPath=" + data.toUtf8() + "\n"));
}

TEST(Program, NewUserWithAProtonGameAndASecondCopy) {
  BW_LINUX_ONLY("a Steam Proton prefix, the record file and the lock file");
  ScopedHome home;
  const QString prefix = home.path() + QStringLiteral("/.local/share/Steam/steamapps/compatdata/2971000/pfx");
  test::MakeWinePrefix(prefix, {{kLauncherKey, QStringLiteral("C:/Program Files (x86)/Ubisoft/Ubisoft Game Launcher/games/"
                                                    "Corvana 1800/")}});
  const QString game = QFileInfo(prefix + QStringLiteral("/drive_c")).canonicalFilePath() +
                       QStringLiteral("/Program Files (x86)/Ubisoft/Ubisoft Game Launcher/games/Corvana 1800");
  test::MakeGame(game);

  RunningCopy first(home.path() + QStringLiteral("/first"));
  // Found without a question: the record is written and the workspace extracted.
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(home.path() + QStringLiteral("/first/XMLK/Target.xml")); }));
  EXPECT_TRUE(QFileInfo(game + QStringLiteral("/mods")).isDir());
  const QByteArray record = test::ReadBytes(home.recordFile());
  EXPECT_TRUE(record.contains(("\nGameLocation=" + game + "\nModLocation=" + game + "/mods\n").toUtf8())) << record.toStdString();

  // The second copy stops at its message and leaves workspace and record alone.
  RunningCopy second(home.path() + QStringLiteral("/second"));
  EXPECT_FALSE(second.endsWithin(1500));
  EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/second/XMLK")));
  EXPECT_EQ(test::ReadBytes(home.recordFile()), record);
  EXPECT_FALSE(first.endsWithin(0));
}

// Windows: the launcher's install record (written with reg.exe) finds the game of a new user
// whose copy lies in a folder the user may not write, as C:\Program Files: the workspace goes
// to %LOCALAPPDATA%\Brennwick, which the record names, with the game's path in Windows'
// form, and brennwick-catalog.exe there works on the same folder; a second copy is refused by
// the named mutex and leaves workspace and record alone.
TEST(Program, NewUserWithAnInstalledGameAndASecondCopy) {
#ifndef _WIN32
  GTEST_SKIP() << "Windows only: the registry, the named mutex and access rules";
#else
  ScopedHome home;
  const QString game = QDir::toNativeSeparators(home.path() + QStringLiteral("/Spiele/Corvana 1800 Königsedition"));
  test::MakeGame(game);
  const QString launcher = QStringLiteral("HKLM\\SOFTWARE\\WOW6432Node\\Ubisoft\\Launcher\\Installs\\4553");
  ASSERT_EQ(QProcess::execute(QStringLiteral("reg.exe"), {QStringLiteral("add"), launcher, QStringLiteral("/v"),
                                                           QStringLiteral("InstallDir"), QStringLiteral("/d"),
                                                           game + QLatin1Char('\\'), QStringLiteral("/f")}),
            0);
  const QString programs = home.path() + QStringLiteral("/Programme/Brennwick");
  QDir().mkpath(programs);
  for (const char* program : {"brennwick", "brennwick-catalog"}) {
    ASSERT_TRUE(QFile::copy(test::BuiltProgram(program), programs + QLatin1Char('/') + program + QStringLiteral(".exe")));
  }
  DenyWriting(programs);
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brennwick/");
  const std::string key = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick";
  {
    RunningCopy first(programs);
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(data + QStringLiteral("XMLK/Target.xml")); }));
    EXPECT_TRUE(QFileInfo(game + QStringLiteral("/mods")).isDir());
    ASSERT_TRUE(WaitFor([&] { return !ReadUserString(key, "TimeStamp").empty(); }));
    EXPECT_EQ(QString::fromStdString(ReadUserString(key, "GameLocation")), game);
    EXPECT_EQ(QString::fromStdString(ReadUserString(key, "ModLocation")), game + QStringLiteral("\\mods"));
    EXPECT_EQ(QString::fromStdString(ReadUserString(key, "PrgPath")), QDir::toNativeSeparators(data));
    QProcess catalog;
    catalog.start(programs + QStringLiteral("/brennwick-catalog.exe"), {});
    ASSERT_TRUE(catalog.waitForFinished(60000));
    const QString err = QString::fromUtf8(catalog.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("Fehler: Der Ordner „%1ORG/“ fehlt.").arg(data))) << err.toStdString();
    EXPECT_EQ(test::FilesBelow(programs), QStringList({QStringLiteral("brennwick-catalog.exe"), QStringLiteral("brennwick.exe")}));

    RunningCopy second(home.path() + QStringLiteral("/second"));
    EXPECT_FALSE(second.endsWithin(1500));
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/second/XMLK")));
    EXPECT_EQ(QString::fromStdString(ReadUserString(key, "PrgPath")), QDir::toNativeSeparators(data));
    EXPECT_FALSE(first.endsWithin(0));
  }
  DenyWriting(programs, false);
  QDir(data).removeRecursively();
  QProcess::execute(QStringLiteral("reg.exe"), {QStringLiteral("delete"), launcher, QStringLiteral("/f")});
#endif
}
