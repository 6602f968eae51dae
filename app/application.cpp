#include "app/application.h"

#include <QStyleFactory>

#include "ui/errorreport.h"

namespace bw {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The plain system style, as the window's layout was drawn for.
  setStyle(QStyleFactory::create(QStringLiteral("Windows")));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportError(error);
  }
  return false;
}

}  // namespace bw
