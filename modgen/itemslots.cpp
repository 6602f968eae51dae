#include "modgen/itemslots.h"

#include "workspace/error.h"
#include "workspace/paths.h"

namespace bw {

int ItemProductCount(const QString& XMLPath, const QString& itemGuid) {
  XmlDocument doc;
  doc.load(ItemListPath(XMLPath, itemGuid), "Products");
  return doc.root().childCount();
}

QStringList ItemProductGuids(const QString& XMLPath, const QString& itemGuid) {
  XmlDocument doc;
  doc.load(ItemListPath(XMLPath, itemGuid), "Products");
  QStringList guids;
  for (const XmlNode& row : doc.root().children()) guids << row.attr(0);
  return guids;
}

QString TargetName(const XmlNode& TargetsRoot, const QString& targetGuid) {
  const XmlNode row = TargetsRoot.selectSingle(QStringLiteral("Target[@GUID=\"") + targetGuid + QStringLiteral("\"]"));
  if (!row) {
    throw Error(QStringLiteral("Das Zielgebäude „%1“ steht nicht in der Datei „%2“.").arg(targetGuid, TargetsRoot.file()),
                "EXmlError");
  }
  return row.attr(1);
}

}  // namespace bw
