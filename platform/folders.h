#pragma once

#include <filesystem>

namespace bw {

// Swaps the directory entries `a` and `b` in one step, whatever they are (Linux:
// renameat2 with RENAME_EXCHANGE). False when the platform or the file system can't do
// that; nothing has changed then.
bool ExchangeEntries(const std::filesystem::path& a, const std::filesystem::path& b);

// Deletes a file, a link or a folder with everything in it, never following a link: a link
// is removed as a link and what it points to stays. Write-protected folders are opened up
// first. The walk holds no more than two folders open and no path in full, so neither the
// depth of the tree nor the length of its paths limits it. Nothing outside the tree is ever
// touched: a folder on which a file system is mounted (a bind mount too) is left whole, and
// a folder moved out of the tree while the walk is inside it stops the walk before it climbs
// anywhere else. Failures raise std::runtime_error with a German message naming the first
// entry that can't be removed.
// Windows: every reparse point (junction, symbolic link) counts as a link, read-only marks of
// files and folders are cleared, and the walk holds one path, in the system's long form,
// whose limit of 32767 letters is the only bound.
void RemoveTree(const std::filesystem::path& path);

#ifdef _WIN32
// Whether RemoveTree goes into an entry with these attributes (as the system lists them) to
// empty it: a folder that is no reparse point.
bool EntersFolder(unsigned long attributes);
#endif

}  // namespace bw
