// Editing the six items: choosing the slot, the group, the region, adding and removing
// products and choosing the target building. Every change is written through at once.
#include <QSpinBox>
#include <QToolButton>

#include "ui/controls.h"
#include "ui/errorreport.h"
#include "ui/mainform.h"
#include "ui/messageform.h"

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
  // The boxes' values, never a half-typed text: an empty box would store an empty number.
  for (QSpinBox* box : {ProductAmountBox, ProductCycleBox}) {
    connect(box, &QSpinBox::valueChanged, this,
            [this] { workspace_.setSettings(ProductAmountBox->value(), ProductCycleBox->value()); });
  }
  connect(FullResetImg, &TImage::clicked, this, Handled(this, &TMainForm::FullResetImgClick));
}

void TMainForm::ShowAfter(const std::function<void()>& change, const std::function<void()>& show) {
  try {
    change();
  } catch (...) {
    show();
    throw;
  }
  show();
}

void TMainForm::ShowItemProducts() {
  const QList<ItemProduct>& products = workspace_.products();
  const int shown = ItemProductView->RowCount(), held = int(products.size());
  auto shows = [this, &products](int row, int index) {
    const QTreeWidgetItem* r = ItemProductView->Row(row);
    const ItemProduct& p = products[index];
    return r->text(0) == p.guid && r->text(1) == p.name && r->text(2) == p.icon;
  };
  int same = 0;
  while (same < shown && same < held && shows(same, same)) ++same;
  // One product removed: only its row goes.
  bool removed = shown == held + 1;
  for (int i = same; removed && i < held; ++i) removed = shows(i + 1, i);
  if (removed) {
    delete ItemProductView->Row(same);
    return;
  }
  while (ItemProductView->RowCount() > same) delete ItemProductView->Row(same);
  for (int i = same; i < held; ++i) AddListRow(ItemProductView, products[i].guid, products[i].name, products[i].icon, products[i].icon);
}

QLabel* TMainForm::ItemTarget(int slot) const { return findChild<QLabel*>(QStringLiteral("Item%1Target").arg(slot)); }

bool TMainForm::AskToAddAgain(const ProductHolders& holders) {
  const TImageCollection& pictures = images_.ImageCollection;
  return MessageForm->Ask(QStringLiteral("Frage"), pictures.GetScaledImage(pictures.IndexOf(holders.icon), 64, 64),
                          DuplicateQuestion(holders), QStringLiteral("Ja"), QStringLiteral("Nein"));
}

void TMainForm::ItemBtnClick(int slot) {
  workspace_.Loading(LoadResult::Item, [&] {
    // The list is filled afresh, and stays empty when the item's list fails to load.
    ItemProductView->clear();
    ShowAfter([&] { workspace_.switchItem(slot); }, [&] { ShowItemProducts(); });
    const QString numeral = ItemNumeral(slot);
    SetCaption(ItemProductViewLabel, QStringLiteral("Produktlist des Items ") + numeral);
    SetCaption(TargetViewLabel, QStringLiteral("Zielgebäude des Items ") + numeral);
    SingleResetImg->setToolTip(QStringLiteral("Item ") + numeral + QStringLiteral(" zurücksetzen"));
    const QString target = workspace_.readItemTarget();
    ItemTarget(slot)->setText(target);
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
  const QString guid = product->text(0);
  ShowAfter([&] { workspace_.addProduct(guid, [this](const ProductHolders& holders) { return AskToAddAgain(holders); }); },
            [&] { ShowItemProducts(); });
}

void TMainForm::ItemProductViewClick() {
  QTreeWidgetItem* product = ItemProductView->Selected();
  if (!product) return;
  const int row = ItemProductView->indexOfTopLevelItem(product);
  ShowAfter([&] { workspace_.removeProduct(row); }, [&] { ShowItemProducts(); });
}

void TMainForm::TargetsViewClick() {
  const QTreeWidgetItem* building = TargetsView->Selected();
  if (!building) return;
  const QString guid = building->text(0), caption = QStringLiteral("Ziel : ") + building->text(1);
  const int slot = workspace_.slot();
  ShowAfter([&] { workspace_.setTarget(guid); },
            [&] {
              // Shown once it is in hand, also when storing it failed.
              if (slot < 1 || workspace_.targets()[slot - 1] != guid) return;
              ItemTarget(slot)->setText(guid);
              SetCaption(TargetLabel, caption);
            });
}

}  // namespace bw
