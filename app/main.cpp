#include "app/application.h"
#include "ui/mainform.h"

int main(int argc, char** argv) {
  bw::TApplication app(argc, argv);
  bw::TMainForm MainForm(QCoreApplication::applicationDirPath());
  MainForm.show();
  return app.exec();
}
