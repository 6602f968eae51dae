#include "ui/support.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <QWidget>

#include "platform/version.h"
#include "ui/layoutscale.h"
#include "workspace/files.h"

namespace bw {

QString GetAppVersionStr() { return QString::fromStdString(ProgramVersion()); }

void GetTheTTF(QWidget& mainForm) {
  ApplyDisplayFont(mainForm, ReadFile(QStringLiteral(":/fonts/Heuristica-Bold.otf")));
}

void ApplyDisplayFont(QWidget& mainForm, const QByteArray& fontData) {
  QString family = QStringLiteral("Heuristica");
  if (QFontDatabase::addApplicationFontFromData(fontData) < 0) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Brennwick"), QStringLiteral("Die Anzeigeschriftart wurde geändert."),
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("FontMessage"));
    box.exec();
    family = QStringLiteral("MS Sans Serif");
  }
  QFont font(family);
  font.setPointSizeF(10 * LayoutScale());
  mainForm.setFont(font);
  QPalette palette = mainForm.palette();
  palette.setColor(QPalette::WindowText, QColor(0x41, 0x37, 0x28));
  mainForm.setPalette(palette);
}

}  // namespace bw
