#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "workspace/duplicatecheck.h"
#include "workspace/itemstore.h"
#include "workspace/paths.h"
#include "workspace/xmldoc.h"

namespace bw {

// Which part of the workspace failed to load, with the message that names the file and why.
// The settings are everything the start and the full reset load; the item is the one being
// edited, and its list alone where only that item's own product list failed.
struct LoadResult {
  enum Part { Loaded, ItemList, Item, Settings };
  Part failed = Loaded;
  QString message;
};

// A row of a catalogue as its list shows it: product groups (Sessions.xml), products
// (Products.xml) and target buildings (Target.xml, `extra` is the region).
struct CatalogueRow {
  QString guid;
  QString name;
  QString icon;
  QString extra;
};

// The workspace as the user edits it: its paths, the settings (amount, cycle, the six items'
// target buildings), the item being edited with its products, and whether all of it loaded.
// Every editing operation writes its change through at once; one that fails to write keeps
// the change in hand, as the window shows it.
class Workspace {
 public:
  // The ranges the amount and the cycle hold; a stored number beyond is taken as the
  // nearest one within.
  static constexpr int kMaxAmount = 250;
  static constexpr int kMaxCycle = 50;

  void setProgramFolder(const QString& folder) { paths_ = WorkspacePaths::FromProgramFolder(folder); }
  void setModPath(const QString& modPath) { modPath_ = modPath; }
  const WorkspacePaths& paths() const { return paths_; }
  // The game's mods folder.
  const QString& modPath() const { return modPath_; }
  const QStringList& itemIds() const { return itemIds_; }

  // The item being edited: its slot (1 to 6, 0 before the first), its GUID, its products.
  int slot() const { return slot_; }
  QString itemGuid() const { return itemIds_.value(slot_ - 1); }
  const QList<ItemProduct>& products() const { return products_; }
  int amount() const { return amount_; }
  int cycle() const { return cycle_; }
  // The target buildings of slots 1 to 6.
  const QStringList& targets() const { return targets_; }
  // Target.xml as loaded; a query on it names the file when it failed to load.
  const XmlNode& targetsRoot() const { return targetsRoot_; }

  const LoadResult& loadResult() const { return load_; }
  // Runs steps that load a part of the workspace; a failure is kept as the load result and
  // passed on. After a start that failed, only loading the settings again changes it.
  void Loading(LoadResult::Part part, const std::function<void()>& steps);
  // Raises an error naming the file that failed to load while the workspace is not wholly
  // in hand; every operation that writes calls it first. One that rewrites the item's list
  // whole (`rewritesItemList`) does not need that list to have loaded.
  void requireLoaded(bool rewritesItemList = false) const;

  // Property.xml and Target.xml afresh; both are taken in hand before the first failure
  // (Property.xml's first) is raised, so that a later look-up names the file that failed.
  void loadDocuments();
  // The amount, the cycle and the six targets from Property.xml as loaded.
  void readSettings();
  // Makes `slot` the item being edited: Property.xml afresh and the item's product list
  // (empty when it fails); then `readItemTarget` reads its target building from it.
  void switchItem(int slot);
  QString readItemTarget();

  // The catalogues, read afresh for each list. `buildingsIn` takes Target.xml in hand again;
  // one that fails to load leaves the one in hand.
  QList<CatalogueRow> groups() const;
  QList<CatalogueRow> productsOf(const QString& groupGuid) const;
  QList<CatalogueRow> buildingsIn(const QString& region);
  // The building's row of Target.xml as held; an unknown one raises an error.
  CatalogueRow building(const QString& buildingGuid) const;

  // Editing. A product already in an item is added only when `confirmDuplicate` agrees;
  // false when it did not.
  bool addProduct(const QString& productGuid, const std::function<bool(const ProductHolders&)>& confirmDuplicate);
  // The product as the item list shows it before it is written: looked up in Products.xml.
  void appendProduct(const QString& productGuid);
  void removeProduct(int row);
  // The target building of the item being edited; stores every setting.
  void setTarget(const QString& buildingGuid);
  // The amount and the cycle, stored with the next target or generation.
  void setSettings(int amount, int cycle);
  // The item being edited back to its start when `confirm` agrees: its target first, then
  // its list emptied (a list that failed to load included); switch to it again then.
  bool singleReset(const std::function<bool()>& confirm);

 private:
  void loadProperties();
  void loadTargets();
  void saveItem() const;

  WorkspacePaths paths_;
  QString modPath_;
  QStringList itemIds_ = ItemGuids();
  XmlDocument properties_;
  XmlNode propertyRoot_;
  XmlDocument targetsDoc_;
  XmlNode targetsRoot_;
  int slot_ = 0;
  QList<ItemProduct> products_;
  // What the window shows before the settings are read.
  int amount_ = 50;
  int cycle_ = 50;
  QStringList targets_ = QStringList(6);
  LoadResult load_{LoadResult::Settings, QStringLiteral("Der Arbeitsbereich wurde noch nicht geladen.")};
};

}  // namespace bw
