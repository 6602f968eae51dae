#include <QScreen>

#include "app/application.h"
#include "platform/programfolder.h"
#include "ui/layoutscale.h"
#include "ui/mainform.h"
#include "ui/translation.h"

int main(int argc, char** argv) {
  bw::TApplication app(argc, argv);
  bw::InstallGermanTranslation(app);
  bw::FitLayout(QGuiApplication::primaryScreen()->availableGeometry().size(), bw::TMainForm::kLargestOuterSize);
  bw::TMainForm MainForm(QString::fromStdString(bw::ProgramFolder(QCoreApplication::applicationDirPath().toStdString())));
  MainForm.show();
  return app.exec();
}
