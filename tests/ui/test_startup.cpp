#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <functional>

#include "tests/ui/windowsupport.h"
#include "ui/mainform.h"

using namespace bw;
using test::ProgramFolder;

// Only regular files are read: a FIFO or a device under the name of the record file or of
// Info.txt is reported naming it, never read. A record that can not be written is reported
// and the start goes on to the complete window.
TEST(StartUp, NonRegularFilesAndAnUnwritableRecordAreReportedAndTheWindowIsComplete) {
  BW_LINUX_ONLY("FIFOs, devices and the record file");
#ifndef _WIN32
  enum Where { Record, Info };
  struct Case {
    const char* what;
    Where where;
    std::function<void(const QString& file)> spoil;
    const char* message;
  } cases[] = {
      {"record file a FIFO", Record,
       [](const QString& file) { ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0); }, "ist keine reguläre Datei"},
      {"record file a device", Record, [](const QString& file) { QFile::link(QStringLiteral("/dev/zero"), file); },
       "ist keine reguläre Datei"},
      {"record folder a plain file", Record,
       [](const QString& file) {
         QDir().rmdir(QFileInfo(file).path());
         test::WriteBytes(QFileInfo(file).path(), "kein Ordner");
       },
       "kann nicht geschrieben werden"},
      {"Info.txt a FIFO", Info,
       [](const QString& file) {
         QFile::remove(file);
         ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
       },
       "ist keine reguläre Datei"},
      {"Info.txt a device", Info,
       [](const QString& file) {
         QFile::remove(file);
         QFile::link(QStringLiteral("/dev/zero"), file);
       },
       "ist keine reguläre Datei"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScopedHome home;
    ProgramFolder folder;
    const QString game = home.path() + QStringLiteral("/Corvana 1800");
    test::MakeGame(game);
    QString file;
    if (c.where == Record) {
      // The game is found through its install record.
      test::MakeWinePrefix(home.path() + QStringLiteral("/.wine"), {{QStringLiteral("Software\\Wow6432Node\\Ubisoft\\Corvana 1800"),
                                                                     QStringLiteral("C:\\Corvana 1800")}});
      test::MakeGame(home.path() + QStringLiteral("/.wine/drive_c/Corvana 1800"));
      file = home.recordFile();
      QDir().mkpath(QFileInfo(file).path());
    } else {
      test::RecordFakeGame(game);
      file = folder.xml(QStringLiteral("Info.txt"));
    }
    c.spoil(file);

    test::ModalWatch messages;
    TMainForm form(folder.path());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    if (c.where == Info) {
      EXPECT_TRUE(messages.seen().isEmpty()) << messages.seen().join(u'|').toStdString();
      QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("InfoImage")), Qt::LeftButton);
      QTest::qWait(50);
    }
    const QString seen = messages.seen().join(u'|');
    EXPECT_EQ(seen.count(QStringLiteral("„%1“ %2").arg(file, QString::fromUtf8(c.message))), 1) << seen.toStdString();
    EXPECT_EQ(form.frameGeometry().size(), QSize(1664, 946));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Item6Target"))->text(), QStringLiteral("100451"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("TargetLabel"))->text(), QStringLiteral("Ziel : Sägewerk"));
    EXPECT_GE(form.findChild<QWidget*>(QStringLiteral("CreateXMLData"))->x(), form.width());  // the hidden strip
    EXPECT_TRUE(form.isVisible());
  }
#endif
}
