// texts_german.xml of the mod: name and description of every item that holds products.
#include "modgen/createitems.h"
#include "modgen/itemslots.h"
#include "workspace/paths.h"

namespace bw {

void CreateItemsTextXML(const ModSettings& s) {
  const QString path = ModTemplateFolder(s.XMLPath) + QStringLiteral("/data/config/gui/texts_german.xml");
  QStringList TextXML{QStringLiteral("<ModOps>")};
  const QStringList ItemID = ItemGuids();
  for (int slot = 1; slot <= ItemID.size(); ++slot) {
    const QString& G = ItemID[slot - 1];
    if (ItemProductCount(s.XMLPath, G) == 0) continue;
    const QString building =
        XmlEscape(TargetName(s.TargetsRoot, s.targets.value(slot - 1)),
                  QStringLiteral("Der Name des Zielgebäudes von Item %1 für die Datei „%2“").arg(slot).arg(path));
    TextXML << QStringLiteral("<ModOp Type=\"add\" Path=\"/TextExport/Texts\">") << QStringLiteral("<Text>")
            << QStringLiteral("<GUID>") + G + QStringLiteral("</GUID>")
            << QStringLiteral("<Text>Materialitem %1</Text>").arg(slot) << QStringLiteral("</Text>")
            << QStringLiteral("</ModOp>") << QStringLiteral("<ModOp Type=\"add\" Path=\"/TextExport/Texts\">")
            << QStringLiteral("<Text>") << QStringLiteral("<GUID>%1</GUID>").arg(G.toLongLong() + 1)
            << QStringLiteral("<Text>Funktionsitem zur zusätzlichen Materialerzeugung im Gebäude : ") + building +
                   QStringLiteral("</Text>")
            << QStringLiteral("</Text>") << QStringLiteral("</ModOp>");
  }
  TextXML << QStringLiteral("</ModOps>");
  WriteXmlLines(path, TextXML);
}

}  // namespace bw
