// First start: the embedded archive written out, extracted and the two settings files
// loaded. Later start: only the loading.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "bench/benchmain.h"
#include "ui/build.h"
#include "workspace/paths.h"
#include "workspace/xmldoc.h"

namespace {

void LoadSettings(const bw::WorkspacePaths& paths) {
  bw::XmlDocument property, targets;
  property.load(bw::PropertyFilePath(paths.XMLPath));
  targets.load(bw::TargetFilePath(paths.XMLPath));
  benchmark::DoNotOptimize(property.root());
  benchmark::DoNotOptimize(targets.root());
}

void BM_FirstStartExtractAndLoad(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    QTemporaryDir dir;
    const bw::WorkspacePaths paths = bw::WorkspacePaths::FromProgramFolder(dir.path());
    state.ResumeTiming();
    bw::Build(paths.PrgPath);
    LoadSettings(paths);
  }
}
BENCHMARK(BM_FirstStartExtractAndLoad)->Unit(benchmark::kMillisecond);

void BM_LaterStartLoad(benchmark::State& state) {
  QTemporaryDir dir;
  const bw::WorkspacePaths paths = bw::WorkspacePaths::FromProgramFolder(dir.path());
  bw::Build(paths.PrgPath);
  for (auto _ : state) LoadSettings(paths);
}
BENCHMARK(BM_LaterStartLoad)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksInQtApplication(argc, argv); }
