// The command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/startup.h"
#include "framework/core/startup_settings.h"
#include "reset_rooms.h"

namespace kelp {
namespace {

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetAppRooms(); }
  void TearDown() override { testsupport::ResetAppRooms(); }
};

TEST_F(CommandLine, ArgumentsSetTheStartSettings) {
  const struct {
    std::vector<std::string> args;
    int debug, level, ogl, dx7, depth;
  } cases[] = {
      {{}, 0, 1, 0, 0, 32},
      {{"debug"}, 1, 1, 0, 0, 32},
      {{"debug", "7"}, 1, 7, 0, 0, 32},
      {{"DEBUG", "16"}, 1, 16, 0, 0, 16},  // both a level and 16-bit colour
      {{"Ogl"}, 0, 1, 1, 0, 32},
      {{"DX7"}, 0, 1, 0, 1, 32},
      {{"dx7", "16"}, 0, 1, 0, 1, 16},
      {{"ogl", "dx7"}, 0, 1, 1, 0, 32},  // only the first argument chooses the renderer
      {{"16", "16"}, 0, 1, 0, 0, 16},
      {{"7"}, 0, 1, 0, 0, 32},           // a level without "debug" does nothing
      {{"debug", "$10"}, 1, 16, 0, 0, 32},
      {{"debug", "%101"}, 1, 5, 0, 0, 32},
      {{"debug", " +3"}, 1, 3, 0, 0, 32},
      {{"debug", "99"}, 1, 99, 0, 0, 32},
      // Not a level: refused, the game starts at level 1.
      {{"debug", "abc"}, 1, 1, 0, 0, 32},
      {{"debug", "7x"}, 1, 1, 0, 0, 32},
      {{"debug", "0"}, 1, 1, 0, 0, 32},
      {{"debug", "-3"}, 1, 1, 0, 0, 32},
      {{"debug", "100"}, 1, 1, 0, 0, 32},
      {{"debug", "99999999999999999999"}, 1, 1, 0, 0, 32},
      {{"debug", "$"}, 1, 1, 0, 0, 32},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"/opt/kelp/kelp"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::string shown;
    for (const std::string& a : c.args) shown += "[" + a + "]";
    SCOPED_TRACE(shown);
    ResetCoreGlobals();
    ReadCommandLine(args);
    EXPECT_EQ(DebugMode, c.debug);
    EXPECT_EQ(StartLevel, c.level);
    EXPECT_EQ(UseOpenGL, c.ogl);
    EXPECT_EQ(UseDirect3D7, c.dx7);
    EXPECT_EQ(ColorDepth, c.depth);
  }
}

}  // namespace
}  // namespace kelp
