// The main of every test program: headless SDL drivers unless the caller chose
// others, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("KELP_TEST_DATA", KELP_TEST_DATA_DIR, 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
