#pragma once

#include <string>

namespace bw {

// The program folder: where the workspace XMLK and the developer folders ORG, TMP and ICO lie
// for a program whose executable is in `exeFolder` (both as UTF-8 text, as Qt gives and takes it). That folder itself when the user may
// write it and it is no place of installed programs (a portable copy, the build folder);
// else ${XDG_DATA_HOME:-$HOME/.local/share}/Brennwick, created (mode 0700) when missing.
// Places of installed programs are everything below /usr and the bin folder of any
// installation of ours (one with ../share/applications/brennwick.desktop): root may write
// there, but a package's folder never receives a workspace. Windows: `exeFolder` when its
// access rules let the user make files there, else %LOCALAPPDATA%\Brennwick, created when
// missing.
std::string ProgramFolder(const std::string& exeFolder);

}  // namespace bw
