#include "platform/registry.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>

#include <stdexcept>

#include "platform/oserror.h"
#include "platform/pathtext.h"
#else
#include <fstream>

#include "platform/registryfile.h"
#include "platform/regularfile.h"
#include "platform/wineregistry.h"
#endif

namespace bw {
namespace {

// Drops the last character, not just its last UTF-8 byte.
void DropLastCharacter(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
}

// A folder name with a line break or another control character is no install folder; it
// would also break the record file.
bool HasControlCharacter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

}  // namespace

#ifdef _WIN32

namespace {

std::wstring SubKey(const std::string& key) { return Wide(key.starts_with('\\') ? key.substr(1) : key); }

// A missing key or value reads as ""; a value of another type than string is an error. Only
// read access is asked for: a normal user may read HKEY_LOCAL_MACHINE but not change it.
std::string ReadString(HKEY root, const std::string& key, const std::string& name) {
  HKEY k;
  if (RegOpenKeyExW(root, SubKey(key).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &k) != ERROR_SUCCESS) return {};
  const std::wstring value = Wide(name);
  DWORD type = 0, size = 0;
  std::wstring data;
  LSTATUS status = RegQueryValueExW(k, value.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two calls; then the second one asks again.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    data.resize(size / sizeof(wchar_t) + 1);
    size = DWORD(data.size() * sizeof(wchar_t));
    status = RegQueryValueExW(k, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_SUCCESS) {
      data.resize(size / sizeof(wchar_t));
      break;
    }
  }
  RegCloseKey(k);
  if (status != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw std::runtime_error("Der Registrierungswert „" + name + "“ ist keine Zeichenkette.");
  data.resize(wcsnlen(data.c_str(), data.size()));
  return Utf8(data);
}

[[noreturn]] void WriteFailed(const std::string& key, LSTATUS status) {
  throw std::runtime_error("Der Registrierungsschlüssel „HKEY_CURRENT_USER\\" + Utf8(SubKey(key)) +
                           "“ kann nicht geschrieben werden: " + GermanSystemReason(DWORD(status)));
}

}  // namespace

std::string ReadUserString(const std::string& key, const std::string& name) {
  return ReadString(HKEY_CURRENT_USER, key, name);
}

bool UserKeyExists(const std::string& key) {
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SubKey(key).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

void DeleteUserKey(const std::string& key) { RegDeleteTreeW(HKEY_CURRENT_USER, SubKey(key).c_str()); }

void WriteUserStrings(const std::string& key, const std::vector<std::pair<std::string, std::string>>& values) {
  HKEY k;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, SubKey(key).c_str(), 0, nullptr, 0,
                                   KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &k, nullptr);
  if (status != ERROR_SUCCESS) WriteFailed(key, status);
  for (const auto& [name, value] : values) {
    const std::wstring data = Wide(value);
    status = RegSetValueExW(k, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            DWORD((data.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) break;
  }
  RegCloseKey(k);
  if (status != ERROR_SUCCESS) WriteFailed(key, status);
}

bool IsGameFolder(const std::string& folder) {
  return !folder.empty() && GetFileAttributesW(Wide(folder + "\\Bin\\Win64\\Corvana1800.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string GameInstallFolder(const std::string& key, bool dropLastCharacter) {
  std::string folder = ReadString(HKEY_LOCAL_MACHINE, key, "InstallDir");
  if (dropLastCharacter) DropLastCharacter(folder);
  std::replace(folder.begin(), folder.end(), '/', '\\');
  return !HasControlCharacter(folder) && IsGameFolder(folder) ? folder : std::string();
}

#else

std::string ReadUserString(const std::string& key, const std::string& name) {
  return RegistryFile(RegistryFile::UserRecordPath()).Value(key, name);
}

bool UserKeyExists(const std::string& key) { return RegistryFile(RegistryFile::UserRecordPath()).HasKey(key); }

void DeleteUserKey(const std::string& key) {
  RegistryFile record(RegistryFile::UserRecordPath());
  record.DeleteKey(key);
  record.Save();
}

void WriteUserStrings(const std::string& key, const std::vector<std::pair<std::string, std::string>>& values) {
  RegistryFile record(RegistryFile::UserRecordPath());
  for (const auto& [name, value] : values) record.SetValue(key, name, value);
  record.Save();
}

// Each part without case, as Windows finds it: a game on a case-insensitive disk seen
// through Wine may be in bin/win64/corvana1800.exe.
bool IsGameFolder(const std::string& folder) {
  if (folder.empty()) return false;
  std::filesystem::path game = folder;
  for (const char* part : {"Bin", "Win64", "Corvana1800.exe"}) game = EntryWithoutCase(game, part);
  std::error_code ec;
  return std::filesystem::exists(game, ec);
}

std::string GameInstallFolder(const std::string& key, bool dropLastCharacter) {
  for (const std::filesystem::path& prefix : WinePrefixes()) {
    std::ifstream reg;
    try {
      if (!OpenRegularFile(prefix / "system.reg", reg)) continue;
    } catch (const std::exception&) {
      continue;  // a FIFO, a device or a folder under that name holds no record
    }
    std::string value = ReadWineString(reg, key, "InstallDir");
    if (dropLastCharacter) DropLastCharacter(value);
    if (value.empty() || HasControlCharacter(value)) continue;
    if (std::string folder = MapWindowsPath(prefix, value); IsGameFolder(folder)) return folder;
  }
  return {};
}

#endif

}  // namespace bw
