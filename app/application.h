#pragma once

#include <QApplication>

namespace bw {

// The application object, in the plain system style. Errors never reach it: each handler
// reports its own (Handled in ui/errorreport.h).
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
};

}  // namespace bw
