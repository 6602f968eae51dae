#pragma once

#include <QString>
#include <optional>

namespace bw {

struct GameFolders {
  QString GAMEPATH;  // the game's installation folder
  QString MODPath;   // GAMEPATH + "/mods", exists on return unless that failed (reported)
};

// Start-up step 2: refuses a second copy of the program, finds the game (own record,
// the game's install record, the launcher's install record, then the user through a
// folder chooser), creates the mods folder and writes the record with the program
// folder `prgPath` and the version text `version`. A second copy or a folder without the
// game is refused with a "Programmstartfehler" message and no folders: the program must end
// then. A record that can not be read or written, or a mods folder that can not be created,
// is reported and the start goes on.
std::optional<GameFolders> StartWithRegistry(const QString& prgPath, const QString& version);

// The folder chooser shown when the game is nowhere recorded, with its text above the folder
// tree (Windows: the system's folder browser; elsewhere Qt's own dialog); "" when cancelled.
QString ChooseGameFolder();

}  // namespace bw
