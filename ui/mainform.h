#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "ui/imagecollection.h"
#include "workspace/workspace.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace bw {

class TImage;
class TInfoForm;
class TListView;
class TMessageForm;

// The pictures of the main window: the whole collection, the lists in the size the list
// views and item and region buttons show them, and the pictures of the question windows.
struct MainFormImages {
  TImageCollection ImageCollection;
  TImageList ImageList{48, 48};
  TImageList ItemImageList{48, 48};
  TImageList TargetsImageList{48, 48};
  TImageCollection HelpImageCollection;
};

// The main window, a view of the workspace. Its creation builds the layout, runs the
// start-up sequence (FormCreate) and then creates the message and instructions windows. Every
// handler is connected through Handled, which reports its failure; a handler changes the
// workspace and then shows what changed. Its controls are its own; they
// carry their names as objectName.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(const QString& programFolder, QWidget* parent = nullptr);
  // False when the start was refused (a second copy, no game): the program ends then.
  bool started() const { return started_; }

  // The window's outer size in the layout's units, at start and after the full reset, and
  // the largest of them, which the screen must hold; the other two windows are smaller.
  static constexpr QSize kStartSize{1664, 946};
  static constexpr QSize kResetSize{1675, 942};
  static constexpr QSize kLargestOuterSize = kStartSize.expandedTo(kResetSize);

  // What the window works on: the program folder and its subfolders, the game's mods
  // folder, the six item GUIDs, the item being edited (its GUID and its slot, "1" to "6")
  // and the pictures.
  const WorkspacePaths& paths() const { return workspace_.paths(); }
  const QString& modPath() const { return workspace_.modPath(); }
  const QStringList& itemIds() const { return workspace_.itemIds(); }
  QString itemGuid() const { return workspace_.itemGuid(); }
  QString itemSlot() const { return QString::number(workspace_.slot()); }
  const MainFormImages& images() const { return images_; }

  // List views.
  void CreateSelectionView();
  void CreateProductView(const QString& groupGuid);
  // The product appended to the item being edited as its list shows it, not yet written.
  void AddProductToItemProductView(const QString& productGuid);
  void CreateTargetsView(const QString& region);
  void GetTargetNameAndPosition(const QString& buildingGuid);
  void ScrollListView(QTreeWidget* view);

  // Appends a row: GUID as caption, two sub-items, the picture named `iconName` from
  // ImageList (none when no picture has that name). The row keeps the picture's index.
  QTreeWidgetItem* AddListRow(QTreeWidget* view, const QString& caption, const QString& subItem0,
                              const QString& subItem1, const QString& iconName);
  static int ImageIndex(const QTreeWidgetItem* row, int column = 0);

 public slots:
  void CloseBtnClick();
  void ProzessTimerTimer();
  void InfoImageClick();
  void Create_ItemBtnClick();
  void CreateXMLDataClick();

  // Editing.
  void Item1BtnClick();
  void Item2BtnClick();
  void Item3BtnClick();
  void Item4BtnClick();
  void Item5BtnClick();
  void Item6BtnClick();
  void Region1BtnClick();
  void Region2BtnClick();
  void Region3BtnClick();
  void Region4BtnClick();
  void SelectionClick();
  void ProductViewClick();
  void ItemProductViewClick();
  void TargetsViewClick();

  // Resets.
  void SingleResetImgClick();
  void FullResetImgClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateImages();
  void CreateControls();
  void SetTabOrder();
  void FormCreate(const QString& programFolder);
  // Sets the outer size of the window, which stays fixed.
  void SetOuterSize(QSize outer);
  // Parts of the start-up that the full reset runs again.
  void ShowFrameAndVersion(QSize outer);
  void LoadDocumentsAndFillLists(int targetRow);
  void ReadStoredSettings();

  // Editing.
  void ConnectEditingHandlers();
  void ItemBtnClick(int slot);
  bool AskToReset(const QString& question);
  bool AskToAddAgain(const ProductHolders& holders);
  // Runs a change of the workspace and then `show`, also when the change failed half-way.
  static void ShowAfter(const std::function<void()>& change, const std::function<void()>& show);
  // The item's products as the workspace holds them; rows shown already stay as they are.
  void ShowItemProducts();
  QLabel* ItemTarget(int slot) const;

  // Sorting the list views by name.
  int ProductViewCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const;
  int TargetsViewCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const;
  void SortView(QTreeWidget* view, int (TMainForm::*compare)(const QTreeWidgetItem*, const QTreeWidgetItem*) const);

  Workspace workspace_;
  int ColumnToSort = 0;  // 0: the caption, n ≥ 1: sub-item n − 1

  MainFormImages images_;

  // The other two windows; they live as long as this one.
  TMessageForm* MessageForm = nullptr;
  TInfoForm* InfoForm = nullptr;

  // Controls, named as their objectName.
  TImage* BackImage;
  TImage* CorvanaImage;
  TImage* Image1;
  TImage* BrassmoorImage;
  QLabel* Version;
  TListView* SelectionView;
  TListView* ProductView;
  TListView* ItemProductView;
  TListView* TargetsView;
  QLabel* SelectionViewLabel;
  QLabel* ProductViewLabel;
  QLabel* ItemProductViewLabel;
  QLabel* TargetViewLabel;
  QToolButton* Item1Btn;
  QToolButton* Item2Btn;
  QToolButton* Item3Btn;
  QToolButton* Item4Btn;
  QToolButton* Item5Btn;
  QToolButton* Item6Btn;
  QButtonGroup* ItemGroup;  // exactly one item button is down
  QToolButton* Region1Btn;
  QToolButton* Region2Btn;
  QToolButton* Region3Btn;
  QToolButton* Region4Btn;
  QButtonGroup* RegionGroup;  // exactly one region button is down
  QLabel* Label3;
  QLabel* ProductAmountLabel;
  QSpinBox* ProductAmountBox;
  QLabel* ProductOutputCycleLabel;
  QSpinBox* ProductCycleBox;
  QPushButton* Create_ItemBtn;
  QPushButton* CloseBtn;
  TImage* SingleResetImg;
  TImage* FullResetImg;
  TImage* InfoImage;
  QLabel* CorvanaLabel;
  QPushButton* CreateXMLData;
  QLabel* TargetLabel;
  // Hidden: the six items' target buildings as the workspace holds them.
  QLabel* Item1Target;
  QLabel* Item2Target;
  QLabel* Item3Target;
  QLabel* Item4Target;
  QLabel* Item5Target;
  QLabel* Item6Target;
  QTimer* ProzessTimer;

  QSize outerSize_;
  bool centred_ = false;
  bool started_ = true;
};

}  // namespace bw
