#include "ui/infoform.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#ifdef Q_OS_WIN
#include "platform/windowframe.h"
#endif
#include "ui/controls.h"
#include "ui/errorreport.h"
#include "ui/jpeg.h"
#include "ui/layoutscale.h"
#include "workspace/files.h"

namespace bw {

TInfoForm::TInfoForm(const QString& xmlPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      XMLPath(xmlPath) {
  setObjectName(QStringLiteral("InfoForm"));
  setWindowTitle(QString());
  setWindowIcon(QIcon(QStringLiteral(":/art/app_icon.png")));
  setFont(PixelFont(QStringLiteral("Segoe UI"), 15, true));
  setFixedSize(Scaled(QSize(729, 871)));

  Image1 = new TImage(QStringLiteral("Image1"), this);
  Image1->setScaledContents(true);
  Image1->setGeometry(Scaled(QRect(0, 0, 729, 900)));

  AnleitungLabel = NewLabel(QStringLiteral("AnleitungLabel"), QStringLiteral("Anleitung"), this);
  AnleitungLabel->setFont(PixelFont(QStringLiteral("Heuristica"), 15, true));
  AnleitungLabel->move(Scaled(QPoint(17, 8)));
  AnleitungLabel->adjustSize();

  InfoEdit = new QTextEdit(this);
  InfoEdit->setObjectName(QStringLiteral("InfoEdit"));
  InfoEdit->setGeometry(Scaled(QRect(8, 32, 707, 789)));
  InfoEdit->setFrameStyle(QFrame::NoFrame);
  InfoEdit->document()->setDocumentMargin(Scaled(6));
  InfoEdit->setFont(PixelFont(QStringLiteral("Heuristica"), 15, true));
  InfoEdit->setAcceptRichText(false);
  InfoEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette paper = InfoEdit->palette();
  paper.setColor(QPalette::Base, QColor(0xD0, 0xB5, 0x86));
  InfoEdit->setPalette(paper);
  InfoEdit->setPlainText(QStringLiteral("InfoEdit"));

  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setGeometry(Scaled(QRect(530, 830, 185, 33)));
  OKBtn->setFont(PixelFont(QStringLiteral("Heuristica"), 15, true));
  connect(OKBtn, &QPushButton::clicked, this, Handled(this, &TInfoForm::OKBtnClick));
  setTabOrder(InfoEdit, OKBtn);

  FormCreate();
}

void TInfoForm::FormCreate() {
  // The outer height; the frame is not known before the window is shown (see showEvent).
  setFixedSize(width(), Scaled(900) - (frameGeometry().height() - height()));
}

int TInfoForm::ShowModal() {
  FormShow();
  return exec();
}

void TInfoForm::FormShow() {
  // The background is decoded when the window is first shown, not at every start: the part of
  // the picture the window shows, stretched to the control on a scaled screen.
  if (Image1->pixmap().isNull()) {
    Image1->setPixmap(QPixmap::fromImage(
        DecodeJpeg(ReadFile(QStringLiteral(":/art/background_info.jpg")), QStringLiteral("background_info.jpg"))
            .copy(0, 0, 729, 900)));
  }
  QByteArray text = ReadFile(XMLPath + QStringLiteral("Info.txt"));
  if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
  InfoEdit->setPlainText(QString::fromUtf8(text));
  InfoEdit->setFocus();
}

void TInfoForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
#ifdef Q_OS_WIN
  // The outer height again, now that the native window and so its frame exist; Windows counts
  // the frame in device pixels.
  setFixedSize(width(), Scaled(900) - qRound(FrameHeight(reinterpret_cast<void*>(winId())) / devicePixelRatioF()));
#endif
  if (QWidget* owner = parentWidget()) move(owner->frameGeometry().center() - rect().center());
}

void TInfoForm::OKBtnClick() { close(); }

}  // namespace bw
