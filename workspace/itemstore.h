#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace bw {

// One product of an item, as a row of the item's product list.
struct ItemProduct {
  QString guid;
  QString name;
  QString icon;
  bool operator==(const ItemProduct&) const = default;
};

// Rewrites the item's product list file `XMLPath + itemGuid + ".xml"` whole from `rows`
// (an item without products becomes "<Products/>").
void SaveItemContent(const QString& xmlPath, const QString& itemGuid, const QList<ItemProduct>& rows);

// The rows of the item's product list file, read by attribute position.
QList<ItemProduct> ReadItemProductList(const QString& xmlPath, const QString& itemGuid);

// Writes the amount, the cycle and the six target buildings (slot 1 to 6) into Property.xml,
// changing nothing else. A missing entry fails before anything is saved.
void SaveProperties(const QString& xmlPath, const QString& amount, const QString& cycle,
                    const QStringList& targets);

}  // namespace bw
