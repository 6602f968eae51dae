#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace bw {

// A registry kept in an INI file: one section per key, named by the key path without a
// leading backslash, lines "Name=Value" in UTF-8. Key paths and value names compare
// without case, as in the Windows registry. Changes stay in memory until Save.
class RegistryFile {
 public:
  // Loads `path`; a missing file is an empty registry, anything but a regular file raises
  // std::runtime_error naming it.
  explicit RegistryFile(std::filesystem::path path);

  // ${XDG_CONFIG_HOME:-$HOME/.config}/Brennwick/registry.ini (UserFolder::Config)
  static std::filesystem::path UserRecordPath();

  bool HasKey(const std::string& key) const;
  // The value, or "" when the key or the value is missing.
  std::string Value(const std::string& key, const std::string& name) const;
  // Sets a value, creating the key when missing; an existing value keeps its place.
  void SetValue(const std::string& key, const std::string& name, const std::string& value);
  // Removes the key and every key below it.
  void DeleteKey(const std::string& key);

  std::string Text() const;
  // Writes the whole file atomically, creating its folder when missing.
  void Save() const;

 private:
  struct Section {
    std::string key;
    std::vector<std::pair<std::string, std::string>> values;
  };
  Section* Find(const std::string& key);
  const Section* Find(const std::string& key) const;

  std::filesystem::path path_;
  std::vector<Section> sections_;
};

}  // namespace bw
