#include "ui/messageform.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "ui/controls.h"
#include "ui/layoutscale.h"

namespace bw {
namespace {

// Carriage returns (alone or before a line feed) start new lines.
QString WithLineBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

TMessageForm::TMessageForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("MessageForm"));
  setModal(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  setFont(PixelFont(QStringLiteral("Heuristica"), 13));
  setFixedSize(Scaled(QSize(647, 195)));

  Shape1 = new QWidget(this);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setGeometry(Scaled(QRect(-3, 0, 769, 25)));
  QPalette strip = Shape1->palette();
  strip.setColor(QPalette::Window, strip.color(QPalette::Highlight));
  Shape1->setPalette(strip);
  Shape1->setAutoFillBackground(true);

  Image1 = new TImage(QStringLiteral("Image1"), this);
  const QPixmap bale = QPixmap::fromImage(ShownImage(QImage(QStringLiteral(":/art/bale_small.png"))));
  Image1->setPixmap(bale);
  Image1->setGeometry(QRect(Scaled(QPoint(5, -2)), bale.deviceIndependentSize().toSize()));

  HeaderLabel = new QLabel(this);
  HeaderLabel->setObjectName(QStringLiteral("HeaderLabel"));
  HeaderLabel->setTextFormat(Qt::PlainText);
  HeaderLabel->setGeometry(Scaled(QRect(36, 4, 300, 20)));
  HeaderLabel->setFont(PixelFont(QStringLiteral("Segoe UI"), 13, true, true));
  QPalette white = HeaderLabel->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  HeaderLabel->setPalette(white);

  RemarkImage = new TImage(QStringLiteral("RemarkImage"), this);
  RemarkImage->setScaledContents(true);
  RemarkImage->setGeometry(Scaled(QRect(5, 31, 64, 63)));
  SetRemarkPicture(ShownImage(QImage(QStringLiteral(":/art/info_sign.png"))));

  MsgBoxLabel = new QLabel(QStringLiteral("MsgBoxLabel"), this);
  MsgBoxLabel->setObjectName(QStringLiteral("MsgBoxLabel"));
  MsgBoxLabel->setTextFormat(Qt::PlainText);
  MsgBoxLabel->setWordWrap(false);
  MsgBoxLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  MsgBoxLabel->setGeometry(Scaled(QRect(96, 31, 543, 90)));

  Line = new QFrame(this);
  Line->setObjectName(QStringLiteral("Line"));
  Line->setGeometry(Scaled(QRect(-43, 129, 800, 1)));
  QPalette black = Line->palette();
  black.setColor(QPalette::Window, Qt::black);
  Line->setPalette(black);
  Line->setAutoFillBackground(true);

  AbortBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
  AbortBtn->setObjectName(QStringLiteral("AbortBtn"));
  AbortBtn->setGeometry(Scaled(QRect(7, 150, 180, 30)));
  connect(AbortBtn, &QPushButton::clicked, this, [this] { done(AbortResult); });

  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setGeometry(Scaled(QRect(274, 150, 180, 30)));
  // Not a tab stop: the window opens with the focus on AbortBtn, so a hasty Enter declines.
  OKBtn->setFocusPolicy(Qt::ClickFocus);
  connect(OKBtn, &QPushButton::clicked, this, [this] { done(OKResult); });
  setTabOrder(AbortBtn, OKBtn);
}

void TMessageForm::SetRemarkPicture(const QImage& picture) {
  RemarkImage->setPixmap(QPixmap::fromImage(picture));
  if (!picture.isNull()) RemarkImage->resize(picture.deviceIndependentSize().toSize());
}

bool TMessageForm::Ask(const QString& header, const QImage& picture, const QString& text, const QString& okCaption,
                       const QString& abortCaption) {
  HeaderLabel->setText(header);
  SetRemarkPicture(picture);
  MsgBoxLabel->setText(text);
  OKBtn->setVisible(true);
  OKBtn->setText(okCaption);
  AbortBtn->setVisible(true);
  AbortBtn->setText(abortCaption);
  return exec() == OKResult;
}

void TMessageForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TMessageForm::FormShow() {
  MsgBoxLabel->move(Scaled(QPoint(105, 40)));
  // The label takes the size of its text: its longest line and all of its lines.
  const QString text = WithLineBreaks(MsgBoxLabel->text());
  MsgBoxLabel->setText(text);
  const QFontMetrics metrics(MsgBoxLabel->font());
  const QStringList lines = text.split(QLatin1Char('\n'));
  int textWidth = 0;
  for (const QString& line : lines) textWidth = qMax(textWidth, metrics.horizontalAdvance(line));
  MsgBoxLabel->resize(textWidth + Scaled(30), static_cast<int>(lines.size()) * metrics.height());

  const int labelBottom = MsgBoxLabel->y() + MsgBoxLabel->height();
  const QSize button = Scaled(QSize(160, 30));
  Line->move(Line->x(), labelBottom + Scaled(32));
  AbortBtn->setGeometry(QRect(QPoint(Scaled(16), labelBottom + Scaled(40)), button));
  OKBtn->setGeometry(QRect(QPoint(MsgBoxLabel->x() + MsgBoxLabel->width() - button.width(), labelBottom + Scaled(40)), button));

  const int width = RemarkImage->width() + MsgBoxLabel->width() + Scaled(48);
  const int height = labelBottom + OKBtn->height() + Scaled(48);
  setFixedSize(width, height);
  RemarkImage->move(Scaled(5), height / 2 - Scaled(48));

  const QRect screenArea = (screen() ? screen() : QGuiApplication::primaryScreen())->geometry();
  move(screenArea.x() + qAbs(screenArea.width() - width) / 2, screenArea.y() + qAbs(screenArea.height() - height) / 2);
  HeaderLabel->raise();
  AbortBtn->setFocus();
}

}  // namespace bw
