// Editing the six items: choosing the slot, the group, the region, adding and removing
// products and choosing the target building. Every change is written through at once.
#include <QSpinBox>
#include <QToolButton>

#include "modgen/createitems.h"
#include "ui/controls.h"
#include "ui/errorreport.h"
#include "ui/mainform.h"
#include "ui/messageform.h"
#include "workspace/duplicatecheck.h"
#include "workspace/itemstore.h"

namespace bw {

void TMainForm::ConnectEditingHandlers() {
  void (TMainForm::*itemHandlers[])() = {&TMainForm::Item1BtnClick, &TMainForm::Item2BtnClick,
                                         &TMainForm::Item3BtnClick, &TMainForm::Item4BtnClick,
                                         &TMainForm::Item5BtnClick, &TMainForm::Item6BtnClick};
  QToolButton* itemButtons[] = {Item1Btn, Item2Btn, Item3Btn, Item4Btn, Item5Btn, Item6Btn};
  for (int i = 0; i < 6; ++i) connect(itemButtons[i], &QToolButton::clicked, this, Handled(this, itemHandlers[i]));
  void (TMainForm::*regionHandlers[])() = {&TMainForm::Region1BtnClick, &TMainForm::Region2BtnClick,
                                           &TMainForm::Region3BtnClick, &TMainForm::Region4BtnClick};
  QToolButton* regionButtons[] = {Region1Btn, Region2Btn, Region3Btn, Region4Btn};
  for (int i = 0; i < 4; ++i) connect(regionButtons[i], &QToolButton::clicked, this, Handled(this, regionHandlers[i]));
  // Only a click on a row reports: a click beside the rows changes nothing.
  connect(SelectionView, &QTreeWidget::itemClicked, this, Handled(this, &TMainForm::SelectionClick));
  connect(ProductView, &QTreeWidget::itemClicked, this, Handled(this, &TMainForm::ProductViewClick));
  connect(ItemProductView, &QTreeWidget::itemClicked, this, Handled(this, &TMainForm::ItemProductViewClick));
  connect(TargetsView, &QTreeWidget::itemClicked, this, Handled(this, &TMainForm::TargetsViewClick));
  connect(SingleResetImg, &TImage::clicked, this, Handled(this, &TMainForm::SingleResetImgClick));
  connect(FullResetImg, &TImage::clicked, this, Handled(this, &TMainForm::FullResetImgClick));
}

void TMainForm::SaveItemContent() {
  QList<ItemProduct> rows;
  for (int i = 0; i < ItemProductView->RowCount(); ++i) {
    const QTreeWidgetItem* row = ItemProductView->Row(i);
    rows.append({row->text(0), row->text(1), row->text(2)});
  }
  bw::SaveItemContent(Paths.XMLPath, ItemGUID, rows);
}

void TMainForm::ReadItemProductList() {
  // Emptied first: an item list that fails to load leaves the list empty.
  ItemProductView->clear();
  for (const ItemProduct& p : bw::ReadItemProductList(Paths.XMLPath, ItemGUID)) {
    AddListRow(ItemProductView, p.guid, p.name, p.icon, p.icon);
  }
}

ModSettings TMainForm::CurrentSettings() const {
  // The boxes' values, never a half-typed text: an empty box would store an empty number.
  QStringList targets;
  for (const QLabel* label : {Item1Target, Item2Target, Item3Target, Item4Target, Item5Target, Item6Target}) {
    targets << label->text();
  }
  return {Paths.XMLPath, QString::number(ProductAmountBox->value()), QString::number(ProductCycleBox->value()),
          targets, TargetsRoot};
}

void TMainForm::SaveProperties() {
  const ModSettings settings = CurrentSettings();
  bw::SaveProperties(settings.XMLPath, settings.amount, settings.cycle, settings.targets);
}

bool TMainForm::CheckForDoubleSelection(const QString& productGuid) {
  const ProductHolders holders = FindProductInItems(Paths.XMLPath, productGuid);
  if (!holders.any()) return true;
  const TImageCollection& pictures = images_.ImageCollection;
  return MessageForm->Ask(QStringLiteral("Frage"), pictures.GetScaledImage(pictures.IndexOf(holders.icon), 64, 64),
                          DuplicateQuestion(holders), QStringLiteral("Ja"), QStringLiteral("Nein"));
}

void TMainForm::ItemBtnClick(int slot) {
  Loading(itemNotLoaded_, [&] {
    LoadPropertyList();
    ItemGUID = ItemID.value(slot - 1);
    IsItem = QString::number(slot);
    Loading(itemListNotLoaded_, [&] { ReadItemProductList(); });
    const QString numeral = ItemNumeral(slot);
    SetCaption(ItemProductViewLabel, QStringLiteral("Produktlist des Items ") + numeral);
    SetCaption(TargetViewLabel, QStringLiteral("Zielgebäude des Items ") + numeral);
    SingleResetImg->setToolTip(QStringLiteral("Item ") + numeral + QStringLiteral(" zurücksetzen"));
    const QString target = PropertyValue(PropertyList.root(), ItemGUID);
    findChild<QLabel*>(QStringLiteral("Item%1Target").arg(slot))->setText(target);
    GetTargetNameAndPosition(target);
    ScrollListView(TargetsView);
  });
}

void TMainForm::Item1BtnClick() { ItemBtnClick(1); }
void TMainForm::Item2BtnClick() { ItemBtnClick(2); }
void TMainForm::Item3BtnClick() { ItemBtnClick(3); }
void TMainForm::Item4BtnClick() { ItemBtnClick(4); }
void TMainForm::Item5BtnClick() { ItemBtnClick(5); }
void TMainForm::Item6BtnClick() { ItemBtnClick(6); }

void TMainForm::Region1BtnClick() { CreateTargetsView(QStringLiteral("Region1")); }
void TMainForm::Region2BtnClick() { CreateTargetsView(QStringLiteral("Region2")); }
void TMainForm::Region3BtnClick() { CreateTargetsView(QStringLiteral("Region3")); }
void TMainForm::Region4BtnClick() { CreateTargetsView(QStringLiteral("Region4")); }

void TMainForm::SelectionClick() {
  if (const QTreeWidgetItem* group = SelectionView->Selected()) CreateProductView(group->text(0));
}

void TMainForm::ProductViewClick() {
  const QTreeWidgetItem* product = ProductView->Selected();
  if (!product) return;
  RequireLoadedWorkspace();
  const QString guid = product->text(0);
  if (!CheckForDoubleSelection(guid)) return;
  AddProductToItemProductView(guid);
  SaveItemContent();
}

void TMainForm::ItemProductViewClick() {
  QTreeWidgetItem* product = ItemProductView->Selected();
  if (!product) return;
  RequireLoadedWorkspace();
  delete product;
  SaveItemContent();
}

void TMainForm::TargetsViewClick() {
  const QTreeWidgetItem* building = TargetsView->Selected();
  if (!building) return;
  RequireLoadedWorkspace();
  const QToolButton* itemButtons[] = {Item1Btn, Item2Btn, Item3Btn, Item4Btn, Item5Btn, Item6Btn};
  for (int n = 1; n <= 6; ++n) {
    if (itemButtons[n - 1]->isChecked()) findChild<QLabel*>(QStringLiteral("Item%1Target").arg(n))->setText(building->text(0));
  }
  SetCaption(TargetLabel, QStringLiteral("Ziel : ") + building->text(1));
  SaveProperties();
}

}  // namespace bw
