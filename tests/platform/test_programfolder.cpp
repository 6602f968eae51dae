#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/programfolder.h"
#include "tests/testsupport.h"

using namespace bw;

// The workspace lies beside the executable only where the user may write and no installed
// program lives; else in the user's data folder, which is made for it. Nothing is ever
// created beside the executable. On Windows it is always the executable's folder.
TEST(ProgramFolder, BesideAWritableExecutableElseInTheUserDataFolder) {
  BW_LINUX_ONLY("the places of installed programs and the user's data folder");
#ifndef _WIN32
  enum Place { Writable, ReadOnly, InstalledBin, UsrBin };
  enum Where { Beside, DataHome, DefaultDataHome };
  struct Case {
    const char* what;
    Place place;
    const char* dataHome;  // XDG_DATA_HOME below the home; null: unset; "relative" as it is
    Where expected;
  };
  const Case cases[] = {
      {"a writable folder", Writable, "/data", Beside},
      {"a read-only folder", ReadOnly, "/data", DataHome},
      {"a read-only folder, no XDG_DATA_HOME", ReadOnly, nullptr, DefaultDataHome},
      {"a read-only folder, a relative XDG_DATA_HOME", ReadOnly, "relative", DefaultDataHome},
      {"the bin folder of an installation", InstalledBin, "/data", DataHome},
      {"/usr/bin, which root may write", UsrBin, nullptr, DefaultDataHome},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScopedHome home;
    const QString prefix = home.path() + QStringLiteral("/prefix");
    QString exeFolder = prefix + QStringLiteral("/bin");
    QDir().mkpath(exeFolder);
    if (c.place == InstalledBin) {
      QDir().mkpath(prefix + QStringLiteral("/share/applications"));
      test::WriteBytes(prefix + QStringLiteral("/share/applications/brennwick.desktop"), "[Desktop Entry]\n");
    }
    if (c.place == ReadOnly) QFile::setPermissions(exeFolder, QFile::ReadOwner | QFile::ExeOwner | QFile::ExeOther);
    if (c.place == UsrBin) exeFolder = QStringLiteral("/usr/bin");
    const QStringList before = test::FilesBelow(exeFolder);

    if (!c.dataHome) qunsetenv("XDG_DATA_HOME");
    else if (*c.dataHome == '/') qputenv("XDG_DATA_HOME", (home.path() + c.dataHome).toUtf8());
    else qputenv("XDG_DATA_HOME", c.dataHome);
    const QString expected = c.expected == Beside     ? exeFolder
                             : c.expected == DataHome ? home.path() + c.dataHome + QStringLiteral("/Brennwick")
                                                      : home.path() + QStringLiteral("/.local/share/Brennwick");

    const QString chosen = test::InChild([&] {
      // Root may write anywhere, so root looks at the read-only folder as the user "nobody".
      if (c.place == ReadOnly && geteuid() == 0) {
        if (chown(home.path().toUtf8().constData(), 65534, 65534) != 0 || setgid(65534) != 0 || setuid(65534) != 0) {
          return QStringLiteral("(kein Benutzerwechsel)");
        }
      }
      return QString::fromStdString(ProgramFolder(exeFolder.toStdString()));
    });
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(chosen, expected);
    EXPECT_EQ(test::FilesBelow(exeFolder), before);
    if (c.expected == Beside) continue;
    struct stat st {};
    EXPECT_EQ(stat(expected.toUtf8().constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, 0700u);
  }
#endif
}
