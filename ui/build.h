#pragma once

#include <QString>

namespace bw {

// Extracts the embedded archive into the program folder straight from memory; no file
// "xmlk.zip" is written, and one the user keeps there stays untouched. An existing
// workspace "XMLK" gets the archive's files anew and keeps the user's own; a missing one
// appears whole or not at all. A failure is reported ("Programmabbruch") and the start goes
// on. True unless it failed.
bool Build(const QString& prgPath);

}  // namespace bw
