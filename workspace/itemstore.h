#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace bw {

class XmlNode;

// One product of an item, as a row of the item's product list.
struct ItemProduct {
  QString guid;
  QString name;
  QString icon;
  bool operator==(const ItemProduct&) const = default;
};

// Rewrites the item's product list file (ItemListPath) whole from `rows` (an item without
// products becomes "<Products/>").
void SaveItemContent(const QString& xmlPath, const QString& itemGuid, const QList<ItemProduct>& rows);

// The rows of the item's product list file, read by attribute position.
QList<ItemProduct> ReadItemProductList(const QString& xmlPath, const QString& itemGuid);

// Every item's target building on a first start and after its reset: the Sägewerk.
inline const QString kDefaultTarget = QStringLiteral("100451");

// The value of the entry `name` in loaded settings (Property.xml): "ProductAmount",
// "ProductCycle", or an item's GUID for its target building. A missing entry raises an
// error naming the file.
QString PropertyValue(const XmlNode& propertyRoot, const QString& name);

// Writes the amount, the cycle and the six target buildings (slot 1 to 6) into Property.xml,
// changing nothing else. A missing entry fails before anything is saved.
void SaveProperties(const QString& xmlPath, const QString& amount, const QString& cycle,
                    const QStringList& targets);

// Writes one item's target building into Property.xml, changing nothing else.
void SaveItemTarget(const QString& xmlPath, const QString& itemGuid, const QString& target);

}  // namespace bw
