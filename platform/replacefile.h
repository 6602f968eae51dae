#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace bw {

// Replaces the whole file at once: the bytes go into a temporary file beside it (named
// ".<name>.tmp-XXXXXX"), every write, the sync and the close are checked, and only then
// is the temporary file renamed over the directory entry. A symbolic link standing there
// is replaced, never written through. On any failure the temporary file goes, the old
// file stays as it was, and std::runtime_error carries a German message naming the file
// and the reason ("Die Datei „…“ kann nicht geschrieben werden: Der Datenträger ist
// voll."). The folder must exist.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// True for the name of a temporary file that ReplaceFile left behind when it was killed.
bool IsReplaceFileLeftover(std::string_view fileName);

}  // namespace bw
