#include "workspace/itemstore.h"

#include "workspace/paths.h"
#include "workspace/xmldoc.h"

namespace bw {

void SaveItemContent(const QString& xmlPath, const QString& itemGuid, const QList<ItemProduct>& rows) {
  QStringList lines{QStringLiteral("<Products>")};
  for (const ItemProduct& p : rows) {
    lines << QStringLiteral("<Product GUID=\"%1\" Name=\"%2\" Icon=\"%3\" ItemGUID=\"%4\"/>")
                 .arg(XmlEscape(p.guid), XmlEscape(p.name), XmlEscape(p.icon), XmlEscape(itemGuid));
  }
  lines << QStringLiteral("</Products>");
  WriteXmlLines(xmlPath + itemGuid + QStringLiteral(".xml"), lines);
}

QList<ItemProduct> ReadItemProductList(const QString& xmlPath, const QString& itemGuid) {
  XmlDocument doc;
  doc.load(xmlPath + itemGuid + QStringLiteral(".xml"), "Products");
  QList<ItemProduct> rows;
  for (const XmlNode& node : doc.root().children()) rows.append({node.attr(0), node.attr(1), node.attr(2)});
  return rows;
}

void SaveProperties(const QString& xmlPath, const QString& amount, const QString& cycle,
                    const QStringList& targets) {
  const QString path = xmlPath + QStringLiteral("Property.xml");
  XmlDocument doc;
  doc.load(path, "Properties");
  const XmlNode root = doc.root();
  QList<std::pair<QString, QString>> entries{{QStringLiteral("ProductAmount"), amount},
                                             {QStringLiteral("ProductCycle"), cycle}};
  const QStringList items = ItemGuids();
  for (int i = 0; i < items.size(); ++i) entries.append({items[i], targets.value(i)});
  for (const auto& [name, value] : entries) {
    root.selectSingle(QStringLiteral("Property[@Name=\"%1\"]").arg(name)).setAttr(1, value);
  }
  doc.save(path);
}

}  // namespace bw
