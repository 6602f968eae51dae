#pragma once

#include <QString>

namespace bw {

// Replaces `modFolder` (whatever stands there: folder, file or link) by a complete copy of
// `templateFolder`. Temporary files that an interrupted write left in the template are
// deleted first. The copy is built beside it under a hidden name and checked against the
// template; only then are the two swapped and the old one deleted. Any failure before the
// swap raises bw::Error and leaves `modFolder` as it was.
void DeployFolder(const QString& templateFolder, const QString& modFolder);

// Removes `modFolder` if anything stands there. It is renamed aside first, so a failure while
// deleting leaves no half-deleted mod under its name.
void RemoveDeployedFolder(const QString& modFolder);

// Clears what an interrupted deployment left beside `modFolder`: the old mod that was set
// aside comes back when no mod stands in its place, and a half-built or half-deleted copy
// goes.
void RestoreDeployedFolder(const QString& modFolder);

}  // namespace bw
