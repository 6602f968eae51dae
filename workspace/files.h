#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace bw {

// Replaces the whole file at once: a crash or a full disk never leaves a torn file.
void WriteFileAtomic(const QString& path, const QByteArray& bytes);

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
