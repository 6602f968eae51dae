#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

// The benchmarks' main: the core needs a Qt application (offscreen) around it.
inline int RunBenchmarksInQtApplication(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
