#pragma once

#include <QString>
#include <QStringList>

namespace bw {

// The program folder and its four subfolders, each with exactly one trailing delimiter.
struct WorkspacePaths {
  QString PrgPath;
  QString ORGPath;
  QString XMLPath;
  QString TMPPath;
  QString ICOPATH;

  static WorkspacePaths FromProgramFolder(const QString& folder);
};

// Folder with exactly one trailing delimiter.
QString WithTrailingDelimiter(const QString& folder);

// The six item GUIDs of slots 1 to 6.
QStringList ItemGuids();

// The numeral an item slot is shown with: "I" for slot 1 to "VI" for slot 6.
QString ItemNumeral(int slot);

// The name of the mod folder, in the workspace and in the game's mods folder.
inline const QString kModFolderName = QStringLiteral("[Brennwick] Materials");

// The files of the workspace folder `xmlPath`: the catalogues of products, product groups
// and target buildings, the settings, and an item's product list (named by its GUID).
inline QString ProductsFilePath(const QString& xmlPath) { return xmlPath + QStringLiteral("Products.xml"); }
inline QString SessionsFilePath(const QString& xmlPath) { return xmlPath + QStringLiteral("Sessions.xml"); }
inline QString TargetFilePath(const QString& xmlPath) { return xmlPath + QStringLiteral("Target.xml"); }
inline QString PropertyFilePath(const QString& xmlPath) { return xmlPath + QStringLiteral("Property.xml"); }
inline QString ItemListPath(const QString& xmlPath, const QString& itemGuid) {
  return xmlPath + itemGuid + QStringLiteral(".xml");
}

}  // namespace bw
