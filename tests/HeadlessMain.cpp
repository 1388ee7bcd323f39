#include <gtest/gtest.h>

#include "window/Headless.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new HeadlessEnvironment);
  return RUN_ALL_TESTS();
}
