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

// Every copy finds the lock where the session's copies hold it, whatever its environment:
// without an absolute XDG_RUNTIME_DIR in /run/user/<uid>, else in /tmp; never in TMPDIR or
// the working folder. The child has a /run and a /tmp of its own.
TEST(InstanceLock, EveryCopyOfTheUserFindsTheSameLockFile) {
  BW_LINUX_ONLY("the lock file");
#ifndef _WIN32
  for (const bool session : {true, false}) {  // /run/user/<uid> exists
    SCOPED_TRACE(session ? "XDG_RUNTIME_DIR unset" : "XDG_RUNTIME_DIR relative, no session folder");
    test::ScopedHome home;
    const QString system = home.path() + "/system/", uid = QString::number(getuid());
    const QString lock = session ? "run/user/" + uid + "/BrennwickTestC.lock" : "tmp/BrennwickTestC-" + uid + ".lock";
    QDir().mkpath(system + (session ? "run/user/" + uid : "run"));
    QDir().mkpath(system + "tmp");
    const QString held = test::InChild([&] {
      QDir::setCurrent(home.path());
      if (session) qunsetenv("XDG_RUNTIME_DIR");
      else qputenv("XDG_RUNTIME_DIR", "run");
      qputenv("TMPDIR", "nowhere");
      if (!test::PrivateBindMount(system + "run", "/run") || !test::PrivateBindMount(system + "tmp", "/tmp")) return QString();
      return QString::number(AcquireInstanceLock("BrennwickTestC") && LockFrom("/" + lock) == -1);
    });
    if (held.isEmpty()) GTEST_SKIP() << "no mount namespace of our own here";
    EXPECT_EQ(held, "1");
    EXPECT_EQ(test::FilesBelow(home.path()), QStringList{"system/" + lock});
  }
#endif
}
