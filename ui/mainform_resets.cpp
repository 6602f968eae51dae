// Undoing the user's work, after asking: one item slot, or the whole workspace.
#include <QToolButton>

#include "ui/build.h"
#include "ui/controls.h"
#include "ui/mainform.h"
#include "ui/messageform.h"
#include "workspace/itemstore.h"

namespace bw {

bool TMainForm::AskToReset(const QString& question) {
  const TImageCollection& pictures = images_.HelpImageCollection;
  return MessageForm->Ask(QStringLiteral("Sicherheitsabfrage"),
                          pictures.GetScaledImage(pictures.IndexOf(u"Achtung"), 64, 64), question,
                          QStringLiteral("Zurücksetzen"), QStringLiteral("Abbrechen"));
}

void TMainForm::SingleResetImgClick() {
  RequireLoadedWorkspace();
  if (!AskToReset(QStringLiteral("\rAlle Werte des aktuellen Items ") + IsItem + QStringLiteral(" zurücksetzen ?\r\r"))) {
    return;
  }
  // Property.xml first: when it can not be changed, the slot's list stays as it is, on
  // screen and on disk.
  SaveItemTarget(Paths.XMLPath, ItemGUID, kDefaultTarget);
  ItemProductView->clear();
  findChild<QLabel*>(QStringLiteral("Item") + IsItem + QStringLiteral("Target"))->setText(kDefaultTarget);
  SaveItemContent();
  GetTargetNameAndPosition(kDefaultTarget);
  ScrollListView(TargetsView);
}

void TMainForm::FullResetImgClick() {
  if (!AskToReset(QStringLiteral("\rAlle Daten des Programms auf die Startwerte zurücksetzen ?\r\r") +
                  QStringLiteral("Achtung : Führen Sie diese Aktion nicht aus, wenn die Daten\r") +
                  QStringLiteral("zur Zeit in einem aktuellen Spiel verwendet werden!\r"))) {
    return;
  }
  // The way back from a workspace that did not load: it never asks whether one did.
  Loading(settingsNotLoaded_, [&] {
    Build(Paths.PrgPath);
    ShowFrameAndVersion(kResetSize);
    LoadDocumentsAndFillLists(0);
    Item1BtnClick();
    ReadStoredSettings();
    Item1Btn->setChecked(true);
    Item1BtnClick();
    ScrollListView(TargetsView);
  });
}

}  // namespace bw
