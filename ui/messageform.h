#pragma once

#include <QDialog>
#include <QImage>

class QFrame;
class QLabel;
class QPushButton;

namespace bw {

class TImage;

// The program's own question window. A caller sets the title, the picture, the text (lines
// separated by carriage returns) and the two button captions, shows it modally and reads
// which button closed it: 1 for OKBtn, 9 for AbortBtn. It lays itself out around the text
// every time it is shown. One instance serves every caller; what one caller sets stays
// until the next sets it again.
class TMessageForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMessageForm(QWidget* parent = nullptr);

  static constexpr int OKResult = 1;
  static constexpr int AbortResult = 9;

  // RemarkImage takes the size of the picture it gets.
  void SetRemarkPicture(const QImage& picture);

  // The callers' whole question: fills the window, shows it modally and tells whether the
  // user agreed (OKBtn).
  bool Ask(const QString& header, const QImage& picture, const QString& text, const QString& okCaption,
           const QString& abortCaption);

  QWidget* Shape1;
  TImage* Image1;
  QLabel* HeaderLabel;
  TImage* RemarkImage;
  QLabel* MsgBoxLabel;
  QFrame* Line;
  QPushButton* AbortBtn;
  QPushButton* OKBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
};

}  // namespace bw
