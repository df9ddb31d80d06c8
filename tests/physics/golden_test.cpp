// The golden determinism check: standard scenes run a fixed number of steps
// and must give the stored hash of every particle's position, in the GCC and
// in the clang build alike. A change of float contraction, of library maths
// or of the order of the step's work shows here at once. When a change of the
// step's results is meant, the new hashes go in with the commit that says why.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "framework/core/core_globals.h"
#include "framework/core/frame_clock.h"
#include "physics/physics_globals.h"
#include "scenes/physics_scenes.h"

using namespace kelp;
using namespace scenes;

namespace {

std::string Hex(uint64_t v) {
  char s[20];
  std::snprintf(s, sizeof s, "%016llx", static_cast<unsigned long long>(v));
  return s;
}

struct Golden {
  const char* scene;
  std::function<std::unique_ptr<TPhysEngine>()> build;
  int steps;
  uint64_t hash;
};

}  // namespace

TEST(Golden, StandardScenesGiveTheStoredPositionHash) {
  ResetCoreGlobals();
  ResetPhysicsGlobals();
  const Golden cases[] = {
      // Boxes fall into the play field, settle, and an explosion throws them about.
      {"field of 30 boxes with a blast",
       [] {
         auto e = BoxField(30, kPlayColumns);
         Steps(*e, 300);
         TForce::Create(380, 450, 150, 210, 30, e.get(), 0);
         return e;
       },
       300, 0x5817202a0ac589fbull},
      // A pile ten rows high: glue made, kept and capped under load.
      {"pile of 10 rows", [] { return Pile(10); }, 400, 0x47f4d5cca9c5c27bull},
      // A field twice as wide, as the larger benchmarks use.
      {"field of 120 boxes", [] { return BoxField(120, FieldColumns(120)); }, 200, 0xbb2cf9743707ac16ull},
  };
  for (const Golden& c : cases) {
    GameTime = 1000;
    auto e = c.build();
    Steps(*e, c.steps);
    ASSERT_TRUE(AllFinite(*e)) << c.scene;
    EXPECT_EQ(Hex(PositionHash(*e)), Hex(c.hash)) << c.scene;
  }
  ResetCoreGlobals();
}
