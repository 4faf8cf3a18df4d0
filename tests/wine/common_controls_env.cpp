// The program registers its common control classes once at start; the tests that make its
// windows do the same before the first test.
#include <gtest/gtest.h>

#include "zeq/win32/window.h"

namespace {

class CommonControls : public ::testing::Environment {
 public:
  void SetUp() override { ruvano::RegisterCommonControlClasses(); }
};

[[maybe_unused]] ::testing::Environment* const kCommonControls =
    ::testing::AddGlobalTestEnvironment(new CommonControls);

}  // namespace
