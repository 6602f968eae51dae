#include "ui/mainform.h"

#include <QDir>

#include "app/build.h"
#include "app/platform/version.h"
#include "app/startwithregistry.h"
#include "ui/errorreport.h"

namespace bw {

TMainForm::TMainForm(const QString& programFolder, QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Brennwick"));
  try {
    FormCreate(programFolder);
  } catch (const std::exception& error) {
    // The sequence ends at the failing step; the window opens with what was set up.
    ReportError(error);
  }
}

void TMainForm::FormCreate(const QString& programFolder) {
  Paths = WorkspacePaths::FromProgramFolder(programFolder);
  const GameFolders game = StartWithRegistry(Paths.PrgPath, QString::fromStdString(ProgramVersion()));
  GAMEPATH = game.GAMEPATH, MODPath = game.MODPath;
  if (!QDir(Paths.XMLPath).exists()) Build(Paths.PrgPath);
  resize(1664, 946);
  ItemID = ItemGuids();
  PropertyList.load(Paths.XMLPath + QStringLiteral("Property.xml"));
  PropertyRoot = PropertyList.root();
  TargetsList.load(Paths.XMLPath + QStringLiteral("Target.xml"));
  TargetsRoot = TargetsList.root();
}

}  // namespace bw
