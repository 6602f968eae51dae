// "Modifikationen erzeugen" at its largest: six items of 40 products each, asset and text
// file generated, settings stored and the mod deployed into a mods folder. Every file is
// written atomically (with an fsync), the nine deployed files included.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "bench/benchmain.h"
#include "modgen/createitems.h"
#include "ui/build.h"
#include "workspace/itemstore.h"
#include "workspace/paths.h"
#include "workspace/xmldoc.h"

namespace {

void BM_CreateItemsSixTimesForty(benchmark::State& state) {
  QTemporaryDir dir;
  const bw::WorkspacePaths paths = bw::WorkspacePaths::FromProgramFolder(dir.path());
  bw::Build(paths.PrgPath);

  bw::XmlDocument products, targets;
  products.load(bw::ProductsFilePath(paths.XMLPath));
  targets.load(bw::TargetFilePath(paths.XMLPath));
  const QList<bw::XmlNode> rows = products.root().children();
  const QStringList items = bw::ItemGuids();
  for (int slot = 0; slot < items.size(); ++slot) {
    QList<bw::ItemProduct> list;
    for (int i = 0; i < 40; ++i) {
      const bw::XmlNode& row = rows[(slot * 40 + i) % rows.size()];
      list.append({row.attr(0), row.attr(1), row.attr(2)});
    }
    bw::SaveItemContent(paths.XMLPath, items[slot], list);
  }
  const bw::ModSettings settings{paths.XMLPath, QStringLiteral("25"), QStringLiteral("1"),
                                 QStringList(6, bw::kDefaultTarget), targets.root()};
  const QString mods = paths.PrgPath + QStringLiteral("game/mods");
  for (auto _ : state) bw::CreateItems(settings, mods);
}
BENCHMARK(BM_CreateItemsSixTimesForty)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksInQtApplication(argc, argv); }
