#pragma once

#include <gtest/gtest.h>

#include <QSpinBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "tests/testsupport.h"
#include "ui/controls.h"
#include "ui/mainform.h"

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace bw::test {

// The control of a window with this objectName and type, found as a test finds it; null, and
// the test failed, when there is none.
template <class T = QWidget>
T* Control(const QWidget& window, const char* name) {
  T* control = window.findChild<T*>(QLatin1String(name));
  if (!control) ADD_FAILURE() << "no control " << name;
  return control;
}

// The main window's controls that tests work with, each found by its objectName.
struct MainControls {
  explicit MainControls(const QWidget& window) : window(window) {}
  const QWidget& window;
  TListView* const SelectionView = Control<TListView>(window, "SelectionView");
  TListView* const ProductView = Control<TListView>(window, "ProductView");
  TListView* const ItemProductView = Control<TListView>(window, "ItemProductView");
  TListView* const TargetsView = Control<TListView>(window, "TargetsView");
  QToolButton* const Item1Btn = Control<QToolButton>(window, "Item1Btn");
  QToolButton* const Item2Btn = Control<QToolButton>(window, "Item2Btn");
  QToolButton* const Item3Btn = Control<QToolButton>(window, "Item3Btn");
  QToolButton* const Item4Btn = Control<QToolButton>(window, "Item4Btn");
  QToolButton* const Item5Btn = Control<QToolButton>(window, "Item5Btn");
  QToolButton* const Item6Btn = Control<QToolButton>(window, "Item6Btn");
  QToolButton* const Region1Btn = Control<QToolButton>(window, "Region1Btn");
  QToolButton* const Region2Btn = Control<QToolButton>(window, "Region2Btn");
  QToolButton* const Region3Btn = Control<QToolButton>(window, "Region3Btn");
  QToolButton* const Region4Btn = Control<QToolButton>(window, "Region4Btn");
  QSpinBox* const ProductAmountBox = Control<QSpinBox>(window, "ProductAmountBox");
  QSpinBox* const ProductCycleBox = Control<QSpinBox>(window, "ProductCycleBox");
  QLabel* const Version = Control<QLabel>(window, "Version");
  QLabel* const ItemProductViewLabel = Control<QLabel>(window, "ItemProductViewLabel");
  QLabel* const TargetViewLabel = Control<QLabel>(window, "TargetViewLabel");
  QLabel* const TargetLabel = Control<QLabel>(window, "TargetLabel");
  TImage* const SingleResetImg = Control<TImage>(window, "SingleResetImg");
  TImage* const FullResetImg = Control<TImage>(window, "FullResetImg");
};

// The main window started on a program folder of its own and shown.
struct ShownWindow {
  ShownWindow();
  ~ShownWindow();
  template <class T = QWidget>
  T* control(const char* name) const {
    return Control<T>(*form, name);
  }
  ProgramFolder folder;
  std::unique_ptr<TMainForm> form;
  const MainControls ui{*form};
};

// Answers the next modal window the way a user would: once it is up, `action` runs on it
// (for example clicking one of its buttons). Texts seen are collected for the test.
void OnNextModal(std::function<void(QWidget*)> action);

// Clicks the button with the given text (or objectName) in the next modal window and
// returns, through `seenText`, every label text that window showed.
void ClickInNextModal(const QString& button, QStringList* seenText = nullptr);

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
