#include "app/platform/instancelock.h"

#include <filesystem>
#include <map>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

namespace bw {

#ifdef _WIN32

bool AcquireInstanceLock(const std::string& name) {
  static std::map<std::string, HANDLE> held;
  if (held.count(name)) return true;
  HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) return false;
  held[name] = mutex;  // never closed: the mutex goes with the process
  return true;
}

#else

namespace {

std::filesystem::path LockFile(const std::string& name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::filesystem::path(runtime) / (name + ".lock");
  std::error_code ec;
  return std::filesystem::temp_directory_path(ec) / (name + '-' + std::to_string(getuid()) + ".lock");
}

}  // namespace

bool AcquireInstanceLock(const std::string& name) {
  // The lock belongs to an open file description, so the descriptor stays open (and is
  // kept from child processes) until the process ends.
  static std::map<std::filesystem::path, int> held;
  const std::filesystem::path file = LockFile(name);
  if (held.count(file)) return true;
  const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // Without a lock file there is nothing to guard with; the program starts.
  if (fd < 0) return true;
  int rc;
  while ((rc = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (rc != 0) {
    const bool heldElsewhere = errno == EWOULDBLOCK;
    close(fd);
    return !heldElsewhere;
  }
  held[file] = fd;
  return true;
}

#endif

}  // namespace bw
