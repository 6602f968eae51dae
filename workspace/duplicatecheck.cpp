#include "workspace/duplicatecheck.h"

#include "workspace/paths.h"
#include "workspace/xmldoc.h"

namespace bw {

bool ProductHolders::any() const {
  for (bool held : inItem) {
    if (held) return true;
  }
  return false;
}

ProductHolders FindProductInItems(const QString& xmlPath, const QString& productGuid) {
  ProductHolders holders;
  const QStringList items = ItemGuids();
  for (int k = 0; k < items.size(); ++k) {
    XmlDocument TempList;
    TempList.load(ItemListPath(xmlPath, items[k]), "Products");
    const XmlNode found =
        TempList.root().selectSingle(QStringLiteral("Product[@GUID=\"%1\"]").arg(productGuid));
    if (found) {
      holders.name = found.attr(1);
      holders.icon = found.attr(2);
      holders.inItem[size_t(k)] = true;
    }
  }
  return holders;
}

QString DuplicateQuestion(const ProductHolders& holders) {
  QString text = QStringLiteral("« ") + holders.name + QStringLiteral(" »\r") +
                 QStringLiteral("Diese Ware ist bereits in Item \r\r");
  for (size_t k = 0; k < holders.inItem.size(); ++k) {
    if (holders.inItem[k]) text += QStringLiteral("Item ") + ItemNumeral(int(k) + 1) + QLatin1Char('\r');
  }
  return text + QStringLiteral("\renthalten. Trotzdem hinzugefügen?\r");
}

}  // namespace bw
