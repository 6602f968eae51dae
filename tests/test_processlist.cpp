#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/processlist.h"
#include "tests/testsupport.h"
#include "ui/controls.h"
#include "ui/mainform.h"

using namespace bw;

TEST(ProcessList, ComparesTheNameOrItsFileNamePartWithOnlyAToZFolded) {
  struct Case {
    const char* entry;
    bool matches;
  } cases[] = {
      {"Corvana1800.exe", true},
      {"corvana1800.EXE", true},
      {"/home/u/Games/Corvana1800.exe", true},
      {"C:\\Program Files\\Corvana 1800\\Bin\\Win64\\CORVANA1800.EXE", true},
      {"Z:/games\\mixed/Corvana1800.exe", true},
      {"xCorvana1800.exe", false},
      {"/usr/bin/xCorvana1800.exe", false},
      {"Corvana1800.exe.bak", false},
      {"Corvana1800", false},
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExecutableNameMatches(c.entry, "Corvana1800.exe"), c.matches) << c.entry;
  }
  // Only a to z are folded: other letters must match exactly.
  EXPECT_TRUE(ExecutableNameMatches("spiel-ä.exe", "SPIEL-ä.EXE"));
  EXPECT_FALSE(ExecutableNameMatches("spiel-ä.exe", "SPIEL-Ä.EXE"));
}

namespace {

// A copy of /bin/sleep under the given file name, started so that it runs for a while.
class NamedProcess {
 public:
  explicit NamedProcess(const QString& fileName) {
    const QString path = dir_.path() + QLatin1Char('/') + fileName;
    QFile::copy(QStringLiteral("/bin/sleep"), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    process_.start(path, {QStringLiteral("30")});
    process_.waitForStarted();
  }
  // Started through the shell with a Windows path as argv[0], as Wine shows a program.
  explicit NamedProcess(const QStringList& shellCommand) {
    process_.start(QStringLiteral("/bin/bash"), shellCommand);
    process_.waitForStarted();
    QTest::qWait(100);  // until bash has replaced itself with the program
  }
  ~NamedProcess() { Stop(); }
  void Stop() {
    process_.kill();
    process_.waitForFinished();
  }

 private:
  QTemporaryDir dir_;
  QProcess process_;
};

}  // namespace

TEST(ProcessList, FindsARunningGameInEitherLetterCaseButNotAPrefixedName) {
  ASSERT_FALSE(ProcessExists("Corvana1800.exe")) << "a game process runs on this machine";
  {
    NamedProcess game(QStringLiteral("Corvana1800.exe"));
    EXPECT_TRUE(ProcessExists("Corvana1800.exe"));
  }
  EXPECT_FALSE(ProcessExists("Corvana1800.exe"));
  {
    NamedProcess game(QStringLiteral("corvana1800.EXE"));
    EXPECT_TRUE(ProcessExists("Corvana1800.exe"));
  }
  {
    NamedProcess prefixed(QStringLiteral("xCorvana1800.exe"));
    EXPECT_FALSE(ProcessExists("Corvana1800.exe"));
  }
  {
    NamedProcess wine(QStringList{
        QStringLiteral("-c"),
        QStringLiteral("exec -a 'C:\\Games\\Corvana 1800\\Bin\\Win64\\Corvana1800.exe' /bin/sleep 30")});
    EXPECT_TRUE(ProcessExists("Corvana1800.exe"));
  }
}

TEST(ProcessList, TheGameNoticeFollowsTheGameWithinOneTick) {
  test::ProgramFolder folder;
  TMainForm form(folder.path());
  EXPECT_EQ(form.ProzessTimer->interval(), 1000);
  EXPECT_TRUE(form.ProzessTimer->isActive());
  EXPECT_TRUE(form.CorvanaLabel->isHidden());
  // One tick plus a little room for a busy machine.
  const int tick = 1000 + 500;
  NamedProcess game(QStringLiteral("Corvana1800.exe"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form.CorvanaLabel->isHidden(); }, tick));
  game.Stop();
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.CorvanaLabel->isHidden(); }, tick));
}
