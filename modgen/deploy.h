#pragma once

#include <QString>

namespace bw {

// Replaces `modFolder` (whatever stands there: folder, file or link) by a complete copy of
// `templateFolder`. The copy is built beside it under a hidden name and checked against the
// template first; only then is the old entry renamed aside, the copy renamed in and the old
// one deleted. Any failure before the swap raises bw::Error and leaves `modFolder` as it was.
void DeployFolder(const QString& templateFolder, const QString& modFolder);

// Removes `modFolder` if anything stands there. It is renamed aside first, so a failure while
// deleting leaves no half-deleted mod under its name.
void RemoveDeployedFolder(const QString& modFolder);

// Deletes a file, a link or a folder with everything in it, never following a link: a link is
// removed as a link and what it points to stays. Raises bw::Error naming the first entry that
// can't be removed.
void RemoveTree(const QString& path);

}  // namespace bw
