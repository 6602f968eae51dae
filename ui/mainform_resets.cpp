// Undoing the user's work, after asking: one item slot, or the whole workspace.
#include <QToolButton>

#include "ui/build.h"
#include "ui/controls.h"
#include "ui/mainform.h"
#include "ui/messageform.h"

namespace bw {

bool TMainForm::AskToReset(const QString& question) {
  const TImageCollection& pictures = images_.HelpImageCollection;
  return MessageForm->Ask(QStringLiteral("Sicherheitsabfrage"),
                          pictures.GetScaledImage(pictures.IndexOf(u"Achtung"), 64, 64), question,
                          QStringLiteral("Zurücksetzen"), QStringLiteral("Abbrechen"));
}

void TMainForm::SingleResetImgClick() {
  const QString slot = QString::number(workspace_.slot());
  if (!workspace_.singleReset([&] {
        return AskToReset(QStringLiteral("\rAlle Werte des aktuellen Items ") + slot + QStringLiteral(" zurücksetzen ?\r\r"));
      })) {
    return;
  }
  // The item shown as the files now hold it, as a click on its button shows it; this also
  // completes an activation that the broken list had ended.
  ItemBtnClick(workspace_.slot());
}

void TMainForm::FullResetImgClick() {
  if (!AskToReset(QStringLiteral("\rAlle Daten des Programms auf die Startwerte zurücksetzen ?\r\r") +
                  QStringLiteral("Achtung : Führen Sie diese Aktion nicht aus, wenn die Daten\r") +
                  QStringLiteral("zur Zeit in einem aktuellen Spiel verwendet werden!\r"))) {
    return;
  }
  // The way back from a workspace that did not load: it never asks whether one did.
  workspace_.Loading(LoadResult::Settings, [&] {
    Build(paths().PrgPath);
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
