#pragma once

#include <string>

namespace bw {

// Takes the program-wide lock `name` and holds it until the process ends. False when
// another process holds it. Taking it again inside the same process succeeds.
// Linux: flock on "<name>.lock" in $XDG_RUNTIME_DIR, else in the temp folder as
// "<name>-<uid>.lock". Windows: the named mutex `name`, created initially owned.
bool AcquireInstanceLock(const std::string& name);

}  // namespace bw
