#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <cstdio>
#include <stdexcept>

#include "platform/folders.h"
#include "platform/instancelock.h"

// A process of our own for the tests. "SECONDS": sleeps that long, under whatever file name
// the test copied it to. "--lock NAME": takes the program-wide lock NAME as a second copy of
// the program would, and exits with 0 when it got it, 3 when another process holds it.
// "--remove PATH": RemoveTree(PATH), printing its failure.
int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--lock") return bw::AcquireInstanceLock(argv[2]) ? 0 : 3;
  if (argc == 3 && std::string(argv[1]) == "--remove") {
    try {
      bw::RemoveTree(argv[2]);
    } catch (const std::runtime_error& error) {
      std::fputs(error.what(), stdout);
      return 1;
    }
    return 0;
  }
  std::this_thread::sleep_for(std::chrono::seconds(argc > 1 ? std::atoi(argv[1]) : 30));
  return 0;
}
