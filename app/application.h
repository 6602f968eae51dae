#pragma once

#include <QApplication>

namespace bw {

// The application object: every error that no step handles ends up in its notify, which
// shows the message and keeps the window running.
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace bw
