#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "tests/testsupport.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace bw {
class TMainForm;
}

namespace bw::test {

// The main window started on a program folder of its own and shown.
struct ShownWindow {
  ShownWindow();
  ~ShownWindow();
  ProgramFolder folder;
  std::unique_ptr<TMainForm> form;
};

// Clicks a row of a list view as a user does, after scrolling it into view.
void ClickRow(QTreeWidget* view, QTreeWidgetItem* row);
// Double-clicks a row, after scrolling it into view. The clicks go to the window, so the view
// gets what a real double-click gives it: press, release, double-click, release.
void DoubleClickRow(QTreeWidget* view, QTreeWidgetItem* row);
// The first row whose caption (its GUID) is `guid`, or null.
QTreeWidgetItem* RowWithCaption(const QTreeWidget* view, const QString& guid);
// Clicks into a list view where no row is.
void ClickBesideRows(QTreeWidget* view);

// Closes every modal window that comes up while it lives and keeps its texts, for steps
// that must not ask anything.
class ModalWatch {
 public:
  ModalWatch();
  const QStringList& seen() const { return seen_; }

 private:
  QTimer timer_;
  QStringList seen_;
};

}  // namespace bw::test
