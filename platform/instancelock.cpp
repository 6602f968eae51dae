#include "platform/instancelock.h"

#include <filesystem>
#include <map>
#include <stdexcept>

#include "platform/oserror.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/pathtext.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/userfolders.h"
#endif

namespace bw {

#ifdef _WIN32

bool AcquireInstanceLock(const std::string& name) {
  static std::map<std::string, HANDLE> held;
  if (held.count(name)) return true;
  HANDLE mutex = CreateMutexW(nullptr, TRUE, Wide(name).c_str());
  const DWORD error = GetLastError();
  if (mutex && error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  // Another kind of object under that name, or one that another user's process made.
  if (!mutex) throw std::runtime_error("Der Mutex „" + name + "“ kann nicht verwendet werden: " + GermanSystemReason(error));
  held[name] = mutex;  // never closed: the mutex goes with the process
  return true;
}

#else

namespace {

// Every copy of the user's must find the same file, whatever its environment: never TMPDIR
// or a relative path, which differ from one start to the next.
std::filesystem::path LockFile(const std::string& name) {
  if (const std::filesystem::path runtime = UserFolderPath(UserFolder::Runtime); !runtime.empty()) {
    return runtime / (name + ".lock");
  }
  return "/tmp/" + name + '-' + std::to_string(getuid()) + ".lock";
}

[[noreturn]] void Unusable(const std::filesystem::path& file, const std::string& reason) {
  throw std::runtime_error("Die Sperrdatei „" + file.string() + "“ kann nicht verwendet werden: " + reason);
}

}  // namespace

bool AcquireInstanceLock(const std::string& name) {
  // The lock belongs to an open file description, so the descriptor stays open (and is
  // kept from child processes) until the process ends.
  static std::map<std::filesystem::path, int> held;
  const std::filesystem::path file = LockFile(name);
  if (held.count(file)) return true;
  // Only a plain file of our own guards: a link is not followed (a dangling one would make
  // us create its target), and without a lock the program does not start at all.
  const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) Unusable(file, GermanReason(errno));
  struct stat st;
  const bool known = fstat(fd, &st) == 0;
  const int error = errno;
  if (!known || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
    close(fd);
    Unusable(file, !known                  ? GermanReason(error)
                   : !S_ISREG(st.st_mode) ? "Dort steht keine gewöhnliche Datei."
                                          : "Sie gehört einem anderen Benutzer.");
  }
  int rc;
  while ((rc = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (rc != 0) {
    const int error = errno;
    close(fd);
    if (error == EWOULDBLOCK) return false;
    Unusable(file, GermanReason(error));
  }
  held[file] = fd;
  return true;
}

#endif

}  // namespace bw
