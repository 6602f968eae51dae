#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/instancelock.h"

// A process of our own for the tests. "SECONDS": sleeps that long, under whatever file name
// the test copied it to. "--lock NAME": takes the program-wide lock NAME as a second copy of
// the program would, and exits with 0 when it got it, 3 when another process holds it.
int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--lock") return bw::AcquireInstanceLock(argv[2]) ? 0 : 3;
  std::this_thread::sleep_for(std::chrono::seconds(argc > 1 ? std::atoi(argv[1]) : 30));
  return 0;
}
