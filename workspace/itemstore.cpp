#include "workspace/itemstore.h"

#include "workspace/paths.h"
#include "workspace/xmldoc.h"

namespace bw {
namespace {

XmlNode PropertyEntry(const XmlNode& propertyRoot, const QString& name) {
  return propertyRoot.selectSingle(QStringLiteral("Property[@Name=\"%1\"]").arg(name));
}

// Sets the values of the named entries of Property.xml and saves it; a missing entry fails
// before anything is saved.
void SavePropertyValues(const QString& xmlPath, const QList<std::pair<QString, QString>>& entries) {
  const QString path = PropertyFilePath(xmlPath);
  XmlDocument doc;
  doc.load(path, "Properties");
  const XmlNode root = doc.root();
  for (const auto& [name, value] : entries) PropertyEntry(root, name).setAttr(1, value);
  doc.save(path);
}

}  // namespace

void SaveItemContent(const QString& xmlPath, const QString& itemGuid, const QList<ItemProduct>& rows) {
  const QString path = ItemListPath(xmlPath, itemGuid);
  QStringList lines{QStringLiteral("<Products>")};
  for (const ItemProduct& p : rows) {
    const QString owner = QStringLiteral("Die Ware „%1“ für die Datei „%2“").arg(p.guid, path);
    lines << QStringLiteral("<Product GUID=\"%1\" Name=\"%2\" Icon=\"%3\" ItemGUID=\"%4\"/>")
                 .arg(XmlEscape(p.guid, owner), XmlEscape(p.name, owner), XmlEscape(p.icon, owner),
                      XmlEscape(itemGuid, owner));
  }
  lines << QStringLiteral("</Products>");
  WriteXmlLines(path, lines);
}

QList<ItemProduct> ReadItemProductList(const QString& xmlPath, const QString& itemGuid) {
  XmlDocument doc;
  doc.load(ItemListPath(xmlPath, itemGuid), "Products");
  QList<ItemProduct> rows;
  for (const XmlNode& node : doc.root().children()) rows.append({node.attr(0), node.attr(1), node.attr(2)});
  return rows;
}

QString PropertyValue(const XmlNode& propertyRoot, const QString& name) {
  return PropertyEntry(propertyRoot, name).attr(1);
}

void SaveProperties(const QString& xmlPath, const QString& amount, const QString& cycle,
                    const QStringList& targets) {
  QList<std::pair<QString, QString>> entries{{QStringLiteral("ProductAmount"), amount},
                                             {QStringLiteral("ProductCycle"), cycle}};
  const QStringList items = ItemGuids();
  for (int i = 0; i < items.size(); ++i) entries.append({items[i], targets.value(i)});
  SavePropertyValues(xmlPath, entries);
}

void SaveItemTarget(const QString& xmlPath, const QString& itemGuid, const QString& target) {
  SavePropertyValues(xmlPath, {{itemGuid, target}});
}

}  // namespace bw
