#include <gtest/gtest.h>

#include "Headless.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new HeadlessEnvironment);
  return RUN_ALL_TESTS();
}
