#include "platform/wineregistry.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

#include "platform/asciicase.h"
#include "platform/userfolders.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = char(c | 0x20);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Decodes Wine's escaped text from `pos` up to the unescaped `end` character (or the end of
// the line) into `out` and leaves `pos` behind it. Wine writes UTF-16 code units as \xNNNN
// (up to four hex digits); a surrogate pair arrives as two of them. False when the text can
// not be decoded: "\x" without a digit, or half of a surrogate pair.
bool Unescape(const std::string& line, size_t& pos, char end, std::string& out) {
  char16_t high = 0;
  bool ok = true;
  auto put = [&](char32_t unit) {
    const bool isHigh = unit >= 0xD800 && unit < 0xDC00, isLow = unit >= 0xDC00 && unit < 0xE000;
    if (high && !isLow) ok = false;
    if (isHigh) {
      high = char16_t(unit);
      return;
    }
    if (isLow) {
      if (!high) ok = false;
      unit = 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00);
    }
    high = 0;
    AppendUtf8(out, unit);
  };
  while (pos < line.size() && line[pos] != end) {
    const char c = line[pos++];
    if (c != '\\' || pos == line.size()) {
      if (high) ok = false;
      high = 0;
      out += c;
      continue;
    }
    const char e = line[pos++];
    if (e == 'x') {
      char32_t unit = 0;
      int digits = 0;
      for (; digits < 4 && pos < line.size() && HexDigit(line[pos]) >= 0; ++digits) unit = unit * 16 + HexDigit(line[pos++]);
      if (digits == 0) ok = false;
      put(unit);
    } else if (e >= '0' && e <= '7') {
      char32_t unit = e - '0';
      for (int n = 1; n < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++n) unit = unit * 8 + (line[pos++] - '0');
      put(unit);
    } else {
      static const std::string kFrom = "abefnrtv", kTo = "\a\b\x1b\f\n\r\t\v";
      const size_t k = kFrom.find(e);
      put(static_cast<unsigned char>(k == std::string::npos ? e : kTo[k]));
    }
  }
  if (high) ok = false;
  if (pos < line.size()) ++pos;
  return ok;
}

}  // namespace

std::string ReadWineString(std::istream& reg, const std::string& key, const std::string& name) {
  const std::string wantedKey = AsciiLower(key);
  const std::string wantedName = AsciiLower(name == "@" ? std::string() : name);
  bool inKey = false;
  std::string line;
  while (std::getline(reg, line)) {
    if (line.empty()) continue;
    size_t pos = 1;
    if (line[0] == '[') {
      if (inKey) return {};  // each key is written once
      std::string keyPath;
      inKey = Unescape(line, pos, ']', keyPath) && AsciiLower(keyPath) == wantedKey;
      continue;
    }
    if (!inKey) continue;
    std::string valueName;
    if (line[0] == '"') {
      if (!Unescape(line, pos, '"', valueName)) continue;
    } else if (line[0] != '@') {
      continue;  // comments, options and continuation lines of hex values
    }
    if (AsciiLower(valueName) != wantedName || pos >= line.size() || line[pos] != '=') continue;
    std::string data = line.substr(pos + 1);
    // REG_SZ is written as "...", REG_EXPAND_SZ as str(2):"..."; other types are no strings.
    if (data.starts_with("str(2):")) data.erase(0, 7);
    if (!data.starts_with('"')) return {};
    size_t at = 1;
    std::string value;
    return Unescape(data, at, '"', value) ? value : std::string();
  }
  return {};
}

std::vector<fs::path> WinePrefixes() {
  const fs::path home = UserFolderPath(UserFolder::Home);
  const char* wine = std::getenv("WINEPREFIX");
  // Wine itself refuses a relative WINEPREFIX.
  std::vector<fs::path> candidates = {wine && wine[0] == '/' ? fs::path(wine) : home / ".wine"};
  for (const fs::path& steam : {home / ".steam/steam", home / ".local/share/Steam"}) {
    std::error_code ec;
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(steam / "steamapps/compatdata", ec)) found.push_back(entry.path() / "pfx");
    std::sort(found.begin(), found.end());
    candidates.insert(candidates.end(), found.begin(), found.end());
  }
  // ~/.steam/steam is usually a link to ~/.local/share/Steam: search each prefix once.
  std::vector<fs::path> prefixes;
  std::set<fs::path> seen;
  for (const fs::path& p : candidates) {
    std::error_code ec;
    const fs::path real = fs::canonical(p, ec);
    if (!ec && fs::is_directory(real) && seen.insert(real).second) prefixes.push_back(p);
  }
  return prefixes;
}

fs::path EntryWithoutCase(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  const fs::path exact = folder / name;
  if (fs::exists(exact, ec)) return exact;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (AsciiLower(entry.path().filename().string()) == AsciiLower(name)) return entry.path();
  }
  return exact;
}

std::string MapWindowsPath(const fs::path& prefix, const std::string& windowsPath) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':' || !std::isalpha(static_cast<unsigned char>(windowsPath[0]))) return {};
  std::error_code ec;
  const std::string drive = AsciiLower(windowsPath.substr(0, 2));
  const fs::path root = fs::canonical(prefix / "dosdevices" / drive, ec);
  if (ec) return {};
  fs::path mapped = root;
  size_t pos = 2;
  while (pos < windowsPath.size()) {
    const size_t next = std::min(windowsPath.find_first_of("\\/", pos), windowsPath.size());
    const std::string part = windowsPath.substr(pos, next - pos);
    pos = next + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      // As on Windows: up one folder, but never above the drive.
      if (mapped != root) mapped = mapped.parent_path();
      continue;
    }
    mapped = EntryWithoutCase(mapped, part);
  }
  std::string result = mapped.string();
  const char last = windowsPath.back();
  if ((last == '\\' || last == '/') && !result.ends_with('/')) result += '/';
  return result;
}

}  // namespace bw
