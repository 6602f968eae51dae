#include <gtest/gtest.h>

#include "platform/processlist.h"
#include "tests/testsupport.h"

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

// Windows takes the names from a process snapshot, Linux from /proc.
TEST(ProcessList, FindsARunningGameInEitherLetterCaseButNotAPrefixedName) {
  ASSERT_FALSE(ProcessExists("Corvana1800.exe")) << "a game process runs on this machine";
  {
    test::NamedProcess game(QStringLiteral("Corvana1800.exe"));
    EXPECT_TRUE(ProcessExists("Corvana1800.exe"));
  }
  EXPECT_FALSE(ProcessExists("Corvana1800.exe"));
  {
    test::NamedProcess game(QStringLiteral("corvana1800.EXE"));
    EXPECT_TRUE(ProcessExists("Corvana1800.exe"));
  }
  {
    test::NamedProcess prefixed(QStringLiteral("xCorvana1800.exe"));
    EXPECT_FALSE(ProcessExists("Corvana1800.exe"));
  }
#ifndef _WIN32
  {
    test::NamedProcess wine(QStringList{
        QStringLiteral("-c"),
        QStringLiteral("exec -a 'C:\\Games\\Corvana 1800\\Bin\\Win64\\Corvana1800.exe' /bin/sleep 30")});
    EXPECT_TRUE(ProcessExists("Corvana1800.exe"));
  }
#endif
}
