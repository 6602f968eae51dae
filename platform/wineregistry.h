#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace bw {

// The string value `name` ("" or "@" for the default value) of `key` in a Wine registry
// file such as system.reg, decoded to UTF-8. Key paths and names compare without case.
// Returns "" when the key or the value is missing, the value is not a string or its escapes
// can not be decoded.
std::string ReadWineString(std::istream& reg, const std::string& key, const std::string& name);

// The Wine prefixes searched for the game's install records, in this order: $WINEPREFIX
// (default ~/.wine), then every Steam Proton prefix steamapps/compatdata/*/pfx under
// ~/.steam/steam and ~/.local/share/Steam. Only existing prefixes, each once.
std::vector<std::filesystem::path> WinePrefixes();

// The entry `name` of `folder` as Windows and Wine find it: the exact name where it exists,
// else one that differs only in the case of A-Z; `folder / name` when none matches.
std::filesystem::path EntryWithoutCase(const std::filesystem::path& folder, const std::string& name);

// The Unix path of a Windows path ("D:\Games\G", "D:/Games/G/") inside a Wine prefix,
// through the prefix's dosdevices/<drive>: link. Folder names are matched without case
// (EntryWithoutCase), as Wine does; "." and ".." are taken as Windows takes
// them, so the path never leaves the drive. A trailing delimiter is kept. Returns ""
// when the path has no drive letter or the prefix has no such drive.
std::string MapWindowsPath(const std::filesystem::path& prefix, const std::string& windowsPath);

}  // namespace bw
