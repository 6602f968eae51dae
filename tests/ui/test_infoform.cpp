#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "tests/ui/windowsupport.h"
#include "ui/infoform.h"
#include "ui/mainform.h"
#include "workspace/error.h"

using namespace bw;

TEST(InfoForm, ShowsInfoTxtAfreshAtEveryShowing) {
  test::ProgramFolder folder;
  TMainForm main(folder.path());
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  TInfoForm& info = *test::Control<TInfoForm>(main, "InfoForm");
  EXPECT_EQ(info.height(), 900);
  EXPECT_EQ(info.width(), 729);
  test::WriteBytes(folder.xml(QStringLiteral("Info.txt")), QByteArray("\xEF\xBB\xBF") + "Anleitung für Brennwick\r\nZeile 2");
  QStringList shown;
  auto editAndClose = [&](QWidget*) {
    shown << info.InfoEdit->toPlainText();
    QTest::keyClicks(info.InfoEdit, QStringLiteral("Getippt"));
    QTest::mouseClick(info.OKBtn, Qt::LeftButton);
  };
  test::OnNextModal(editAndClose);
  QTest::mouseClick(test::Control(main, "InfoImage"), Qt::LeftButton);
  test::OnNextModal(editAndClose);
  main.InfoImageClick();
  const QString expected = QString::fromUtf8("Anleitung für Brennwick\nZeile 2");
  EXPECT_EQ(shown, (QStringList{expected, expected}));
  EXPECT_EQ(test::ReadBytes(folder.xml(QStringLiteral("Info.txt"))),
            QByteArray("\xEF\xBB\xBF") + "Anleitung für Brennwick\r\nZeile 2");

  // Without the file the window does not open; the error names the file.
  QFile::remove(folder.xml(QStringLiteral("Info.txt")));
  try {
    main.InfoImageClick();
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_TRUE(error.message().contains(QStringLiteral("Info.txt"))) << error.message().toStdString();
  }
  EXPECT_FALSE(info.isVisible());
}
