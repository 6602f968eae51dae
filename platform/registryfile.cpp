#include "platform/registryfile.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/asciicase.h"
#include "platform/regularfile.h"
#include "platform/replacefile.h"
#include "platform/userfolders.h"

namespace bw {
namespace {

bool SameName(const std::string& a, const std::string& b) { return AsciiLower(a) == AsciiLower(b); }

// "\SOFTWARE\...", "\\SOFTWARE\..." and "SOFTWARE\..." name the same key; a key is kept and
// written without leading delimiters.
std::string KeyPath(const std::string& key) { return key.substr(std::min(key.find_first_not_of('\\'), key.size())); }

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

RegistryFile::RegistryFile(std::filesystem::path path) : path_(std::move(path)) {
  std::ifstream in;
  if (!OpenRegularFile(path_, in)) return;
  std::string line;
  for (bool first = true; std::getline(in, line); first = false) {
    if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    // CR LF, or CR CR LF where a file went through a second line-end conversion.
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      sections_.push_back({KeyPath(line.substr(1, line.size() - 2)), {}});
    } else if (const size_t eq = line.find('='); eq != std::string::npos && !sections_.empty()) {
      // A name starting with "[" is a broken key line: kept as a value, it would be saved
      // as a line that reads back as a key.
      std::string name = Trimmed(line.substr(0, eq));
      if (!name.starts_with('[')) sections_.back().values.emplace_back(std::move(name), line.substr(eq + 1));
    }
  }
}

std::filesystem::path RegistryFile::UserRecordPath() {
  return UserFolderPath(UserFolder::Config) / "Brennwick" / "registry.ini";
}

RegistryFile::Section* RegistryFile::Find(const std::string& key) {
  return const_cast<Section*>(std::as_const(*this).Find(key));
}

const RegistryFile::Section* RegistryFile::Find(const std::string& key) const {
  const std::string wanted = AsciiLower(KeyPath(key));
  for (const Section& s : sections_) {
    if (AsciiLower(s.key) == wanted) return &s;
  }
  return nullptr;
}

bool RegistryFile::HasKey(const std::string& key) const { return Find(key) != nullptr; }

std::string RegistryFile::Value(const std::string& key, const std::string& name) const {
  if (const Section* s = Find(key)) {
    for (const auto& [n, v] : s->values) {
      if (SameName(n, name)) return v;
    }
  }
  return {};
}

void RegistryFile::SetValue(const std::string& key, const std::string& name, const std::string& value) {
  Section* s = Find(key);
  if (!s) s = &sections_.emplace_back(Section{KeyPath(key), {}});
  for (auto& [n, v] : s->values) {
    if (SameName(n, name)) {
      v = value;
      return;
    }
  }
  s->values.emplace_back(name, value);
}

void RegistryFile::DeleteKey(const std::string& key) {
  const std::string gone = AsciiLower(KeyPath(key));
  std::erase_if(sections_, [&](const Section& s) {
    const std::string k = AsciiLower(s.key);
    return k == gone || k.rfind(gone + '\\', 0) == 0;
  });
}

std::string RegistryFile::Text() const {
  std::ostringstream out;
  for (const Section& s : sections_) {
    out << '[' << s.key << "]\n";
    for (const auto& [n, v] : s.values) out << n << '=' << v << '\n';
  }
  return out.str();
}

void RegistryFile::Save() const {
  // A folder that can't be made shows in the write's own message.
  std::error_code ignored;
  if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), ignored);
  ReplaceFile(path_, Text());
}

}  // namespace bw
