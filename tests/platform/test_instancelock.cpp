#include <gtest/gtest.h>

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

TEST(InstanceLock, FallsBackToTheTempFolderWithTheUserId) {
  BW_LINUX_ONLY("the lock file");
#ifndef _WIN32
  test::ScopedHome home;
  qunsetenv("XDG_RUNTIME_DIR");
  qputenv("TMPDIR", home.path().toUtf8());
  EXPECT_TRUE(AcquireInstanceLock("BrennwickTestC"));
  EXPECT_EQ(LockFrom(home.path() + QStringLiteral("/BrennwickTestC-%1.lock").arg(getuid())), -1);
  qunsetenv("TMPDIR");
#endif
}
