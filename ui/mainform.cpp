#include "ui/mainform.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>
#include <optional>

#include "modgen/createitems.h"
#include "modgen/deploy.h"
#include "platform/processlist.h"
#include "ui/build.h"
#include "ui/controls.h"
#include "ui/errorreport.h"
#include "ui/infoform.h"
#include "ui/layoutscale.h"
#include "ui/messageform.h"
#include "ui/startwithregistry.h"
#include "ui/support.h"
#include "workspace/files.h"

namespace bw {

TMainForm::TMainForm(const QString& programFolder, QWidget* parent) : QMainWindow(parent) {
  CreateImages();
  CreateControls();
  // The sequence ends at the failing step; the window opens with what was set up.
  Reported([&] { workspace_.Loading(LoadResult::Settings, [&] { FormCreate(programFolder); }); });
  MessageForm = new TMessageForm(this);
  InfoForm = new TInfoForm(paths().XMLPath, this);
}

void TMainForm::FormCreate(const QString& programFolder) {
  workspace_.setProgramFolder(programFolder);
  const WorkspacePaths& folders = paths();
  const std::optional<GameFolders> game = StartWithRegistry(folders.PrgPath, GetAppVersionStr());
  if (!game) {
    started_ = false;
    return;
  }
  workspace_.setModPath(game->MODPath);
  // The game should find its mod whole even after a generation was killed in the middle; a
  // failure here is reported and the start goes on.
  Reported([&] { RestoreDeployedFolder(DeployedModFolder(modPath())); });
  GetTheTTF(*this);
  if (!QDir(folders.XMLPath).exists()) Build(folders.PrgPath);
  Reported([&] { RemoveWriteLeftovers(folders.XMLPath); });
  GetTheTTF(*this);
  ShowFrameAndVersion(kStartSize);
  LoadDocumentsAndFillLists(3);
  // Item I's own list failing is that item's failure: it is reported and the settings are
  // read all the same, so that the single reset can rewrite the list.
  try {
    Item1BtnClick();
  } catch (const std::exception& error) {
    if (workspace_.loadResult().failed != LoadResult::ItemList) throw;
    ReportError(error);
  }
  ReadStoredSettings();
  ScrollListView(TargetsView);
}

void TMainForm::ShowFrameAndVersion(QSize outer) {
  BackImage->adjustSize();
  BackImage->lower();
  SetOuterSize(outer);
  Version->setText(GetAppVersionStr());
}

void TMainForm::LoadDocumentsAndFillLists(int targetRow) {
  workspace_.loadDocuments();
  CreateSelectionView();
  SelectionView->SelectRow(SelectionView->Row(0));
  CreateProductView(SelectionView->Selected() ? SelectionView->Selected()->text(0) : QString());
  ProductView->SelectRow(ProductView->Row(0));
  CreateTargetsView(QStringLiteral("Region1"));
  TargetsView->SelectRow(TargetsView->Row(targetRow));
}

void TMainForm::ReadStoredSettings() {
  workspace_.readSettings();
  // Each box hands both values to the workspace as it changes: both are taken first.
  const int amount = workspace_.amount(), cycle = workspace_.cycle();
  ProductAmountBox->setValue(amount);
  ProductCycleBox->setValue(cycle);
  for (int slot = 1; slot <= 6; ++slot) ItemTarget(slot)->setText(workspace_.targets()[slot - 1]);
}

void TMainForm::SetOuterSize(QSize outer) {
  // The frame may be known only once the window is on screen: showing applies it again.
  outerSize_ = outer;
  setFixedSize(Scaled(outer) - (frameGeometry().size() - geometry().size()));
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (outerSize_.isValid()) SetOuterSize(outerSize_);
  const QScreen* on = screen() ? screen() : QGuiApplication::primaryScreen();
  const QRect screenArea = on->geometry(), available = on->availableGeometry();
  const QSize outer = outerSize_.isValid() ? Scaled(outerSize_) : frameGeometry().size();
  // Centred on the screen; a window that fits the area beside the task bar is kept in it.
  auto centred = [](int start, int length, int availableStart, int availableLength, int size) {
    const int at = start + (length - size) / 2;
    return size > availableLength ? at : std::clamp(at, availableStart, availableStart + availableLength - size);
  };
  move(centred(screenArea.x(), screenArea.width(), available.x(), available.width(), outer.width()),
       centred(screenArea.y(), screenArea.height(), available.y(), available.height(), outer.height()));
}

void TMainForm::CloseBtnClick() { close(); }

void TMainForm::ProzessTimerTimer() { CorvanaLabel->setVisible(ProcessExists("Corvana1800.exe")); }

void TMainForm::InfoImageClick() { InfoForm->ShowModal(); }

}  // namespace bw
