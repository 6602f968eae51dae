#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace bw {

// The program's version text, four numbers joined by points ("18.2.4.17").
QString GetAppVersionStr();

// Registers the embedded display font "Heuristica" (Bold) for this process and makes it the
// main window's font.
void GetTheTTF(QWidget& mainForm);

// Registers `fontData` and sets the main window's font: "Heuristica" 10 pt, or, when the data
// can not be registered, after a notice "MS Sans Serif" 10 pt; text colour #413728 either way.
void ApplyDisplayFont(QWidget& mainForm, const QByteArray& fontData);

}  // namespace bw
