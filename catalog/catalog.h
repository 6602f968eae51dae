#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <future>
#include <memory>

#include "workspace/paths.h"

// The developer's catalogue builder: derives Products.xml, Sessions.xml, Property.xml,
// Target.xml and the six empty item lists of the workspace from dumps of the game's data
// in ORG, with intermediate lists and reports in TMP and icon copies in ICO.
namespace bw {

class AssetIndex;
class TextTable;
class XmlDocument;

// One catalogue run. The dumps that several steps read and no step changes
// (texts_german.xml, Assets.xml) are parsed once per run: the texts on first use, the assets
// on a thread of their own from the start, while the product steps run. A step hands each
// file it makes to the run, and a later step reads it from there; nothing is written before
// every step has succeeded, so a run that fails leaves ORG, TMP, ICO and XMLK as they were.
class CatalogRun {
 public:
  CatalogRun(const WorkspacePaths& paths, const QString& iconFolder);
  ~CatalogRun();

  const WorkspacePaths& paths() const { return paths_; }
  // The developer's icon folder, with a trailing delimiter.
  const QString& iconFolder() const { return iconFolder_; }

  const TextTable& texts();
  const AssetIndex& assets();
  // Frees the asset dump once the steps that read it are done; no later step may ask for it.
  void releaseAssets();

  // A file of the run's output; made again, it replaces the earlier bytes.
  void produce(const QString& path, QByteArray bytes);
  // The same for a document, in the workspace layout.
  void produce(const QString& path, const XmlDocument& doc);
  // The bytes of a file an earlier step made; raises an error naming it when none did.
  const QByteArray& produced(const QString& path) const;
  // The same file as XML; raises the load error naming it.
  void loadProduced(XmlDocument& doc, const QString& path) const;
  // Writes every file made, each through the atomic writer, in the order first made.
  void writeOutputs() const;

 private:
  WorkspacePaths paths_;
  QString iconFolder_;
  std::unique_ptr<TextTable> texts_;
  std::future<std::unique_ptr<AssetIndex>> assetsRead_;  // taken by the first step that needs them
  std::unique_ptr<AssetIndex> assets_;
  QHash<QString, QByteArray> outputs_;
  QStringList order_;  // the paths in the order first made
};

// The ten steps, in the order RunCatalog calls them, each making its files in the run. Each
// raises bw::Error on failure.
void CreateProductCleanedList(CatalogRun& run);             // 1: ORG Product.xml
void CreateProductShortList(CatalogRun& run);               // 2: Products.xml, icons, reports
void CreateSelectList(CatalogRun& run);                     // 3: Sessions.xml
void CreatePropertyList(CatalogRun& run);                   // 4: Property.xml
void CreateBuildingsListBasedOnTemplates(CatalogRun& run);  // 5: Buildings_Full_List_1.xml, GUIDS.txt
void CreateBuildingsListBasedOnBaseGUID(CatalogRun& run);   // 6: Buildings_Full_List_2.xml
void CompareTemplateAndBaseAssetBuildings(CatalogRun& run); // 7: Buildings_Full_List.xml
void CleanBuildingsFullList(CatalogRun& run);               // 8: Buildings_Full_List.xml
void CreateBuildingsShortLists(CatalogRun& run);            // 9: Target.xml
void CreateBlankItemLists(CatalogRun& run);                 // 10: the six item product lists

// The asset templates of production buildings, in the order step 5 collects them.
const QStringList& BuildingTemplates();

// Sorts without regard to letter case and keeps one entry of each group that is equal
// without regard to case.
void DeleteDuplicate(QStringList& list);

// The developer's folder of game icons (named icon + "_0.png").
QString DefaultIconFolder();

// Runs the ten steps in order, reporting each step's routine name before it starts, then
// writes what they made. The folders ORG, TMP, ICO and XMLK must exist. The first failure
// ends the run with a bw::Error whose German message names the file, before anything is written.
void RunCatalog(const WorkspacePaths& paths, const QString& iconFolder,
                const std::function<void(const QString& step)>& progress);

}  // namespace bw
