// The whole catalogue run against the bare pugixml parse of the same input files, on
// game-size dumps at single and double size. Write the dumps first (outside the repository):
//
//   python3 bench/make_game_dumps.py /tmp/bw-dumps/x1 --scale 1
//   python3 bench/make_game_dumps.py /tmp/bw-dumps/x2 --scale 2
//   export BRENNWICK_DUMPS=/tmp/bw-dumps
//   build/bench_catalog --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true
//
// Goal: a run takes at most twice the bare parse, and doubling the input at most doubles it.
//
// BM_RepeatedTemplateGuid needs no dumps: K template buildings share GUID 7 and K more derive
// from it. Ten times K must cost about ten times the time (and memory: run it under
// /usr/bin/time -f "%e s %M KB" with --benchmark_filter=RepeatedTemplateGuid/20000).

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
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

void SetInputSize(benchmark::State& state, const QString& folder) {
  qint64 bytes = 0;
  for (const char* name : kInputs) bytes += QFileInfo(folder + QStringLiteral("ORG/") + name).size();
  state.counters["input_MB"] = double(bytes) / 1e6;
}

void BM_BareParse(benchmark::State& state) {
  const QString folder = DumpFolder(state);
  if (folder.isEmpty()) return;
  for (auto _ : state) {
    for (const char* name : kInputs) {
      pugi::xml_document doc;
      const QByteArray path = QFile::encodeName(folder + QStringLiteral("ORG/") + name);
      if (!doc.load_file(path.constData())) state.SkipWithError(path.constData());
      benchmark::DoNotOptimize(doc.document_element());
    }
  }
  SetInputSize(state, folder);
}

void BM_CatalogRun(benchmark::State& state) {
  const QString folder = DumpFolder(state);
  if (folder.isEmpty()) return;
  const bw::WorkspacePaths paths = bw::WorkspacePaths::FromProgramFolder(folder);
  for (auto _ : state) {
    try {
      bw::RunCatalog(paths, folder + QStringLiteral("icons/"), {});
    } catch (const bw::Error& e) {
      state.SkipWithError(qPrintable(e.message()));
    }
  }
  SetInputSize(state, folder);
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

BENCHMARK(BM_BareParse)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_CatalogRun)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_RepeatedTemplateGuid)->Arg(2000)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->ComputeStatistics("min", Fastest);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksInQtApplication(argc, argv); }
