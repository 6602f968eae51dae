#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

namespace bw {

class TImage;

// The instructions window: shows the workspace's "Info.txt", read afresh at every showing.
// The user may type into the text; nothing is ever saved.
class TInfoForm : public QDialog {
  Q_OBJECT

 public:
  TInfoForm(const QString& xmlPath, QWidget* parent = nullptr);

  // Loads the text and shows the window modally. A missing or unreadable "Info.txt" raises
  // an error before the window opens.
  int ShowModal();

  void OKBtnClick();

  TImage* Image1;
  QLabel* AnleitungLabel;
  QTextEdit* InfoEdit;
  QPushButton* OKBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void FormShow();

  QString XMLPath;
};

}  // namespace bw
