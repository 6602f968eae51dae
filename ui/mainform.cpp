#include "ui/mainform.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>

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
#include "workspace/error.h"
#include "workspace/files.h"
#include "workspace/itemstore.h"

namespace bw {

TMainForm::TMainForm(const QString& programFolder, QWidget* parent) : QMainWindow(parent) {
  CreateImages();
  CreateControls();
  // The sequence ends at the failing step; the window opens with what was set up.
  Reported([&] { Loading(settingsNotLoaded_, [&] { FormCreate(programFolder); }); });
  MessageForm = new TMessageForm(this);
  InfoForm = new TInfoForm(Paths.XMLPath, this);
}

void TMainForm::FormCreate(const QString& programFolder) {
  Paths = WorkspacePaths::FromProgramFolder(programFolder);
  const std::optional<GameFolders> game = StartWithRegistry(Paths.PrgPath, GetAppVersionStr());
  if (!game) {
    started_ = false;
    return;
  }
  MODPath = game->MODPath;
  // The game should find its mod whole even after a generation was killed in the middle; a
  // failure here is reported and the start goes on.
  Reported([&] { RestoreDeployedFolder(DeployedModFolder(MODPath)); });
  GetTheTTF(*this);
  if (!QDir(Paths.XMLPath).exists()) Build(Paths.PrgPath);
  Reported([&] { RemoveWriteLeftovers(Paths.XMLPath); });
  GetTheTTF(*this);
  ShowFrameAndVersion(kStartSize);
  LoadDocumentsAndFillLists(3);
  // Item I's own list failing is that item's failure: it is reported and the settings are
  // read all the same, so that the single reset can rewrite the list.
  try {
    Item1BtnClick();
  } catch (const std::exception& error) {
    if (itemNotLoaded_ != itemListNotLoaded_) throw;
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
  ItemID = ItemGuids();
}

void TMainForm::LoadPropertyList() {
  XmlDocument properties;
  properties.load(PropertyFilePath(Paths.XMLPath), "Properties");
  // Without a root the next use of PropertyRoot reports why the file failed.
  PropertyRoot = properties.rootOrError();
  PropertyList = std::move(properties);
}

void TMainForm::LoadTargetsList() {
  // A file that fails to load leaves the document in hand, and TargetsRoot with it, intact;
  // with none in hand, TargetsRoot reports the failure whenever it is used.
  XmlDocument targets;
  const bool loaded = targets.load(TargetFilePath(Paths.XMLPath), "Targets");
  if (!loaded && !TargetsRoot) TargetsRoot = targets.rootOrError();
  TargetsRoot = targets.root();  // raises the load error of a file that did not load
  TargetsList = std::move(targets);
}

void TMainForm::Loading(QString& notLoaded, const std::function<void()>& steps) {
  try {
    steps();
  } catch (const std::exception& error) {
    notLoaded = ErrorMessage(error);
    throw;
  }
  notLoaded.clear();
}

void TMainForm::RequireLoadedWorkspace(bool rewritesItemList) const {
  const bool onlyTheListFailed = rewritesItemList && itemNotLoaded_ == itemListNotLoaded_;
  const QString& failure = settingsNotLoaded_.isEmpty() && !onlyTheListFailed ? itemNotLoaded_ : settingsNotLoaded_;
  if (failure.isEmpty()) return;
  throw Error(QStringLiteral("Es wurde nichts geändert, denn die Daten wurden nicht vollständig geladen:\n%1\n"
                             "Das vollständige Zurücksetzen stellt die Startwerte wieder her.")
                  .arg(failure),
              "EWorkspaceError");
}

void TMainForm::LoadDocumentsAndFillLists(int targetRow) {
  // Both documents are taken in hand before a failure ends the sequence, so that a later
  // look-up names the file that failed; the first of them is reported.
  LoadPropertyList();
  try {
    LoadTargetsList();
  } catch (const Error&) {
    PropertyList.root();
    throw;
  }
  PropertyList.root();

  CreateSelectionView();
  SelectionView->SelectRow(SelectionView->Row(0));
  CreateProductView(SelectionView->Selected() ? SelectionView->Selected()->text(0) : QString());
  ProductView->SelectRow(ProductView->Row(0));
  CreateTargetsView(QStringLiteral("Region1"));
  TargetsView->SelectRow(TargetsView->Row(targetRow));
}

void TMainForm::ReadStoredSettings() {
  // A box holds its range: a stored number beyond it is shown, and saved next, as the
  // nearest one within it.
  auto number = [&](const QString& name, const QSpinBox* box) {
    const QString text = PropertyValue(PropertyRoot, name);
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok) {
      throw Error(QStringLiteral("Der Wert „%1“ von „%2“ in der Datei „%3“ ist keine ganze Zahl.")
                      .arg(text, name, PropertyRoot.file()),
                  "EConvertError");
    }
    return static_cast<int>(std::clamp<qlonglong>(value, box->minimum(), box->maximum()));
  };
  const int amount = number(QStringLiteral("ProductAmount"), ProductAmountBox);
  const int cycle = number(QStringLiteral("ProductCycle"), ProductCycleBox);
  ProductAmountBox->setValue(amount);
  ProductCycleBox->setValue(cycle);
  QLabel* targets[] = {Item1Target, Item2Target, Item3Target, Item4Target, Item5Target, Item6Target};
  for (int i = 0; i < 6; ++i) targets[i]->setText(PropertyValue(PropertyRoot, ItemID.value(i)));
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
