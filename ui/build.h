#pragma once

#include <QString>

namespace bw {

// Writes the embedded archive to "xmlk.zip" in the program folder, extracts it there and
// deletes it. An existing workspace "XMLK" gets the archive's files anew and keeps the
// user's own; a missing one appears whole or not at all. Each stage reports its own failure
// ("Programmabbruch") and the next one runs all the same. True unless a stage failed.
bool Build(const QString& prgPath);

}  // namespace bw
