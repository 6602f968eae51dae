#include "app/application.h"
#include "platform/programfolder.h"
#include "ui/mainform.h"
#include "ui/translation.h"

int main(int argc, char** argv) {
  bw::TApplication app(argc, argv);
  bw::InstallGermanTranslation(app);
  const std::string programFolder = bw::ProgramFolder(QCoreApplication::applicationDirPath().toStdString()).string();
  bw::TMainForm MainForm(QString::fromStdString(programFolder));
  MainForm.show();
  return app.exec();
}
