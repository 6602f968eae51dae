#include "workspace/workspace.h"

#include <algorithm>

#include "workspace/error.h"

namespace bw {

void Workspace::Loading(LoadResult::Part part, const std::function<void()>& steps) {
  if (part == LoadResult::Settings) load_ = {};
  const bool afterFailedStart = load_.failed == LoadResult::Settings;
  try {
    steps();
  } catch (const std::exception& error) {
    const QString message = ErrorMessage(error);
    // The item's failure that its own list raised stays the list's.
    const bool listFailed =
        part == LoadResult::Item && load_.failed == LoadResult::ItemList && load_.message == message;
    if (!afterFailedStart && !listFailed) load_ = {part, message};
    throw;
  }
  // The settings' load began afresh and keeps what its item's own list left.
  if (!afterFailedStart && part == LoadResult::Item) load_ = {};
}

void Workspace::requireLoaded(bool rewritesItemList) const {
  if (load_.failed == LoadResult::Loaded || (rewritesItemList && load_.failed == LoadResult::ItemList)) return;
  throw Error(QStringLiteral("Es wurde nichts geändert, denn die Daten wurden nicht vollständig geladen:\n%1\n"
                             "Das vollständige Zurücksetzen stellt die Startwerte wieder her.")
                  .arg(load_.message),
              "EWorkspaceError");
}

void Workspace::loadProperties() {
  XmlDocument properties;
  properties.load(PropertyFilePath(paths_.XMLPath), "Properties");
  // Without a root the next use of propertyRoot_ reports why the file failed.
  propertyRoot_ = properties.rootOrError();
  properties_ = std::move(properties);
}

void Workspace::loadTargets() {
  // A file that fails to load leaves the document in hand, and targetsRoot_ with it, intact;
  // with none in hand, targetsRoot_ reports the failure whenever it is used.
  XmlDocument targets;
  const bool loaded = targets.load(TargetFilePath(paths_.XMLPath), "Targets");
  if (!loaded && !targetsRoot_) targetsRoot_ = targets.rootOrError();
  targetsRoot_ = targets.root();  // raises the load error of a file that did not load
  targetsDoc_ = std::move(targets);
}

void Workspace::loadDocuments() {
  loadProperties();
  try {
    loadTargets();
  } catch (const Error&) {
    properties_.root();
    throw;
  }
  properties_.root();
}

void Workspace::readSettings() {
  auto number = [&](const QString& name, int maximum) {
    const QString text = PropertyValue(propertyRoot_, name);
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok) {
      throw Error(QStringLiteral("Der Wert „%1“ von „%2“ in der Datei „%3“ ist keine ganze Zahl.")
                      .arg(text, name, propertyRoot_.file()),
                  "EConvertError");
    }
    return static_cast<int>(std::clamp<qlonglong>(value, 1, maximum));
  };
  const int amount = number(QStringLiteral("ProductAmount"), kMaxAmount);
  const int cycle = number(QStringLiteral("ProductCycle"), kMaxCycle);
  amount_ = amount, cycle_ = cycle;
  for (int i = 0; i < itemIds_.size(); ++i) targets_[i] = PropertyValue(propertyRoot_, itemIds_[i]);
}

void Workspace::switchItem(int slot) {
  loadProperties();
  slot_ = slot;
  Loading(LoadResult::ItemList, [&] {
    // Emptied first: an item list that fails to load leaves the list empty.
    products_.clear();
    products_ = ReadItemProductList(paths_.XMLPath, itemGuid());
  });
}

QString Workspace::readItemTarget() {
  return targets_[slot_ - 1] = PropertyValue(properties_.root(), itemGuid());
}

QList<CatalogueRow> Workspace::groups() const {
  XmlDocument sessions;
  sessions.load(SessionsFilePath(paths_.XMLPath), "Sessions");
  QList<CatalogueRow> rows;
  for (const XmlNode& group : sessions.root().children()) rows.append({group.attr(0), group.attr(1), group.attr(0), {}});
  return rows;
}

QList<CatalogueRow> Workspace::productsOf(const QString& groupGuid) const {
  XmlDocument catalogue;
  catalogue.load(ProductsFilePath(paths_.XMLPath), "Products");
  const XmlNode root = catalogue.root();
  // The first groups are product categories, the others game extensions.
  QList<XmlNode> products = root.select(QStringLiteral("Product[@Category=\"") + groupGuid + QStringLiteral("\"]"));
  if (products.isEmpty()) products = root.select(QStringLiteral("Product[@DLC=\"") + groupGuid + QStringLiteral("\"]"));
  QList<CatalogueRow> rows;
  for (const XmlNode& product : products) rows.append({product.attr(0), product.attr(1), product.attr(2), {}});
  return rows;
}

QList<CatalogueRow> Workspace::buildingsIn(const QString& region) {
  loadTargets();
  QList<CatalogueRow> rows;
  for (const XmlNode& building : targetsRoot_.select(QStringLiteral("Target[@Region=\"") + region + QStringLiteral("\"]"))) {
    rows.append({building.attr(0), building.attr(1), building.attr(2), building.attr(3)});
  }
  return rows;
}

CatalogueRow Workspace::building(const QString& buildingGuid) const {
  const XmlNode row = targetsRoot_.selectSingle(QStringLiteral("Target[@GUID=\"") + buildingGuid + QStringLiteral("\"]"));
  return {buildingGuid, row.attr(1), {}, row.attr(3)};
}

void Workspace::saveItem() const { SaveItemContent(paths_.XMLPath, itemGuid(), products_); }

void Workspace::appendProduct(const QString& productGuid) {
  XmlDocument catalogue;
  catalogue.load(ProductsFilePath(paths_.XMLPath), "Products");
  const XmlNode product =
      catalogue.root().selectSingle(QStringLiteral("Product[@GUID=\"") + productGuid + QStringLiteral("\"]"));
  const QString guid = product.attr(0);
  const QString name = product.attr(1);
  const QString icon = product.attr(2);
  products_.append({guid, name, icon});
}

bool Workspace::addProduct(const QString& productGuid,
                           const std::function<bool(const ProductHolders&)>& confirmDuplicate) {
  requireLoaded();
  const ProductHolders holders = FindProductInItems(paths_.XMLPath, productGuid);
  if (holders.any() && !confirmDuplicate(holders)) return false;
  appendProduct(productGuid);
  saveItem();
  return true;
}

void Workspace::removeProduct(int row) {
  requireLoaded();
  products_.removeAt(row);
  saveItem();
}

void Workspace::setTarget(const QString& buildingGuid) {
  requireLoaded();
  targets_[slot_ - 1] = buildingGuid;
  SaveProperties(paths_.XMLPath, QString::number(amount_), QString::number(cycle_), targets_);
}

void Workspace::setSettings(int amount, int cycle) { amount_ = amount, cycle_ = cycle; }

bool Workspace::singleReset(const std::function<bool()>& confirm) {
  // The item's list is rewritten, never read: one that failed to load is repaired here.
  requireLoaded(true);
  if (!confirm()) return false;
  // Property.xml first: when it can not be changed, the item's list stays as it is.
  SaveItemTarget(paths_.XMLPath, itemGuid(), kDefaultTarget);
  SaveItemContent(paths_.XMLPath, itemGuid(), {});
  return true;
}

}  // namespace bw
