#include <gtest/gtest.h>

#include <QCoreApplication>

#include "tests/testsupport.h"

// The tests of the core, which knows no windows.
int main(int argc, char** argv) {
  bw::test::ProcessHome home;
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
