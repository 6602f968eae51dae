#include "app/application.h"
#include "ui/mainform.h"
#include "ui/translation.h"

int main(int argc, char** argv) {
  bw::TApplication app(argc, argv);
  bw::InstallGermanTranslation(app);
  bw::TMainForm MainForm(QCoreApplication::applicationDirPath());
  MainForm.show();
  return app.exec();
}
