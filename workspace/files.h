#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <filesystem>

namespace bw {

// The one writer of every file the program writes: ReplaceFile (platform/replacefile.h) for
// a path as the core holds it, its failure raised as the core's error.
void WriteFileAtomic(const QString& path, const QByteArray& bytes);

// Deletes a file, a link or a folder with everything in it, never following a link: a link
// is removed as a link and what it points to stays. Neither the depth of the tree nor the
// length of its paths limits it. Raises an error naming the first entry that can't be
// removed.
void RemoveTree(const QString& path);

// True for the name of a temporary file that WriteFileAtomic left behind when the program
// was killed before it finished.
bool IsWriteLeftover(const QString& fileName);

// Deletes the temporary files that killed writes left anywhere below `folder` (names of
// the writer's own pattern only), so they never reach the game or stay in the workspace.
void RemoveWriteLeftovers(const QString& folder);

// A path as the platform layer takes it.
std::filesystem::path NativePath(const QString& path);

// Reads a whole file; a missing or unreadable file, or anything but a regular file, raises
// an error naming it.
QByteArray ReadFile(const QString& path);

// The German message for something other than a regular file under `path` (a folder, a
// FIFO, a device), which a reader would block on or never finish; "" for a regular file or
// nothing at all. Checked without opening it.
QString NonRegularFileError(const QString& path);

// Every file below a folder, as paths relative to it, sorted.
QStringList FilesBelow(const QString& folder);

// Lines joined by CR LF, with a CR LF after the last line too.
QByteArray JoinLinesCrLf(const QStringList& lines);

}  // namespace bw
