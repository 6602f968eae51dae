#include "ui/controls.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace bw {

TLabel::TLabel(const QString& name, const QString& caption, QWidget* parent, bool autoSize)
    : QLabel(caption, parent), autoSize_(autoSize) {
  setObjectName(name);
  setTextFormat(Qt::PlainText);
  if (autoSize_) adjustSize();
}

void TLabel::setText(const QString& caption) {
  QLabel::setText(caption);
  if (autoSize_) adjustSize();
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
  for (int i = 0; i < columnWidths.size(); ++i) setColumnWidth(i, columnWidths[i]);
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

void TListView::SelectRow(QTreeWidgetItem* row) {
  clearSelection();
  if (!row) return;
  setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
  row->setSelected(true);
}

}  // namespace bw
