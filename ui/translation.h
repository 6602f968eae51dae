#pragma once

class QCoreApplication;
class QTranslator;

namespace bw {

// Installs Qt's own German translation (qtbase_de), so standard dialogs speak German
// ("Abbrechen", "Auswählen"). Returns the installed translator, owned by `app`, or null
// when the translation is not on this machine.
QTranslator* InstallGermanTranslation(QCoreApplication& app);

}  // namespace bw
