#pragma once

#include <filesystem>

namespace bw {

// The user's folders, found one way for the record file, the Wine prefixes, the program
// folder and the instance lock: the XDG_* variable when it holds an absolute path, else
// below HOME when that is absolute, else below the home of the user's passwd entry. Never a
// relative path, so nothing lands in the folder the program was started from.
enum class UserFolder {
  Home,     // $HOME
  Config,   // $XDG_CONFIG_HOME, else ~/.config
  Data,     // $XDG_DATA_HOME, else ~/.local/share
  Runtime,  // $XDG_RUNTIME_DIR, else /run/user/<uid> where it exists, else "" (none)
};
std::filesystem::path UserFolderPath(UserFolder which);

}  // namespace bw
