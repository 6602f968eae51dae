#include <QScreen>

#include "app/application.h"
#include "platform/programfolder.h"
#include "ui/layoutscale.h"
#include "ui/mainform.h"
#include "ui/translation.h"

int main(int argc, char** argv) {
  bw::TApplication app(argc, argv);
  bw::InstallGermanTranslation(app);
  // A pixel to spare: on a scaled screen the window's frame and size are each rounded to
  // whole pixels, which can make a window that just fits one pixel larger.
  bw::FitLayout(QGuiApplication::primaryScreen()->availableGeometry().size() - QSize(1, 1),
                bw::TMainForm::kLargestOuterSize);
  bw::TMainForm MainForm(QString::fromStdString(bw::ProgramFolder(QCoreApplication::applicationDirPath().toStdString())));
  // A start refused before the window opened (a second copy, no game) ends the program.
  if (!MainForm.started()) return 1;
  MainForm.show();
  return app.exec();
}
