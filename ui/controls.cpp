#include "ui/controls.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <utility>

namespace bw {
namespace {

// QLabel keeps the size it measured until its text changes, whatever happens to the font.
void Remeasure(QLabel* label) {
  const QString caption = label->text();
  label->clear();
  label->setText(caption);
  label->adjustSize();
}

// Watches a label for changes of its font and for newly registered fonts.
class NaturalSize : public QObject {
 public:
  explicit NaturalSize(QLabel* label) : QObject(label) {
    label->installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, [label] { Remeasure(label); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FontChange) Remeasure(static_cast<QLabel*>(watched));
    return false;
  }
};

}  // namespace

QLabel* NewLabel(const QString& name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

void KeepNaturalSize(QLabel* label) {
  new NaturalSize(label);
  label->adjustSize();
}

void SetCaption(QLabel* label, const QString& caption) {
  label->setText(caption);
  label->adjustSize();
}

TImage::TImage(const QString& name, QWidget* parent) : QLabel(parent) { setObjectName(name); }

void TImage::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

TListView::TListView(const QString& name, const QList<int>& columnWidths, QWidget* parent) : QTreeWidget(parent) {
  setObjectName(name);
  setColumnCount(static_cast<int>(columnWidths.size()));
  header()->hide();
  header()->setStretchLastSection(false);
  // Otherwise a column narrower than the widest character of the system font is widened to it:
  // with Windows' dialog font the list then needs a horizontal scroll bar.
  header()->setMinimumSectionSize(0);
  for (int i = 0; i < columnWidths.size(); ++i) setColumnWidth(i, columnWidths[i]);
  // The columns fit the list. Shown smaller, they would lose a few pixels to the vertical
  // scroll bar, which keeps the system's size, and ask for a horizontal one.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setRootIsDecorated(false);
  setIndentation(0);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAllColumnsShowFocus(true);
}

QTreeWidgetItem* TListView::Selected() const {
  const QList<QTreeWidgetItem*> rows = selectedItems();
  return rows.isEmpty() ? nullptr : rows.first();
}

void TListView::reset() {
  QTreeWidget::reset();
  // The scroll bar learns the new row count only when the view lays itself out again, after
  // this pass of the event loop: rows added before then would show at the old position.
  verticalScrollBar()->setValue(0);
}

void TListView::mousePressEvent(QMouseEvent* event) {
  doubleClickPressed_ = false;
  if (!indexAt(event->position().toPoint()).isValid()) {
    event->accept();
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

void TListView::mouseDoubleClickEvent(QMouseEvent* event) {
  // Taken as a press, the second click would act on whatever row now lies under the mouse:
  // the one below a row that the first click removed.
  doubleClickPressed_ = true;
  event->accept();
}

void TListView::mouseReleaseEvent(QMouseEvent* event) {
  // The view still finishes the gesture; it only reports no second click.
  const QSignalBlocker noSecondClick(std::exchange(doubleClickPressed_, false) ? this : nullptr);
  QTreeWidget::mouseReleaseEvent(event);
}

void TListView::SelectRow(QTreeWidgetItem* row) {
  clearSelection();
  if (!row) return;
  setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
  row->setSelected(true);
}

}  // namespace bw
