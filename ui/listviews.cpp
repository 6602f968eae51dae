// The four lists of the main window: filled from the workspace catalogues, sorted by name,
// the current target building shown and scrolled into view.
#include <QAbstractButton>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "ui/controls.h"
#include "ui/layoutscale.h"
#include "ui/mainform.h"
#include "ui/namecompare.h"
#include "workspace/error.h"

namespace bw {
namespace {

constexpr int kImageIndexRole = Qt::UserRole;

}  // namespace

QTreeWidgetItem* TMainForm::AddListRow(QTreeWidget* view, const QString& caption, const QString& subItem0,
                                       const QString& subItem1, const QString& iconName) {
  auto* row = new QTreeWidgetItem(view, QStringList{caption, subItem0, subItem1});
  const int index = images_.ImageList.IndexOf(iconName);
  row->setData(0, kImageIndexRole, index);
  row->setIcon(0, images_.ImageList.Icon(index));
  return row;
}

int TMainForm::ImageIndex(const QTreeWidgetItem* row, int column) {
  const QVariant index = row->data(column, kImageIndexRole);
  return index.isValid() ? index.toInt() : -1;
}

void TMainForm::CreateSelectionView() {
  const QList<CatalogueRow> groups = workspace_.groups();
  SelectionView->clear();
  for (const CatalogueRow& group : groups) AddListRow(SelectionView, group.guid, group.name, {}, group.icon);
}

void TMainForm::CreateProductView(const QString& groupGuid) {
  const QList<CatalogueRow> products = workspace_.productsOf(groupGuid);
  ProductView->clear();
  for (const CatalogueRow& product : products) AddListRow(ProductView, product.guid, product.name, product.icon, product.icon);
  ColumnToSort = 1;
  SortView(ProductView, &TMainForm::ProductViewCompare);
}

void TMainForm::AddProductToItemProductView(const QString& productGuid) {
  workspace_.appendProduct(productGuid);
  ShowItemProducts();
}

void TMainForm::CreateTargetsView(const QString& region) {
  const QList<CatalogueRow> buildings = workspace_.buildingsIn(region);
  TargetsView->clear();
  for (const CatalogueRow& building : buildings) {
    QTreeWidgetItem* row = AddListRow(TargetsView, building.guid, building.name, building.extra, building.icon);
    // The region's picture beside the building's name.
    const int regionIndex = images_.ImageList.IndexOf(building.extra);
    row->setData(1, kImageIndexRole, regionIndex);
    row->setIcon(1, images_.ImageList.Icon(regionIndex));
  }
  ColumnToSort = 1;
  SortView(TargetsView, &TMainForm::TargetsViewCompare);
}

void TMainForm::GetTargetNameAndPosition(const QString& buildingGuid) {
  const CatalogueRow building = workspace_.building(buildingGuid);
  const QString& region = building.extra;
  auto* regionButton = findChild<QAbstractButton*>(QStringLiteral("Region") + region.right(1) + QStringLiteral("Btn"));
  if (!regionButton) {
    throw Error(QStringLiteral("Das Zielgebäude „%1“ hat die unbekannte Region „%2“.").arg(buildingGuid, region));
  }
  regionButton->setChecked(true);
  CreateTargetsView(region);
  for (int i = 0; i < TargetsView->RowCount(); ++i) {
    QTreeWidgetItem* row = TargetsView->Row(i);
    if (row->text(0) == buildingGuid) {
      TargetsView->SelectRow(row);
      TargetsView->scrollToItem(row, QAbstractItemView::EnsureVisible);
      break;
    }
  }
  SetCaption(TargetLabel, QStringLiteral("Ziel : ") + building.name);
}

void TMainForm::ScrollListView(QTreeWidget* view) {
  const int rows = view->topLevelItemCount();
  if (rows < 2) return;
  const int rowHeight = view->visualItemRect(view->topLevelItem(1)).top() - view->visualItemRect(view->topLevelItem(0)).top();
  // The viewport's own height is only known once the view is on screen; this one is known
  // from the start and equal to it, as the lists never need a horizontal scroll bar.
  const int fitting = view->maximumViewportSize().height() / rowHeight;
  if (fitting >= rows) return;
  const QList<QTreeWidgetItem*> selected = view->selectedItems();
  if (selected.isEmpty()) return;
  const int selectedRow = view->indexOfTopLevelItem(selected.first());
  const int topRow = view->indexAt(QPoint(0, 0)).row();
  const int half = (fitting + 1) / 2;
  const int dy = rowHeight * (selectedRow - qMax(topRow, 0) - half);
  // The list scrolls by whole rows, rounding to the nearest.
  const int scrollRows = static_cast<int>(std::lround(static_cast<double>(dy + Scaled(60)) / rowHeight));
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + scrollRows);
}

int TMainForm::ProductViewCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const {
  const int column = ColumnToSort;  // 0: caption; n: sub-item n − 1, which is column n
  return CompareNamesAZ(item1->text(column), item2->text(column));
}

int TMainForm::TargetsViewCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const {
  return ProductViewCompare(item1, item2);
}

void TMainForm::SortView(QTreeWidget* view,
                         int (TMainForm::*compare)(const QTreeWidgetItem*, const QTreeWidgetItem*) const) {
  QList<QTreeWidgetItem*> rows;
  while (view->topLevelItemCount() > 0) rows << view->takeTopLevelItem(0);
  // Stable, so rows with equal names keep their file order.
  std::stable_sort(rows.begin(), rows.end(),
                   [this, compare](const QTreeWidgetItem* a, const QTreeWidgetItem* b) { return (this->*compare)(a, b) < 0; });
  view->addTopLevelItems(rows);
}

}  // namespace bw
