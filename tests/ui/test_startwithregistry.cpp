#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QDate>
#include <QLocale>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <ctime>

#include "platform/registry.h"
#include "tests/ui/windowsupport.h"
#include "ui/startwithregistry.h"
#include "ui/translation.h"

using namespace bw;
using test::ScopedHome;

namespace {

const char* const kRecordSection = "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick]\n";
const char* const kWrongFolder =
    "Das angegebene Verzeichnis ist nicht das Spieleverzeichnis.\n\n"
    "Starten Sie das Programm erneut und wählen Sie\neinen anderen Pfad aus";

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

// A Wine prefix with drive C (its drive_c) and drive D (`diskD`), whose system.reg holds
// `keys`: Wine key path (single backslashes) -> InstallDir as the Windows path.
const QString kGameKey = QStringLiteral("Software\\Wow6432Node\\Ubisoft\\Corvana 1800");
const QString kLauncherKey = QStringLiteral("Software\\Wow6432Node\\Ubisoft\\Launcher\\Installs\\4553");

std::string Today() {
  const std::time_t now = std::time(nullptr);
  char text[64];
  return std::string(text, std::strftime(text, sizeof text, "%x", std::localtime(&now)));
}

std::string ExpectedRecord(const QString& game, const QString& mods) {
  return std::string(kRecordSection) + "GameLocation=" + game.toStdString() + "\nModLocation=" + mods.toStdString() +
         "\nModLoader=0.9.4\nPrgPath=/opt/brennwick/\nDPVer=18.2.4.17\nTimeStamp=" + Today() + "\n";
}

std::string RecordOf(const ScopedHome& home) { return test::ReadBytes(home.recordFile()).toStdString(); }

// The start as the program makes it: a refused one ends the process.
GameFolders Start() {
  const std::optional<GameFolders> game = StartWithRegistry(QStringLiteral("/opt/brennwick/"), QStringLiteral("18.2.4.17"));
  if (!game) std::exit(1);
  return *game;
}

// Fails the test when any modal window shows up while it lives, and closes that window.
class NoQuestions {
 public:
  NoQuestions() {
    QObject::connect(&timer_, &QTimer::timeout, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "unexpected window " << modal->objectName().toStdString();
        modal->close();
      }
    });
    timer_.start(10);
  }

 private:
  QTimer timer_;
};

// In the chooser, picks `folder` the way a user does: select it in the tree, press the
// accept button. Returns the texts the chooser showed.
void ChooseInNextChooser(const QString& folder, QStringList* seen) {
  test::OnNextModal([folder, seen](QWidget* modal) {
    for (QLabel* label : modal->findChildren<QLabel*>()) {
      if (label->isVisible()) *seen << label->text();
    }
    for (QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
      if (button->isVisible()) *seen << button->text();
    }
    // A folders-only chooser: no new-folder button, no edit box for typed names.
    for (QWidget* widget : modal->findChildren<QWidget*>()) {
      if (widget->isVisible() && (qobject_cast<QLineEdit*>(widget) || widget->objectName() == "newFolderButton"))
        *seen << QStringLiteral("forbidden ") + widget->objectName();
    }
    auto* files = modal->findChild<QFileDialog*>();
    files->setDirectory(QFileInfo(folder).path());
    files->selectFile(QFileInfo(folder).fileName());
    modal->findChild<QDialogButtonBox*>()->buttons().first()->click();
  });
}

}  // namespace

TEST(StartWithRegistry, MapsTheLauncherRecordThroughDriveD) {
  BW_LINUX_ONLY("Wine prefixes and the record file");
  ScopedHome home;
  const QString diskD = home.path() + QStringLiteral("/disk-d");
  QDir().mkpath(diskD);
  test::MakeWinePrefix(home.path() + QStringLiteral("/.wine"), {{kLauncherKey, QStringLiteral("D:/Games/G/")}}, diskD);
  test::MakeGame(diskD + QStringLiteral("/Games/G"));
  NoQuestions none;
  const GameFolders game = Start();
  const QString expected = Canonical(diskD) + QStringLiteral("/Games/G");
  EXPECT_EQ(game.GAMEPATH, expected);
  EXPECT_EQ(game.MODPath, expected + QStringLiteral("/mods"));
  EXPECT_TRUE(QFileInfo(game.MODPath).isDir());
  EXPECT_EQ(RecordOf(home), ExpectedRecord(expected, expected + "/mods"));
}

TEST(StartWithRegistry, GameRecordKeepsItsTrailingDelimiter) {
  BW_LINUX_ONLY("Wine prefixes");
  ScopedHome home;
  const QString prefix = home.path() + QStringLiteral("/.wine");
  test::MakeWinePrefix(prefix, {{kGameKey, QStringLiteral("C:\\Games\\Corvana 1800\\")}});
  test::MakeGame(prefix + QStringLiteral("/drive_c/Games/Corvana 1800"));
  const GameFolders game = Start();
  const QString expected = Canonical(prefix + QStringLiteral("/drive_c")) + QStringLiteral("/Games/Corvana 1800/");
  EXPECT_EQ(game.GAMEPATH, expected);
  EXPECT_EQ(game.MODPath, expected + QStringLiteral("/mods"));
  EXPECT_TRUE(game.MODPath.endsWith(QStringLiteral("Corvana 1800//mods")));
  EXPECT_TRUE(QFileInfo(game.MODPath).isDir());
}

TEST(StartWithRegistry, ValidRecordReadsNoInstallRecordAndAsksNothing) {
  BW_LINUX_ONLY("Wine prefixes and the record file");
  ScopedHome home;
  const QString recorded = home.path() + QStringLiteral("/Spiele/Corvana 1800");
  test::MakeGame(recorded);
  test::RecordFakeGame(recorded);
  const QString prefix = home.path() + QStringLiteral("/.wine");
  test::MakeWinePrefix(prefix, {{kGameKey, QStringLiteral("C:\\Other")}});
  NoQuestions none;
  const GameFolders game = Start();
  EXPECT_EQ(game.GAMEPATH, recorded);
  EXPECT_FALSE(QFileInfo::exists(prefix + QStringLiteral("/drive_c/Other")));
  EXPECT_EQ(RecordOf(home), ExpectedRecord(recorded, recorded + "/mods"));
}

TEST(StartWithRegistry, StaleRecordIsDeletedAndTheGameFoundThroughItsInstallRecord) {
  BW_LINUX_ONLY("Wine prefixes and the record file");
  ScopedHome home;
  const QString prefix = home.path() + QStringLiteral("/.wine");
  test::MakeWinePrefix(prefix, {{kGameKey, QStringLiteral("C:\\Games\\Corvana 1800")}});
  const QString drive = Canonical(prefix + QStringLiteral("/drive_c"));
  test::MakeGame(drive + QStringLiteral("/Games/Corvana 1800"));
  // Recorded earlier, but the game is no longer there.
  const QString stale = drive + QStringLiteral("/Games/Alt");
  QDir().mkpath(stale);
  QDir().mkpath(QFileInfo(home.recordFile()).path());
  test::WriteBytes(home.recordFile(), (QStringLiteral("[Software\\Other]\nKeep=1\n"
                                                      "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick]\n"
                                                      "GameLocation=%1\nOld=gone\n"
                                                      "[software\\microsoft\\windows\\currentversion\\brennwick\\Sub]\n"
                                                      "Old=gone\n")
                                           .arg(stale))
                                          .toUtf8());
  NoQuestions none;
  const GameFolders game = Start();
  const QString found = drive + QStringLiteral("/Games/Corvana 1800");
  EXPECT_EQ(game.GAMEPATH, found);
  EXPECT_EQ(RecordOf(home), "[Software\\Other]\nKeep=1\n" + ExpectedRecord(found, found + "/mods"));
  EXPECT_FALSE(QFileInfo::exists(stale + QStringLiteral("/mods")));
}

TEST(StartWithRegistry, GameRecordInAnyPrefixComesBeforeTheLauncherRecord) {
  BW_LINUX_ONLY("Wine prefixes");
  ScopedHome home;
  const QString wine = home.path() + QStringLiteral("/.wine");
  const QString proton = home.path() + QStringLiteral("/.local/share/Steam/steamapps/compatdata/2000/pfx");
  test::MakeWinePrefix(wine, {{kLauncherKey, QStringLiteral("C:\\Launcher\\Corvana 1800\\")}});
  test::MakeWinePrefix(proton, {{kGameKey, QStringLiteral("C:\\Proton\\Corvana 1800")}});
  test::MakeGame(wine + QStringLiteral("/drive_c/Launcher/Corvana 1800"));
  test::MakeGame(proton + QStringLiteral("/drive_c/Proton/Corvana 1800"));
  NoQuestions none;
  EXPECT_EQ(Start().GAMEPATH, Canonical(proton + QStringLiteral("/drive_c")) + QStringLiteral("/Proton/Corvana 1800"));
}

TEST(StartWithRegistry, ChooserFindsTheGameOnceAndTheNextStartAsksNothing) {
  BW_LINUX_ONLY("the record file");
  ScopedHome home;
  const QString chosen = home.path() + QStringLiteral("/Meine Spiele/Corvana 1800");
  test::MakeGame(chosen);
  QTranslator* german = InstallGermanTranslation(*QCoreApplication::instance());
  ASSERT_NE(german, nullptr);
  QStringList seen;
  ChooseInNextChooser(chosen, &seen);
  const GameFolders game = Start();
  QCoreApplication::removeTranslator(german);
  delete german;
  EXPECT_EQ(game.GAMEPATH, chosen);
  EXPECT_TRUE(seen.contains(QStringLiteral("Das Spiel Corvana 1800 kann nicht gefunden werden\n"
                                           "Wählen Sie aus der Liste das Hauptverzeichnis des Spiels Corvana 1800 aus.\n")))
      << seen.join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(seen.contains(QStringLiteral("Abbrechen"))) << seen.join(QLatin1Char('|')).toStdString();
  EXPECT_FALSE(seen.join(QLatin1Char('|')).contains(QStringLiteral("forbidden"))) << seen.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(RecordOf(home), ExpectedRecord(chosen, chosen + "/mods"));

  NoQuestions none;
  EXPECT_EQ(Start().GAMEPATH, chosen);
}

namespace {

// Confirms the next start error as a user does, after echoing its caption, icon and text
// on stderr for the test that watches this process end.
void EchoAndConfirmNextStartError() {
  test::OnNextModal([](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    std::fprintf(stderr, "[%s|%s] %s\n", qPrintable(modal->windowTitle()),
                 box && box->icon() == QMessageBox::Critical ? "error icon" : "no error icon",
                 qPrintable(modal->property("text").toString()));
    test::ClickInNextModal(QStringLiteral("OK"));
  });
}

#ifndef _WIN32
// Holds the instance lock of `home` the way another running copy does.
int LockAsAnotherCopy(const ScopedHome& home) {
  const int fd = open((home.path() + QStringLiteral("/run/Brennwick.lock")).toUtf8().constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  return fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? fd : -1;
}
#endif

const char* const kWrongFolderSeen =
    "\\[Programmstartfehler\\|error icon\\] Das angegebene Verzeichnis ist nicht das Spieleverzeichnis\\.\n\n"
    "Starten Sie das Programm erneut und wählen Sie\neinen anderen Pfad aus\n";

}  // namespace

TEST(StartWithRegistryDeathTest, CancelledChooserEndsTheProcessWithoutRecord) {
  BW_LINUX_ONLY("the record file");
  ScopedHome home;
  EXPECT_EXIT(
      {
        test::OnNextModal([](QWidget* chooser) {
          EchoAndConfirmNextStartError();
          chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
        });
        Start();
      },
      testing::ExitedWithCode(1), kWrongFolderSeen);
  EXPECT_FALSE(QFile::exists(home.recordFile()));
}

TEST(StartWithRegistryDeathTest, WrongFolderEndsTheProcessWithoutRecord) {
  BW_LINUX_ONLY("the record file");
  ScopedHome home;
  const QString notTheGame = home.path() + QStringLiteral("/Corvana 1800");
  QDir().mkpath(notTheGame + QStringLiteral("/Bin"));
  EXPECT_EXIT(
      {
        QStringList seen;
        test::OnNextModal([](QWidget*) { EchoAndConfirmNextStartError(); });
        ChooseInNextChooser(notTheGame, &seen);
        Start();
      },
      testing::ExitedWithCode(1), kWrongFolderSeen);
  EXPECT_FALSE(QFile::exists(home.recordFile()));
  EXPECT_FALSE(QFile::exists(notTheGame + QStringLiteral("/mods")));
}

TEST(StartWithRegistryDeathTest, SecondCopyEndsBeforeTouchingAnything) {
  BW_LINUX_ONLY("the lock file and the record file; the Windows program is refused by its mutex in Program tests");
#ifndef _WIN32
  ScopedHome home;
  const QString game = home.path() + QStringLiteral("/Corvana 1800");
  test::MakeGame(game);
  test::RecordFakeGame(game);
  const QByteArray record = test::ReadBytes(home.recordFile());
  const int other = LockAsAnotherCopy(home);
  ASSERT_GE(other, 0);
  EXPECT_EXIT(
      {
        EchoAndConfirmNextStartError();
        Start();
      },
      testing::ExitedWithCode(1), "\\[Programmstartfehler\\|error icon\\] Das Programm <Brennwick> läuft bereits!\n");
  close(other);
  EXPECT_EQ(test::ReadBytes(home.recordFile()), record);
  EXPECT_FALSE(QFile::exists(game + QStringLiteral("/mods")));
#endif
}

#ifndef _WIN32
namespace {

// `text` as a death test's regular expression that matches it literally.
std::string Literally(const QString& text) {
  std::string pattern;
  for (const char ch : text.toStdString()) {
    if (std::string_view("\\^$.|?*+()[]{}").find(ch) != std::string_view::npos) pattern += '\\';
    pattern += ch;
  }
  return pattern;
}

}  // namespace
#endif

// A lock file that can't be used ends the start with a message naming it: the program never
// runs unguarded, and nothing is created elsewhere.
TEST(StartWithRegistryDeathTest, AnUnusableLockFileEndsTheStartNamingIt) {
  BW_LINUX_ONLY("the lock file");
#ifndef _WIN32
  struct Case {
    const char* what;
    void (*make)(const QString& lock, const QString& home);
    bool withoutRights;  // the start runs as a user who may not write the runtime folder
    const char* reason;
  };
  const Case cases[] = {
      {"a folder", [](const QString& lock, const QString&) { QDir().mkpath(lock); }, false, "Dort steht ein Ordner."},
      {"a dangling link",
       [](const QString& lock, const QString& home) { QFile::link(home + QStringLiteral("/elsewhere.lock"), lock); }, false,
       "Dort steht eine symbolische Verknüpfung."},
      {"a link to a file",
       [](const QString& lock, const QString& home) {
         test::WriteBytes(home + QStringLiteral("/other.txt"), "keep");
         QFile::link(home + QStringLiteral("/other.txt"), lock);
       },
       false, "Dort steht eine symbolische Verknüpfung."},
      {"a runtime folder without write access",
       [](const QString& lock, const QString&) {
         QFile::setPermissions(QFileInfo(lock).path(), QFile::ReadOwner | QFile::ExeOwner);
       },
       true, "Die Zugriffsrechte reichen nicht aus."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedHome home;
    const QString game = home.path() + QStringLiteral("/Corvana 1800");
    test::MakeGame(game);
    test::RecordFakeGame(game);
    const QByteArray record = test::ReadBytes(home.recordFile());
    const QString lock = home.path() + QStringLiteral("/run/Brennwick.lock");
    c.make(lock, home.path());
    const QStringList before = test::FilesBelow(home.path());
    EXPECT_EXIT(
        {
          alarm(60);  // a start that went on past the lock would wait for answers forever
          // Root may write anywhere, so root starts as the user "nobody" here.
          if (c.withoutRights && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::exit(2);
          EchoAndConfirmNextStartError();
          Start();
        },
        testing::ExitedWithCode(1),
        Literally(QStringLiteral("[Programmstartfehler|error icon] Die Sperrdatei „%1“ kann nicht verwendet werden: %2\n")
                      .arg(lock, QString::fromUtf8(c.reason))));
    QFile::setPermissions(home.path() + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(test::FilesBelow(home.path()), before);
    EXPECT_EQ(test::ReadBytes(home.recordFile()), record);
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/elsewhere.lock")));
    EXPECT_FALSE(QFileInfo::exists(game + QStringLiteral("/mods")));
  }
#endif
}

// An install record counts only where the game is; a record that points elsewhere, out of
// the drive, at the root, at a folder gone, or that holds a control character or an escape
// that can not be decoded, is passed over like a missing one, and nothing is created there.
TEST(StartWithRegistry, InstallRecordsCountOnlyWhereTheGameIsAndHostileOnesArePassedOver) {
  BW_LINUX_ONLY("Wine prefixes and the record file; Windows reads the registry");
#ifndef _WIN32
  enum Then { NextPrefix, Chooser };
  struct Case {
    const char* what;
    const char* value;  // InstallDir as system.reg holds it, escapes and all
    std::function<void(const QString& home, const QString& prefix)> setup;
    const char* untouched;  // below the home folder: must not exist afterwards
    Then then;
  } cases[] = {
      {"out of the drive by ..", "C:\\\\..\\\\..\\\\escaped-by-dotdot\\\\",
       [](const QString& home, const QString&) { test::MakeGame(home + "/escaped-by-dotdot"); }, "/escaped-by-dotdot/mods",
       NextPrefix},
      {"the root through drive Z", "Z:\\\\",
       [](const QString&, const QString& prefix) { QFile::link("/", prefix + "/dosdevices/z:"); }, "/.wine/mods", Chooser},
      {"a game that was uninstalled", "C:\\\\Games\\\\Corvana 1800", {}, "/.wine/drive_c/Games", NextPrefix},
      {"a folder without the game", "C:\\\\Leer",
       [](const QString&, const QString& prefix) { QDir().mkpath(prefix + "/drive_c/Leer"); }, "/.wine/drive_c/Leer/mods",
       NextPrefix},
      {"a newline escape", "C:\\\\Games\\\\Corvana\\n1800",
       [](const QString&, const QString& prefix) { test::MakeGame(prefix + "/drive_c/Games/Corvana\n1800"); },
       "/.wine/drive_c/Games/Corvana\n1800/mods", NextPrefix},
      {"an escape without digits", "C:\\\\Games\\\\Co\\xrvana",
       [](const QString&, const QString& prefix) { test::MakeGame(prefix + "/drive_c/Games/Corvana"); },
       "/.wine/drive_c/Games/Corvana/mods", Chooser},
      {"system.reg a FIFO", nullptr,
       [](const QString&, const QString& prefix) { ASSERT_EQ(mkfifo((prefix + "/system.reg").toUtf8().constData(), 0600), 0); },
       "/.wine/mods", NextPrefix},
      {"system.reg a device", nullptr,
       [](const QString&, const QString& prefix) { QFile::link("/dev/zero", prefix + "/system.reg"); }, "/.wine/mods",
       NextPrefix},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedHome home;
    const QString wine = home.path() + QStringLiteral("/.wine");
    test::MakeWinePrefix(wine, {});
    QFile::remove(wine + QStringLiteral("/system.reg"));
    if (c.value) {
      test::WriteBytes(wine + QStringLiteral("/system.reg"),
                       QByteArray("WINE REGISTRY Version 2\n\n[Software\\\\Wow6432Node\\\\Ubisoft\\\\Corvana 1800] 1\n"
                                  "\"InstallDir\"=\"") + c.value + "\"\n");
    }
    if (c.setup) c.setup(home.path(), wine);
    QString game;
    QStringList seen;
    if (c.then == NextPrefix) {
      const QString proton = home.path() + QStringLiteral("/.local/share/Steam/steamapps/compatdata/2000/pfx");
      test::MakeWinePrefix(proton, {{kLauncherKey, QStringLiteral("C:\\Corvana 1800\\")}});
      game = Canonical(proton + QStringLiteral("/drive_c")) + QStringLiteral("/Corvana 1800");
      test::MakeGame(game);
    } else {
      game = home.path() + QStringLiteral("/Gewählt");
      test::MakeGame(game);
      ChooseInNextChooser(game, &seen);
    }
    const bool rootHadMods = QFileInfo::exists(QStringLiteral("/mods"));
    EXPECT_EQ(Start().GAMEPATH, game);
    EXPECT_EQ(seen.isEmpty(), c.then == NextPrefix);
    EXPECT_EQ(RecordOf(home), ExpectedRecord(game, game + "/mods"));
    EXPECT_FALSE(QFileInfo::exists(home.path() + QString::fromUtf8(c.untouched)));
    EXPECT_EQ(QFileInfo::exists(QStringLiteral("/mods")), rootHadMods);
  }
#endif
}

// Windows keeps the record in the registry, its paths written with backslashes as Windows
// shows them; the date is the user's short date.
TEST(StartWithRegistry, TheRecordInTheRegistryHoldsWindowsPaths) {
#ifndef _WIN32
  GTEST_SKIP() << "Windows only: the registry";
#else
  ScopedHome home;
  const QString game = QDir::toNativeSeparators(home.path() + QStringLiteral("/Spiele/Corvana 1800"));
  test::RecordFakeGame(game);
  NoQuestions none;
  const QDate before = QDate::currentDate();
  const GameFolders found = Start();
  const QDate after = QDate::currentDate();
  EXPECT_EQ(found.GAMEPATH, game);
  EXPECT_TRUE(QFileInfo(found.MODPath).isDir());
  const std::string key = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick";
  auto value = [&key](const char* name) { return QString::fromStdString(ReadUserString(key, name)); };
  EXPECT_EQ(value("GameLocation"), game);
  EXPECT_EQ(value("ModLocation"), game + QStringLiteral("\\mods"));
  EXPECT_EQ(value("ModLoader"), QStringLiteral("0.9.4"));
  EXPECT_EQ(value("PrgPath"), QStringLiteral("\\opt\\brennwick\\"));
  EXPECT_EQ(value("DPVer"), QStringLiteral("18.2.4.17"));
  const QLocale user = QLocale::system();
  EXPECT_TRUE(value("TimeStamp") == user.toString(before, QLocale::ShortFormat) ||
              value("TimeStamp") == user.toString(after, QLocale::ShortFormat))
      << value("TimeStamp").toStdString();
#endif
}
