#include <gtest/gtest.h>

#include <QCoreApplication>
#include <optional>

#include "tests/testsupport.h"

// The tests of the core, which knows no windows.
int main(int argc, char** argv) {
  std::optional<bw::test::ProcessHome> home;
  if (!bw::test::IsDeathTestChild(argc, argv)) home.emplace();
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
