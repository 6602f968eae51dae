// Start-up of the program to its idle event loop, on Qt's offscreen platform: the main
// window is created (the whole start-up sequence runs), shown, and every pending event is
// processed. Run with /usr/bin/time -v for the peak memory.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "app/application.h"
#include "tests/testsupport.h"
#include "ui/build.h"
#include "ui/layoutscale.h"
#include "ui/mainform.h"

namespace {

void StartUp(const QString& programFolder) {
  auto form = std::make_unique<bw::TMainForm>(programFolder);
  form->show();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  benchmark::DoNotOptimize(form.get());
}

// Later starts: the workspace is there.
void BM_StartUp(benchmark::State& state) {
  QTemporaryDir folder;
  bw::Build(folder.path() + QLatin1Char('/'));
  for (auto _ : state) StartUp(folder.path());
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Repetitions(7);

// The same on a 1366 × 768 screen, where the windows are shown smaller.
void BM_StartUpOnASmallScreen(benchmark::State& state) {
  bw::FitLayout(QSize(1366, 768), bw::TMainForm::kLargestOuterSize);
  BM_StartUp(state);
  bw::FitLayout(bw::TMainForm::kLargestOuterSize, bw::TMainForm::kLargestOuterSize);
}
BENCHMARK(BM_StartUpOnASmallScreen)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Repetitions(7);

// The first start: the workspace is extracted from the embedded archive.
void BM_FirstStartUp(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    QTemporaryDir folder;
    state.ResumeTiming();
    StartUp(folder.path());
  }
}
BENCHMARK(BM_FirstStartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Repetitions(7);

}  // namespace

int main(int argc, char** argv) {
  // A home of its own with a recorded game, so game discovery never asks.
  bw::test::ScopedHome home;
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  bw::TApplication app(argc, argv);
  bw::test::RecordFakeGame(home.path() + QStringLiteral("/Games/Corvana 1800"));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
