#include "modgen/createitems.h"

#include "modgen/deploy.h"
#include "modgen/itemslots.h"
#include "workspace/error.h"
#include "workspace/itemstore.h"
#include "workspace/paths.h"

namespace bw {

QString ModTemplateFolder(const QString& XMLPath) { return XMLPath + kModFolderName; }

QString DeployedModFolder(const QString& MODPath) { return MODPath + QLatin1Char('/') + kModFolderName; }

void CreateItems(const ModSettings& settings, const QString& MODPath) {
  // Without the game's folder the mod folder would land at the file system's root.
  if (MODPath.isEmpty()) throw Error(QStringLiteral("Der Mod-Ordner des Spiels ist nicht bekannt."), "EFileError");

  bool MakeItems = false;
  for (const QString& guid : ItemGuids()) {
    if (ItemProductCount(settings.XMLPath, guid) > 0) MakeItems = true;
  }
  if (!MakeItems) {
    RemoveDeployedFolder(DeployedModFolder(MODPath));
    return;
  }
  CreateItemsXML(settings);
  CreateItemsTextXML(settings);
  SaveProperties(settings.XMLPath, settings.amount, settings.cycle, settings.targets);
  DeployFolder(ModTemplateFolder(settings.XMLPath), DeployedModFolder(MODPath));
}

void CreateItems(const Workspace& workspace) {
  workspace.requireLoaded();
  CreateItems({workspace.paths().XMLPath, QString::number(workspace.amount()), QString::number(workspace.cycle()),
               workspace.targets(), workspace.targetsRoot()},
              workspace.modPath());
}

}  // namespace bw
