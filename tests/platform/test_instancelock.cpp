#include <gtest/gtest.h>

#include <QDir>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "platform/instancelock.h"
#include "tests/testsupport.h"

using namespace bw;

#ifndef _WIN32

namespace {

// Another holder of the lock file: a lock on its own open file description.
int LockFrom(const QString& file) {
  const int fd = open(file.toUtf8().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

#endif

TEST(InstanceLock, IsHeldUntilTheProcessEndsAndRefusesOthers) {
  BW_LINUX_ONLY("the lock file; Windows' named mutex is tested on its own");
#ifndef _WIN32
  test::ScopedHome home;
  const QString runtime = home.path() + QStringLiteral("/run/");
  EXPECT_TRUE(AcquireInstanceLock("BrennwickTestA"));
  EXPECT_TRUE(AcquireInstanceLock("BrennwickTestA"));  // again in the same process
  EXPECT_EQ(LockFrom(runtime + "BrennwickTestA.lock"), -1);

  const int other = LockFrom(runtime + "BrennwickTestB.lock");
  ASSERT_GE(other, 0);
  EXPECT_FALSE(AcquireInstanceLock("BrennwickTestB"));
  close(other);
  EXPECT_TRUE(AcquireInstanceLock("BrennwickTestB"));
#endif
}

// Every copy finds the lock where the desktop session's copies hold it, whatever its own
// environment: without an absolute XDG_RUNTIME_DIR in /run/user/<uid>, else in /tmp; never
// in TMPDIR or the working folder. /run and /tmp are the test's own (a mount namespace).
TEST(InstanceLock, EveryCopyOfTheUserFindsTheSameLockFile) {
  BW_LINUX_ONLY("the lock file");
#ifndef _WIN32
  struct Case {
    const char* what;
    const char* runtime;  // XDG_RUNTIME_DIR; null: unset
    bool session;         // /run/user/<uid> exists
    const char* lock;
  } cases[] = {{"no XDG_RUNTIME_DIR", nullptr, true, "run/user/%1/BrennwickTestC.lock"},
               {"a relative XDG_RUNTIME_DIR", "run", true, "run/user/%1/BrennwickTestC.lock"},
               {"no session folder either", nullptr, false, "tmp/BrennwickTestC-%1.lock"},
               {"a relative one and no session folder", "run", false, "tmp/BrennwickTestC-%1.lock"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScopedHome home;
    const QString system = home.path() + QStringLiteral("/system/"), lock = QString::fromLatin1(c.lock).arg(getuid());
    QDir().mkpath(system + (c.session ? QStringLiteral("run/user/%1").arg(getuid()) : QStringLiteral("run")));
    QDir().mkpath(system + QStringLiteral("tmp"));
    const QString held = test::InChild([&] {
      QDir::setCurrent(home.path());
      if (!test::PrivateBindMount(system + QStringLiteral("run"), QStringLiteral("/run")) ||
          !test::PrivateBindMount(system + QStringLiteral("tmp"), QStringLiteral("/tmp"))) {
        return QStringLiteral("skip");
      }
      if (c.runtime) qputenv("XDG_RUNTIME_DIR", c.runtime);
      else qunsetenv("XDG_RUNTIME_DIR");
      qputenv("TMPDIR", "nowhere");
      return QString::number(AcquireInstanceLock("BrennwickTestC") && LockFrom(QLatin1Char('/') + lock) == -1);
    });
    if (held == QStringLiteral("skip")) GTEST_SKIP() << "no mount namespace of our own here";
    EXPECT_EQ(held, QStringLiteral("1"));
    EXPECT_EQ(test::FilesBelow(home.path()), QStringList{QStringLiteral("system/") + lock});
  }
#endif
}
