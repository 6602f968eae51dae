#pragma once

#include <string>

namespace bw {

// Takes the program-wide lock `name` and holds it until the process ends. False when
// another process holds it. Taking it again inside the same process succeeds. A lock that
// can't be used for any other reason (a folder or a link in its place, no rights) raises
// std::runtime_error with a German message naming the lock file.
// Linux: flock on "<name>.lock" in the user's runtime folder (UserFolder::Runtime), else on
// "/tmp/<name>-<uid>.lock". Windows: the named mutex `name`, created initially owned.
bool AcquireInstanceLock(const std::string& name);

}  // namespace bw
