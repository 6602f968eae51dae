#include <QDir>
#include <QFileInfo>

#include "catalog/catalog.h"
#include "catalog/dumpindex.h"
#include "platform/pathtext.h"
#include "workspace/error.h"
#include "workspace/files.h"
#include "workspace/xmldoc.h"

namespace bw {

CatalogRun::CatalogRun(const WorkspacePaths& paths, const QString& iconFolder)
    : paths_(paths), iconFolder_(WithTrailingDelimiter(iconFolder)) {
  // A read error waits in the future for the step that needs the assets, so a run reports its
  // failures in the order of its steps; a run that ends earlier waits, as it ends, for the read.
  assetsRead_ = std::async(std::launch::async | std::launch::deferred,
                           [path = paths_.ORGPath + QStringLiteral("Assets.xml")] {
                             return std::make_unique<AssetIndex>(path, BuildingTemplates());
                           });
}

CatalogRun::~CatalogRun() = default;

const TextTable& CatalogRun::texts() {
  if (!texts_) texts_ = std::make_unique<TextTable>(paths_.ORGPath + QStringLiteral("texts_german.xml"));
  return *texts_;
}

const AssetIndex& CatalogRun::assets() {
  if (!assets_) assets_ = assetsRead_.get();
  return *assets_;
}

void CatalogRun::releaseAssets() { assets_.reset(); }

void CatalogRun::produce(const QString& path, QByteArray bytes) {
  if (!outputs_.contains(path)) order_ << path;
  outputs_.insert(path, std::move(bytes));
}

void CatalogRun::produce(const QString& path, const XmlDocument& doc) { produce(path, FormatXml(doc.pugi(), path)); }

const QByteArray& CatalogRun::produced(const QString& path) const {
  auto it = outputs_.constFind(path);
  if (it == outputs_.constEnd()) {
    throw Error(QStringLiteral("Die Datei „%1“ wurde in diesem Lauf noch nicht erstellt.").arg(path), "EFileError");
  }
  return *it;
}

void CatalogRun::loadProduced(XmlDocument& doc, const QString& path) const {
  if (!doc.loadText(produced(path), path)) doc.root();  // raises the load error
}

void CatalogRun::writeOutputs() const {
  for (const QString& path : order_) WriteFileAtomic(path, outputs_.value(path));
}

QString DefaultIconFolder() {
  const std::string fixed = FixedIconFolder();
  return fixed.empty() ? QDir::homePath() + QStringLiteral("/CORVANAICONS/") : QString::fromStdString(fixed);
}

void RunCatalog(const WorkspacePaths& paths, const QString& iconFolder,
                const std::function<void(const QString& step)>& progress) {
  // The run creates none of its folders; checking them first keeps a run that cannot
  // finish from writing half a catalogue.
  for (const QString& folder : {paths.ORGPath, paths.TMPPath, paths.ICOPATH, paths.XMLPath}) {
    if (!QFileInfo(folder).isDir()) {
      throw Error(QStringLiteral("Der Ordner „%1“ fehlt.").arg(folder), "EFileError");
    }
  }
  CatalogRun run(paths, iconFolder);
  const struct {
    const char* name;
    void (*routine)(CatalogRun&);
  } steps[] = {
      {"CreateProductCleanedList", CreateProductCleanedList},
      {"CreateProductShortList", CreateProductShortList},
      {"CreateSelectList", CreateSelectList},
      {"CreatePropertyList", CreatePropertyList},
      {"CreateBuildingsListBasedOnTemplates", CreateBuildingsListBasedOnTemplates},
      {"CreateBuildingsListBasedOnBaseGUID", CreateBuildingsListBasedOnBaseGUID},
      {"CompareTemplateAndBaseAssetBuildings", CompareTemplateAndBaseAssetBuildings},
      {"CleanBuildingsFullList", CleanBuildingsFullList},
      {"CreateBuildingsShortLists", CreateBuildingsShortLists},
      {"CreateBlankItemLists", CreateBlankItemLists},
  };
  for (const auto& step : steps) {
    if (progress) progress(QString::fromLatin1(step.name));
    step.routine(run);
    if (step.routine == CreateBuildingsListBasedOnBaseGUID) run.releaseAssets();
  }
  run.writeOutputs();
}

}  // namespace bw
