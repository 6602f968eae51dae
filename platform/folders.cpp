#include "platform/folders.h"

#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/oserror.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/pathtext.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#endif

namespace bw {

#ifdef _WIN32

bool ExchangeEntries(const std::filesystem::path&, const std::filesystem::path&) { return false; }

bool EntersFolder(unsigned long attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

namespace {

// The prefix that lifts the length limit of the wide functions' paths; it needs a full path.
constexpr std::wstring_view kLong = L"\\\\?\\";

std::wstring Long(const std::wstring& full) {
  if (full.starts_with(kLong)) return full;
  return full.starts_with(L"\\\\") ? std::wstring(kLong) + L"UNC" + full.substr(1) : std::wstring(kLong) + full;
}

[[noreturn]] void Fail(const std::wstring& entry, bool folder, DWORD error) {
  throw std::runtime_error(std::string(folder ? "Der Ordner „" : "Die Datei „") + Utf8(entry) +
                           "“ kann nicht gelöscht werden: " + GermanSystemReason(error));
}

// Deletes one entry through a handle of its own, never through a link: a read-only mark is
// cleared first, and the entry goes when the handle closes. 0 or the system's error code.
DWORD DeleteEntry(const std::wstring& full) {
  HANDLE entry = CreateFileW(Long(full).c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (entry == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD error = 0;
  FILE_BASIC_INFO basic;
  if (!GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic)) error = GetLastError();
  if (!error && (basic.FileAttributes & FILE_ATTRIBUTE_READONLY)) {
    basic.FileAttributes &= ~DWORD(FILE_ATTRIBUTE_READONLY);
    if (!basic.FileAttributes) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(entry, FileBasicInfo, &basic, sizeof basic)) error = GetLastError();
  }
  FILE_DISPOSITION_INFO disposition{TRUE};
  if (!error && !SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition)) {
    error = GetLastError();
  }
  CloseHandle(entry);
  return error;
}

// Deletes every entry of `folder` that the walk does not enter and returns the name of one
// that it does, or "" when none is left.
std::wstring ClearFiles(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE listing = FindFirstFileExW(Long(folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                    nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (listing == INVALID_HANDLE_VALUE) Fail(folder, true, GetLastError());
  std::wstring subfolder;
  std::wstring failed;
  DWORD error = 0;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (EntersFolder(found.dwFileAttributes)) {
      subfolder = name;
      break;
    }
    if ((error = DeleteEntry(folder + L'\\' + name))) {
      failed = name;
      break;
    }
  } while (FindNextFileW(listing, &found));
  if (!error && subfolder.empty() && GetLastError() != ERROR_NO_MORE_FILES) error = GetLastError();
  FindClose(listing);
  if (!failed.empty()) Fail(folder + L'\\' + failed, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, error);
  if (error) Fail(folder, true, error);
  return subfolder;
}

}  // namespace

// Down to the first folder with no subfolder, emptied and deleted, then up again to its
// parent, until the top is gone. Only the current path is held.
void RemoveTree(const std::filesystem::path& given) {
  std::error_code ec;
  std::wstring top = std::filesystem::absolute(given, ec).make_preferred().native();
  while (top.size() > 3 && top.back() == L'\\') top.pop_back();
  const DWORD attributes = GetFileAttributesW(Long(top).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) Fail(top, false, GetLastError());
  std::wstring current = top;
  if (EntersFolder(attributes)) {
    for (std::wstring subfolder; !(subfolder = ClearFiles(current)).empty() || current != top;) {
      if (!subfolder.empty()) {
        current += L'\\' + subfolder;
        continue;
      }
      if (const DWORD error = DeleteEntry(current)) Fail(current, true, error);
      current.resize(current.rfind(L'\\'));
    }
  }
  if (const DWORD error = DeleteEntry(top)) Fail(top, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, error);
}

#else

bool ExchangeEntries(const std::filesystem::path& a, const std::filesystem::path& b) {
  return renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
}

namespace {

// An open file descriptor, closed when it goes.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Fd& operator=(Fd&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// `entry` is the path as the message shows it; the walk itself never uses it.
[[noreturn]] void Fail(const std::string& entry, bool folder, const std::string& reason) {
  throw std::runtime_error(std::string(folder ? "Der Ordner „" : "Die Datei „") + entry +
                           "“ kann nicht gelöscht werden: " + reason);
}
[[noreturn]] void Fail(const std::string& entry, bool folder, int error) { Fail(entry, folder, GermanReason(error)); }

bool IsFolder(int parent, const char* name) {
  struct stat st;
  return fstatat(parent, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

// Where a folder is: its device and inode, and whether another file system is mounted on it
// (a bind mount of the same file system shows only in the mount-root attribute).
struct Place {
  dev_t device;
  ino_t inode;
  bool mountRoot;
  bool operator==(const Place& other) const { return device == other.device && inode == other.inode; }
};

Place PlaceOf(int folder, const std::string& shown) {
  struct statx st;
  if (statx(folder, "", AT_EMPTY_PATH, STATX_INO, &st) != 0) Fail(shown, true, errno);
  return {makedev(st.stx_dev_major, st.stx_dev_minor), st.stx_ino,
          (st.stx_attributes_mask & st.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0};
}

// Opens a folder of the tree for listing and deleting its entries, granting its owner the
// rights that takes when they are missing (a write-protected folder keeps its entries
// otherwise). A folder on which something is mounted is not the tree's: it stays whole.
struct OpenedFolder {
  Fd fd;
  Place place;
};

OpenedFolder OpenFolder(int parent, const Place& parentPlace, const char* name, const std::string& shown) {
  Fd path(openat(parent, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (path.get() < 0) Fail(shown, true, errno);
  const Place place = PlaceOf(path.get(), shown);
  if (place.mountRoot || place.device != parentPlace.device) {
    Fail(shown, true, "Dort ist ein anderes Dateisystem eingehängt; er bleibt, wie er ist.");
  }
  struct stat st;
  if (fstat(path.get(), &st) != 0) Fail(shown, true, errno);
  if ((st.st_mode & S_IRWXU) != S_IRWXU && fchmodat(parent, name, (st.st_mode & 07777) | S_IRWXU, 0) != 0) {
    Fail(shown, true, errno);
  }
  Fd folder(openat(path.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) Fail(shown, true, errno);
  return {std::move(folder), place};
}

// Deletes every entry of `folder` that is no folder and returns the name of one subfolder,
// or "" when none is left.
std::string ClearFiles(int folder, const std::string& shown) {
  const int listingFd = dup(folder);
  DIR* listing = listingFd >= 0 ? fdopendir(listingFd) : nullptr;
  if (!listing) {
    if (listingFd >= 0) close(listingFd);
    Fail(shown, true, errno);
  }
  std::string subfolder;
  int error = 0;
  std::string failed;
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (IsFolder(folder, name.c_str())) {
      subfolder = name;
      break;
    }
    if (unlinkat(folder, name.c_str(), 0) != 0) {
      error = errno;
      failed = name;
      break;
    }
  }
  closedir(listing);
  if (error) Fail(shown + '/' + failed, false, error);
  return subfolder;
}

}  // namespace

void RemoveTree(const std::filesystem::path& given) {
  const std::filesystem::path path = given.has_filename() ? given : given.parent_path();
  const std::filesystem::path parentPath = path.has_parent_path() ? path.parent_path() : ".";
  const std::string name = path.filename().string();
  Fd parent(open(parentPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (parent.get() < 0) Fail(path.string(), false, errno);
  if (!IsFolder(parent.get(), name.c_str())) {
    if (unlinkat(parent.get(), name.c_str(), 0) != 0) Fail(path.string(), false, errno);
    return;
  }

  // Down to the first folder with no subfolder, emptied, then up one level by ".." to
  // remove it, until the top is empty. `trail` holds the folders above the current one with
  // their places: a climb that lands elsewhere (the folder was moved out of the tree
  // meanwhile) stops before it touches anything there.
  struct Level {
    std::string name;  // of the folder below, in this one
    Place place;
  };
  std::vector<Level> trail;
  std::string shown = path.string();
  auto [current, place] = OpenFolder(parent.get(), PlaceOf(parent.get(), shown), name.c_str(), shown);
  for (;;) {
    const std::string subfolder = ClearFiles(current.get(), shown);
    if (!subfolder.empty()) {
      shown += '/' + subfolder;
      OpenedFolder next = OpenFolder(current.get(), place, subfolder.c_str(), shown);
      trail.push_back({subfolder, place});
      current = std::move(next.fd);
      place = next.place;
      continue;
    }
    if (trail.empty()) break;
    Fd up(openat(current.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (up.get() < 0) Fail(shown, true, errno);
    if (PlaceOf(up.get(), shown) != trail.back().place) {
      Fail(shown, true, "Er wurde während des Löschens aus seinem Ordner verschoben; dort wird nichts gelöscht.");
    }
    if (unlinkat(up.get(), trail.back().name.c_str(), AT_REMOVEDIR) != 0) Fail(shown, true, errno);
    current = std::move(up);
    place = trail.back().place;
    shown.resize(shown.size() - trail.back().name.size() - 1);
    trail.pop_back();
  }
  current = Fd();
  if (unlinkat(parent.get(), name.c_str(), AT_REMOVEDIR) != 0) Fail(path.string(), true, errno);
}

#endif

}  // namespace bw
