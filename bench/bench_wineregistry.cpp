// Reading the game's install record from a system.reg of the size a Proton prefix has
// (tens of thousands of keys, several MB), with the record as the very last key.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "platform/wineregistry.h"

namespace {

std::string LargeSystemReg(int keys) {
  std::string reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
  for (int i = 0; i < keys; ++i) {
    reg += "[Software\\\\Classes\\\\CLSID\\\\{" + std::to_string(100000 + i) + "-0000-0000-C000-000000000046}] 1700000000\n";
    reg += "#time=1d9a0b0c0d0e0f0\n@=\"PSFactoryBuffer\"\n\"ThreadingModel\"=\"Both\"\n\"Flags\"=dword:00000000\n\n";
  }
  reg += "[Software\\\\Wow6432Node\\\\Ubisoft\\\\Launcher\\\\Installs\\\\4553] 1700000000\n"
         "\"InstallDir\"=\"C:/Program Files (x86)/Ubisoft/Ubisoft Game Launcher/games/Corvana 1800/\"\n";
  return reg;
}

void BM_ReadInstallRecordFromLargeSystemReg(benchmark::State& state) {
  const std::string reg = LargeSystemReg(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::istringstream in(reg);
    benchmark::DoNotOptimize(
        bw::ReadWineString(in, "SOFTWARE\\WOW6432Node\\Ubisoft\\Launcher\\Installs\\4553", "InstallDir"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(reg.size()));
}
BENCHMARK(BM_ReadInstallRecordFromLargeSystemReg)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
