#include "ui/errorreport.h"

#include <QApplication>
#include <QMessageBox>

#include "workspace/error.h"

namespace bw {

void ReportError(const std::exception& error) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Brennwick"), ErrorMessage(error), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("ErrorReport"));
  box.exec();
}

bool Reported(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const std::exception& error) {
    ReportError(error);
    return false;
  }
}

}  // namespace bw
