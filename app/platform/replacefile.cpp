#include "app/platform/replacefile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <cstdio>
#include <fstream>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace bw {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw std::runtime_error("Die Datei „" + path.string() + "“ kann nicht geschrieben werden: " + reason);
}

}  // namespace

#ifdef _WIN32

void ReplaceFile(const std::filesystem::path& path, const std::string& bytes) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::filesystem::path temp = path;
  temp += L".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush()) Fail(path, "Schreibfehler");
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) Fail(path, ec.message());
}

#else

void ReplaceFile(const std::filesystem::path& path, const std::string& bytes) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::string temp = path.string() + ".XXXXXX";
  const int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) Fail(path, std::strerror(errno));
  int error = 0;
  for (size_t done = 0; done < bytes.size() && !error;) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) done += static_cast<size_t>(n);
    else if (n < 0 && errno != EINTR) error = errno;
  }
  if (!error && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && !error) error = errno;
  if (!error && rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    unlink(temp.c_str());
    Fail(path, std::strerror(error));
  }
}

#endif

}  // namespace bw
