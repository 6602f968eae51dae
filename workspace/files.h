#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <filesystem>

namespace bw {

// Replaces the whole file at once through a temporary file beside it and a rename over
// the directory entry (a link standing there is replaced, never written through): a crash
// or a full disk never leaves a torn file. Every write, the sync and the close are
// checked; a failure raises an error naming the file and the reason, and the old file
// stays as it was. The folder must exist.
void WriteFileAtomic(const QString& path, const QByteArray& bytes);

// Deletes a file, a link or a folder with everything in it, never following a link: a link
// is removed as a link and what it points to stays. Neither the depth of the tree nor the
// length of its paths limits it. Raises an error naming the first entry that can't be
// removed.
void RemoveTree(const QString& path);

// True for the name of a temporary file that WriteFileAtomic left behind when the program
// was killed before it finished.
bool IsWriteLeftover(const QString& fileName);

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
