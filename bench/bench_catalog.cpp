// The whole catalogue run against the bare pugixml parse of the same input files, on
// game-size dumps at single and double size. Write the dumps first (outside the repository):
//
//   python3 bench/make_game_dumps.py /tmp/bw-dumps/x1 --scale 1
//   python3 bench/make_game_dumps.py /tmp/bw-dumps/x2 --scale 2
//   export BRENNWICK_DUMPS=/tmp/bw-dumps
//   build/bench_catalog --benchmark_filter=AgainstBareParse --benchmark_repetitions=5
//       --benchmark_enable_random_interleaving=true     (one command line)
//
// Each repetition runs the bare parse and the catalogue run once each, in turns which goes
// first, each in a child process of its own: "ratio" is the run's time over the parse's in that
// pair, "run_peak_MB" and "parse_peak_MB" the children's peak memory (the forked process's
// own pages, "floor_MB", included), "memory" the run's peak over the input's size.
// Goal: a run takes at most half the bare parse, doubling the input at most doubles it, and a
// run needs at most 1.5 times the input's size in memory.
//
// BM_RepeatedTemplateGuid needs no dumps: K template buildings share GUID 7 and K more derive
// from it. Ten times K must cost about ten times the time (and memory: run it under
// /usr/bin/time -f "%e s %M KB" with --benchmark_filter=RepeatedTemplateGuid/20000).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <pugixml.hpp>

#include "bench/benchmain.h"
#include "catalog/catalog.h"
#include "workspace/error.h"

namespace {

const char* const kInputs[] = {"Assets.xml", "texts_german.xml", "ORG_Product.xml", "Product_Ammunition.xml",
                               "new.xml"};

// The program folder the generator wrote for this size, or empty (and the benchmark skipped).
QString DumpFolder(benchmark::State& state) {
  const QString root = qEnvironmentVariable("BRENNWICK_DUMPS", QStringLiteral("/tmp/bw-dumps"));
  const QString folder = QStringLiteral("%1/x%2/").arg(root).arg(state.range(0));
  if (!QFileInfo(folder + QStringLiteral("ORG/Assets.xml")).isFile()) {
    state.SkipWithError(qPrintable(QStringLiteral("no dumps in %1: run bench/make_game_dumps.py").arg(folder)));
    return {};
  }
  return folder;
}

double InputMegabytes(const QString& folder) {
  qint64 bytes = 0;
  for (const char* name : kInputs) bytes += QFileInfo(folder + QStringLiteral("ORG/") + name).size();
  return double(bytes) / 1e6;
}

struct ChildResult {
  bool ok = false;
  double seconds = 0;
  double peakMegabytes = 0;
};

// Runs `work` in a child process: the time it took there, and the child's peak memory.
template <typename Work>
ChildResult InChild(Work&& work) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    close(channel[0]);
    const auto start = std::chrono::steady_clock::now();
    const bool ok = work();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool written = write(channel[1], &seconds, sizeof seconds) == sizeof seconds;
    _exit(ok && written ? 0 : 1);
  }
  close(channel[1]);
  ChildResult result;
  const bool read = pid > 0 && ::read(channel[0], &result.seconds, sizeof result.seconds) == sizeof result.seconds;
  close(channel[0]);
  int status = 0;
  rusage usage{};
  if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
    result.ok = read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.peakMegabytes = double(usage.ru_maxrss) / 1024;
  }
  return result;
}

double OwnMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024;
}

bool BareParse(const QString& folder) {
  for (const char* name : kInputs) {
    pugi::xml_document doc;
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("ORG/") + name);
    if (!doc.load_file(path.constData())) return false;
    benchmark::DoNotOptimize(doc.document_element());
  }
  return true;
}

bool CatalogRun(const QString& folder) {
  try {
    bw::RunCatalog(bw::WorkspacePaths::FromProgramFolder(folder), folder + QStringLiteral("icons/"), {});
    return true;
  } catch (const bw::Error&) {
    return false;
  }
}

void BM_RunAgainstBareParse(benchmark::State& state) {
  const QString folder = DumpFolder(state);
  if (folder.isEmpty()) return;
  // Once first, so that every timed run finds the icons copied already.
  if (!InChild([&] { return CatalogRun(folder); }).ok) state.SkipWithError("the catalogue run failed");
  static int turn = 0;
  for (auto _ : state) {
    ChildResult parse, run;
    if (turn++ % 2 == 0) {
      parse = InChild([&] { return BareParse(folder); });
      run = InChild([&] { return CatalogRun(folder); });
    } else {
      run = InChild([&] { return CatalogRun(folder); });
      parse = InChild([&] { return BareParse(folder); });
    }
    if (!parse.ok || !run.ok) state.SkipWithError("a child failed");
    state.SetIterationTime(run.seconds);
    state.counters["parse_s"] = parse.seconds;
    state.counters["ratio"] = run.seconds / parse.seconds;
    state.counters["run_peak_MB"] = run.peakMegabytes;
    state.counters["parse_peak_MB"] = parse.peakMegabytes;
  }
  const double input = InputMegabytes(folder);
  state.counters["input_MB"] = input;
  state.counters["memory"] = state.counters["run_peak_MB"] / input;
  state.counters["floor_MB"] = OwnMegabytes();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(path));
}

void BM_RepeatedTemplateGuid(benchmark::State& state) {
  QTemporaryDir dir;
  const QString folder = dir.path() + QStringLiteral("/");
  for (const char* sub : {"ORG", "TMP", "ICO", "XMLK"}) QDir().mkpath(folder + QLatin1String(sub));
  QByteArray assets = "<AssetList>\n";
  for (int64_t i = 0; i < state.range(0); ++i) {
    assets += "<Asset><Template>FactoryBuilding7</Template><Values><Standard><GUID>7</GUID></Standard></Values></Asset>\n"
              "<Asset><BaseAssetGUID>7</BaseAssetGUID><Values><Standard><GUID>" + QByteArray::number(200000 + i) +
              "</GUID></Standard></Values></Asset>\n";
  }
  Write(folder + QStringLiteral("ORG/Assets.xml"), assets + "</AssetList>\n");
  Write(folder + QStringLiteral("ORG/new.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Buildings/>\r\n");
  Write(folder + QStringLiteral("ORG/texts_german.xml"), "<TextExport/>");
  for (const char* dump : {"ORG_Product.xml", "Product_Ammunition.xml"}) Write(folder + "ORG/" + dump, "<Assets/>");
  const bw::WorkspacePaths paths = bw::WorkspacePaths::FromProgramFolder(folder);
  for (auto _ : state) bw::RunCatalog(paths, folder + QStringLiteral("icons/"), {});
  state.counters["assets"] = double(2 * state.range(0));
}

// On a shared machine the fastest of several repetitions is the steadiest figure.
double Fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }
double Slowest(const std::vector<double>& times) { return *std::max_element(times.begin(), times.end()); }

BENCHMARK(BM_RunAgainstBareParse)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime()
    ->ComputeStatistics("min", Fastest)->ComputeStatistics("max", Slowest);
BENCHMARK(BM_RepeatedTemplateGuid)->Arg(2000)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->ComputeStatistics("min", Fastest);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksInQtApplication(argc, argv); }
