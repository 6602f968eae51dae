#include "tests/catalog/catalogfolder.h"

#include <QDir>

#include "workspace/xmldoc.h"

namespace bw::test {

CatalogFolder::CatalogFolder() {
  for (const QString& folder : {paths.ORGPath, paths.TMPPath, paths.ICOPATH, paths.XMLPath, icons}) {
    QDir().mkpath(folder);
  }
}

void CatalogFolder::org(const QString& name, const QByteArray& bytes) const { WriteBytes(paths.ORGPath + name, bytes); }

QByteArray CatalogFolder::tmp(const QString& name) const { return ReadBytes(paths.TMPPath + name); }

QByteArray CatalogFolder::xml(const QString& name) const { return ReadBytes(paths.XMLPath + name); }

void CatalogFolder::copyFixture() const {
  const QString fixtureOrg = QStringLiteral(BRENNWICK_SOURCE_DIR "/tests/fixtures/catalog/ORG/");
  for (const QString& name : QDir(fixtureOrg).entryList(QDir::Files)) {
    WriteBytes(paths.ORGPath + name, ReadBytes(fixtureOrg + name));
  }
}

QByteArray El(const char* name, const char* value) {
  if (!value) return {};
  return QByteArray("<") + name + ">" + XmlEscape(QString::fromUtf8(value), QString::fromUtf8(name)).toUtf8() + "</" +
         name + ">";
}

QByteArray ProductDump(const std::vector<Good>& goods) {
  QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Assets>\n";
  for (const Good& g : goods) {
    xml += "<Asset><Template>Product</Template><Values><Standard>" + El("GUID", g.guid) +
           El("IconFilename", g.icon) + "</Standard>";
    if (g.dlc) xml += "<Locked>" + El("DLCDependency", g.dlc) + "</Locked>";
    if (g.category) xml += "<Product>" + El("ProductCategory", g.category) + "</Product>";
    xml += "</Values></Asset>\n";
  }
  return xml + "</Assets>\n";
}

QByteArray TextDump(const std::vector<std::pair<const char*, const char*>>& texts) {
  QByteArray xml = "<TextExport><Texts>";
  for (const auto& [guid, text] : texts) xml += "<Text>" + El("GUID", guid) + El("Text", text) + "</Text>";
  return xml + "</Texts></TextExport>";
}

}  // namespace bw::test
