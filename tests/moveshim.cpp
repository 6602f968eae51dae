// Preloaded into a process (LD_PRELOAD), moves the folder $BW_MOVE_FROM to $BW_MOVE_TO just
// before the process's first unlinkat: a user moving a folder while a removal runs, at a
// moment a test can choose.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

extern "C" int unlinkat(int folder, const char* name, int flags) {
  static bool moved = false;
  if (!moved) std::rename(std::getenv("BW_MOVE_FROM"), std::getenv("BW_MOVE_TO"));
  moved = true;
  static const auto next = reinterpret_cast<int (*)(int, const char*, int)>(dlsym(RTLD_NEXT, "unlinkat"));
  return next(folder, name, flags);
}
