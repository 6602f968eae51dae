#pragma once

#include <QLabel>
#include <QTreeWidget>

namespace bw {

// A label of a window, named `name`, showing `caption` as plain text.
QLabel* NewLabel(const QString& name, const QString& caption, QWidget* parent);

// Keeps `label` at the natural size of its text, as the layout's captions are: sized now and
// again whenever its font changes or a font is registered (the display font comes after the
// layout is built). QLabel::setText leaves the size alone: a new caption goes through
// SetCaption.
void KeepNaturalSize(QLabel* label);

// Sets the caption of a label of natural size and fits the label to it.
void SetCaption(QLabel* label, const QString& caption);

// A picture control; a click on it emits clicked(), so pictures can act as buttons.
class TImage : public QLabel {
  Q_OBJECT

 public:
  TImage(const QString& name, QWidget* parent);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A list view in report style: whole rows selected, no column headers, no hints, columns of
// the given widths (a width of 0 keeps data out of sight).
class TListView : public QTreeWidget {
  Q_OBJECT

 public:
  TListView(const QString& name, const QList<int>& columnWidths, QWidget* parent);

  // The row at `row`, or null.
  QTreeWidgetItem* Row(int row) const { return topLevelItem(row); }
  int RowCount() const { return topLevelItemCount(); }
  QTreeWidgetItem* Selected() const;
  // Makes `row` the one selected row (null clears the selection).
  void SelectRow(QTreeWidgetItem* row);

  // A list whose rows were all removed starts again at its top.
  void reset() override;

 protected:
  // A press beside the rows keeps the selection: the selected row may be an item's target.
  void mousePressEvent(QMouseEvent* event) override;
  // A double-click is one gesture: the list reacts to its first click only.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool doubleClickPressed_ = false;  // the button went down as the second click of a double-click
};

}  // namespace bw
