#pragma once

#include <QString>

namespace bw {

// The game's mod loader skips a folder whose name begins with "-"; a user disables the mod by
// renaming `modFolder` so. Whatever these functions build or set aside in its folder carries
// that mark too, so the game never finds a second or a partial copy of the mod.

// Replaces `modFolder` (whatever stands there: folder, file or link) by a complete copy of
// `templateFolder`; where only the disabled copy stands, that one is replaced and stays
// disabled. Temporary files that an interrupted write left in the template are deleted first.
// The copy is built beside it and checked against the template; only then are the two
// swapped and the old one deleted. Any failure before the swap raises bw::Error and leaves
// the mod as it was.
void DeployFolder(const QString& templateFolder, const QString& modFolder);

// Removes `modFolder` and its disabled copy, whichever stands there. Each is renamed aside
// first, so a failure while deleting leaves no half-deleted mod under its name.
void RemoveDeployedFolder(const QString& modFolder);

// Clears what an interrupted deployment or removal left beside `modFolder` or its disabled
// copy: an old mod that was set aside comes back when none stands in its place, and a
// half-built or half-deleted copy goes.
void RestoreDeployedFolder(const QString& modFolder);

}  // namespace bw
