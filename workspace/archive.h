#pragma once

#include <QByteArray>
#include <QString>

namespace bw {

// The ZIP archive of the initial workspace that the program carries inside itself.
QByteArray EmbeddedArchive();

// Extracts every entry of the ZIP archive `zip` (its bytes, as EmbeddedArchive gives them)
// below `destFolder`, creating folders and overwriting files. An entry whose path would
// leave `destFolder` (absolute, or with "..") is refused before anything is written.
void ExtractArchive(const QByteArray& zip, const QString& destFolder);

}  // namespace bw
