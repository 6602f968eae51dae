#pragma once

#include <QString>
#include <QStringList>

#include "workspace/xmldoc.h"

namespace bw {

// Number of child nodes of an item's product list file; 0 means the item holds no products.
int ItemProductCount(const QString& XMLPath, const QString& itemGuid);

// The product GUIDs of an item's product list file (attribute 0 of each row), in file order.
QStringList ItemProductGuids(const QString& XMLPath, const QString& itemGuid);

// German name of a production building, looked up in the loaded Target.xml.
QString TargetName(const XmlNode& TargetsRoot, const QString& targetGuid);

}  // namespace bw
