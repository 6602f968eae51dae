#include "platform/userfolders.h"

#include <cstdlib>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace bw {
namespace {

// A relative value is invalid and ignored, as the XDG rules say.
std::filesystem::path AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  const std::filesystem::path path = value ? value : "";
  return path.is_absolute() ? path : std::filesystem::path();
}

std::filesystem::path HomeFolder() {
  if (std::filesystem::path home = AbsoluteVariable("HOME"); !home.empty()) return home;
#ifndef _WIN32
  if (const passwd* user = getpwuid(getuid()); user && user->pw_dir && user->pw_dir[0] == '/') return user->pw_dir;
#endif
  return std::filesystem::path("/");
}

}  // namespace

std::filesystem::path UserFolderPath(UserFolder which) {
  switch (which) {
    case UserFolder::Home:
      return HomeFolder();
    case UserFolder::Config:
      if (std::filesystem::path config = AbsoluteVariable("XDG_CONFIG_HOME"); !config.empty()) return config;
      return HomeFolder() / ".config";
    case UserFolder::Data:
      if (std::filesystem::path data = AbsoluteVariable("XDG_DATA_HOME"); !data.empty()) return data;
      return HomeFolder() / ".local" / "share";
    case UserFolder::Runtime: {
      if (std::filesystem::path runtime = AbsoluteVariable("XDG_RUNTIME_DIR"); !runtime.empty()) return runtime;
#ifndef _WIN32
      // The folder the desktop session keeps for the user: a copy started without the
      // variable still meets the session's copies there.
      std::error_code ec;
      if (std::filesystem::path session = "/run/user/" + std::to_string(getuid()); std::filesystem::is_directory(session, ec)) {
        return session;
      }
#endif
      return {};
    }
  }
  return {};
}

}  // namespace bw
