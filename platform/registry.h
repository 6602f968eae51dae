#pragma once

#include <string>
#include <utility>
#include <vector>

namespace bw {

// The tool's own record under HKEY_CURRENT_USER; on Linux the INI file
// RegistryFile::UserRecordPath(). Missing keys and values read as "".
std::string ReadUserString(const std::string& key, const std::string& name);
bool UserKeyExists(const std::string& key);
void DeleteUserKey(const std::string& key);  // with every key below it
// Creates the key when missing and writes the values in their order.
void WriteUserStrings(const std::string& key, const std::vector<std::pair<std::string, std::string>>& values);

// True when `folder` holds the game: its "Bin/Win64/Corvana1800.exe" exists, each part
// matched without case as on Windows.
bool IsGameFolder(const std::string& folder);

// The string value "InstallDir" of one of the game's install records under
// HKEY_LOCAL_MACHINE, as a folder of this machine that holds the game (IsGameFolder); ""
// when no record holds one. With `dropLastCharacter` the value's last character goes first.
// A value with a control character counts as no record. On Linux the records are read from
// the system.reg of each Wine prefix (WinePrefixes), the Windows path is mapped into the
// prefix where it was found, and the search goes on through the prefixes until a record
// leads to the game; a system.reg that is not a regular file holds no record.
std::string GameInstallFolder(const std::string& key, bool dropLastCharacter);

}  // namespace bw
