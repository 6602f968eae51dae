#include <gtest/gtest.h>
#include <optional>

#include "app/application.h"
#include "tests/testsupport.h"

// The tests of the windows, in the program's own application object on Qt's offscreen
// platform unless another is asked for.
int main(int argc, char** argv) {
  std::optional<bw::test::ProcessHome> home;
  if (!bw::test::IsDeathTestChild(argc, argv)) home.emplace();
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  bw::TApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
