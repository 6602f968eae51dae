#pragma once

#include <QString>
#include <QStringList>

#include "workspace/workspace.h"
#include "workspace/xmldoc.h"

namespace bw {

// What the mod is made from: the workspace folder, the amount and the cycle as texts, the
// target buildings of slots 1 to 6 and the root of Target.xml as the workspace holds it.
struct ModSettings {
  QString XMLPath;
  QString amount;
  QString cycle;
  QStringList targets;
  XmlNode TargetsRoot;
};

// The mod as the workspace holds it, and as the game's mods folder holds it.
QString ModTemplateFolder(const QString& XMLPath);
QString DeployedModFolder(const QString& MODPath);

// Writes "assets.xml" of the mod template: the item assets of the slots holding products,
// the unlock trigger, the reward pool and Eli Blackworth's offer. Stores the settings and
// raises the trigger counter in Property.xml first; if a later step fails, the old file
// stays and the counter stays raised.
void CreateItemsXML(const ModSettings& settings);

// Writes "texts_german.xml" of the mod template: name and description of every item that
// holds products.
void CreateItemsTextXML(const ModSettings& settings);

// "Modifikationen erzeugen": with products in any slot, both files are generated, the
// settings stored and the deployed mod replaced by a complete copy of the template; without
// products the deployed mod is removed and nothing else touched. Failures raise bw::Error
// and leave the deployed mod as it was.
void CreateItems(const ModSettings& settings, const QString& MODPath);
// The same for the workspace as it stands, into its game's mods folder; refused while it is
// not wholly loaded.
void CreateItems(const Workspace& workspace);

}  // namespace bw
