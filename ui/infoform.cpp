#include "ui/infoform.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#ifdef Q_OS_WIN
#include "platform/windowframe.h"
#endif
#include "ui/controls.h"
#include "ui/jpeg.h"
#include "workspace/files.h"

namespace bw {
namespace {

QFont BoldPixelFont(const QString& family, int pixels) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

}  // namespace

TInfoForm::TInfoForm(const QString& xmlPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      XMLPath(xmlPath) {
  setObjectName(QStringLiteral("InfoForm"));
  setWindowTitle(QString());
  setWindowIcon(QIcon(QStringLiteral(":/art/app_icon.png")));
  setFont(BoldPixelFont(QStringLiteral("Segoe UI"), 15));
  setFixedSize(729, 871);

  Image1 = new TImage(QStringLiteral("Image1"), this);
  Image1->setPixmap(QPixmap::fromImage(
      DecodeJpeg(ReadFile(QStringLiteral(":/art/background_info.jpg")), QStringLiteral("background_info.jpg"))));
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->setGeometry(0, 0, 729, 900);

  AnleitungLabel = NewLabel(QStringLiteral("AnleitungLabel"), QStringLiteral("Anleitung"), this);
  AnleitungLabel->setFont(BoldPixelFont(QStringLiteral("Heuristica"), 15));
  AnleitungLabel->move(17, 8);
  AnleitungLabel->adjustSize();

  InfoEdit = new QTextEdit(this);
  InfoEdit->setObjectName(QStringLiteral("InfoEdit"));
  InfoEdit->setGeometry(8, 32, 707, 789);
  InfoEdit->setFrameStyle(QFrame::NoFrame);
  InfoEdit->document()->setDocumentMargin(6);
  InfoEdit->setFont(BoldPixelFont(QStringLiteral("Heuristica"), 15));
  InfoEdit->setAcceptRichText(false);
  InfoEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette paper = InfoEdit->palette();
  paper.setColor(QPalette::Base, QColor(0xD0, 0xB5, 0x86));
  InfoEdit->setPalette(paper);
  InfoEdit->setPlainText(QStringLiteral("InfoEdit"));

  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setGeometry(530, 830, 185, 33);
  OKBtn->setFont(BoldPixelFont(QStringLiteral("Heuristica"), 15));
  connect(OKBtn, &QPushButton::clicked, this, &TInfoForm::OKBtnClick);
  setTabOrder(InfoEdit, OKBtn);

  FormCreate();
}

void TInfoForm::FormCreate() {
  // The outer height; the frame is not known before the window is shown (see showEvent).
  setFixedSize(width(), 900 - (frameGeometry().height() - height()));
}

int TInfoForm::ShowModal() {
  FormShow();
  return exec();
}

void TInfoForm::FormShow() {
  QByteArray text = ReadFile(XMLPath + QStringLiteral("Info.txt"));
  if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
  InfoEdit->setPlainText(QString::fromUtf8(text));
  InfoEdit->setFocus();
}

void TInfoForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
#ifdef Q_OS_WIN
  // The outer height again, now that the native window and so its frame exist.
  setFixedSize(width(), 900 - FrameHeight(reinterpret_cast<void*>(winId())));
#endif
  if (QWidget* owner = parentWidget()) move(owner->frameGeometry().center() - rect().center());
}

void TInfoForm::OKBtnClick() { close(); }

}  // namespace bw
