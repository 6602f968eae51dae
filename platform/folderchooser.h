#pragma once

#include <string>

namespace bw {

// Windows' own folder browser in its newer style, rooted at the desktop with nothing
// selected, listing folders only: no button for a new folder, no edit box for a typed name.
// `text` (UTF-8; a lone carriage return breaks the line) stands above the folder tree. The
// chosen folder as UTF-8 without a trailing delimiter; "" when the user cancels.
std::string BrowseForFolder(const std::string& text);

}  // namespace bw
