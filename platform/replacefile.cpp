#include "platform/replacefile.h"

#include <cerrno>
#include <random>
#include <stdexcept>
#include <system_error>

#include "platform/oserror.h"
#include "platform/pathtext.h"

#ifdef _WIN32
#include <windows.h>
#undef ReplaceFile  // windows.h names its own function so; ours is bw::ReplaceFile

#include <algorithm>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace bw {
namespace {

constexpr std::string_view kTempMark = ".tmp-";
constexpr size_t kRandomLength = 6;
constexpr std::string_view kRandomLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::filesystem::path TempPath(const std::filesystem::path& path) {
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> letter(0, kRandomLetters.size() - 1);
  std::string name = ".";
  name += Utf8Text(path.filename());
  name += kTempMark;
  for (size_t i = 0; i < kRandomLength; ++i) name += kRandomLetters[letter(random)];
  return path.parent_path() / PathFromUtf8(name);
}

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw std::runtime_error("Die Datei „" + Utf8Text(path) + "“ kann nicht geschrieben werden: " + reason);
}

}  // namespace

bool IsReplaceFileLeftover(std::string_view name) {
  const size_t tail = kTempMark.size() + kRandomLength;
  if (name.size() <= tail + 1 || name.front() != '.' || name.substr(name.size() - tail, kTempMark.size()) != kTempMark) {
    return false;
  }
  return name.substr(name.size() - kRandomLength).find_first_not_of(kRandomLetters) == std::string_view::npos;
}

#ifdef _WIN32

void ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  // CREATE_NEW: the temporary name is ours alone, whatever stands in the folder.
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp = TempPath(path);
    file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) Fail(path, GermanSystemReason(GetLastError()));

  DWORD error = 0;
  for (size_t done = 0; done < bytes.size() && !error;) {
    DWORD n = 0;
    const DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30));
    if (!WriteFile(file, bytes.data() + done, chunk, &n, nullptr)) error = GetLastError();
    else if (n == 0) error = ERROR_WRITE_FAULT;
    done += n;
  }
  if (!error && !FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && !error) error = GetLastError();
  // The rename replaces a link standing there, never what it points to; write-through returns
  // only once the new entry is on disk.
  if (!error && !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error) {
    DeleteFileW(temp.c_str());
    Fail(path, GermanSystemReason(error));
  }
}

#else

void ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temp;
  int fd = -1;
  // O_EXCL and O_NOFOLLOW: the temporary name is ours alone, whatever stands in the folder.
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TempPath(path);
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) Fail(path, GermanReason(errno));

  int error = 0;
  struct stat old;
  // A file that is replaced keeps its permissions; a new one gets the usual ones (umask).
  if (lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) && fchmod(fd, old.st_mode & 07777) != 0) error = errno;
  for (size_t done = 0; done < bytes.size() && !error;) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) done += size_t(n);
    else if (n == 0) error = EIO;
    else if (errno != EINTR) error = errno;
  }
  if (!error && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && !error) error = errno;
  if (!error && rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    unlink(temp.c_str());
    Fail(path, GermanReason(error));
  }
  // The new name on disk too. The file is in place already; a folder that refuses to be
  // synced (some file systems do) changes nothing for the reader.
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

#endif

}  // namespace bw
