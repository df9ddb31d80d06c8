// The game's binding tables: every id once, each row of the kind its id names.
#include "world/resource_bindings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kelp {
namespace {

TEST(ResourceBindings, BindingTablesHoldEveryIdOnceWithTheRightKind) {
  std::set<std::string> ids;
  size_t rows = 0, named = 0;
  for (auto table : {InitBindings(), MenuBindings(), MapBindings(), VillageBindings(), Village2Bindings(),
                     ComicsIntroBindings()}) {
    for (const TBinding& row : table) {
      ++rows;
      EXPECT_TRUE(ids.insert(row.id).second) << row.id;
      const int targets = (row.image != nullptr) + (row.font != nullptr) + (row.effect != nullptr);
      EXPECT_LE(targets, 1) << row.id;
      named += targets;
      const std::string id = row.id;
      const TBindKind want = id.rfind("FONT_", 0) == 0 ? BIND_FONT : id.rfind("EFFECT_", 0) == 0 ? BIND_EFFECT : BIND_IMAGE;
      EXPECT_EQ(row.kind, want) << id;
      EXPECT_TRUE(!row.image || want == BIND_IMAGE) << id;
      EXPECT_TRUE(!row.font || want == BIND_FONT) << id;
      EXPECT_TRUE(!row.effect || want == BIND_EFFECT) << id;
    }
  }
  EXPECT_EQ(rows, 571u);
  EXPECT_EQ(named, 144u);
}

}  // namespace
}  // namespace kelp
