#include "app/application.h"

#include <QStyleFactory>

namespace bw {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The plain system style, as the window's layout was drawn for.
  setStyle(QStyleFactory::create(QStringLiteral("Windows")));
}

}  // namespace bw
