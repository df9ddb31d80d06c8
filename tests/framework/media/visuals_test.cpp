#include "framework/media/visuals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/media/canvas_placement.h"
#include "platform/graphics_state.h"
#include "reset_rooms.h"

namespace kelp {
namespace {

std::vector<std::string> g_log;

// An effect that records its updates and draws, and can die, spawn or
// remove a neighbour from inside its update.
class Probe : public TVisuals {
 public:
  explicit Probe(std::string n) : name(std::move(n)) {}
  std::string name;
  float total_dt = 0.0f;
  int die_at = -1;  // dies in this update (counted from 0)
  int updates = 0;
  std::function<void()> on_update;
  float origin_x = -1.0f, origin_y = -1.0f;

  void Update(float dt) override {
    total_dt += dt;
    g_log.push_back("u:" + name);
    if (updates++ == die_at) Death = 1;
    if (on_update) on_update();
  }
  void Draw() override {
    platform::GetOrigin(origin_x, origin_y);
    g_log.push_back("d:" + name);
  }
};

Ref<Probe> Add(const std::string& name) {
  auto p = New<Probe>(name);
  VisualsList.AddLast(p);
  return p;
}

class Visuals : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    g_log.clear();
  }
  void TearDown() override {
    testsupport::ResetMediaRooms();
    platform::ResetDrawState();
  }
};

TEST_F(Visuals, EachLayerDrawsOnlyItsFlagCombination) {
  struct Row {
    int under, over, drawable;
    const char* drawn_by;  // "", "normal", "under" or "over"
  };
  const Row rows[] = {
      {0, 0, 1, "normal"}, {1, 0, 1, "under"}, {0, 1, 1, "over"}, {1, 1, 1, ""},
      {0, 0, 0, ""},       {1, 0, 0, ""},      {0, 1, 0, ""},
  };
  for (const Row& r : rows) {
    VisualsList.Clear();
    g_log.clear();
    auto p = Add("p");
    p->Under = r.under;
    p->Over = r.over;
    p->Drawable = r.drawable;
    std::string drawn;
    TVisuals::DrawVisuals();
    if (!g_log.empty()) drawn += "normal";
    g_log.clear();
    TVisuals::DrawVisuals_Under();
    if (!g_log.empty()) drawn += "under";
    g_log.clear();
    TVisuals::DrawVisuals_Over();
    if (!g_log.empty()) drawn += "over";
    EXPECT_EQ(drawn, r.drawn_by) << "Under " << r.under << " Over " << r.over << " Drawable " << r.drawable;
    // Updated all the same.
    g_log.clear();
    TVisuals::UpdateVisuals(1.0f);
    EXPECT_EQ(g_log, std::vector<std::string>{"u:p"});
  }
}

TEST_F(Visuals, LayersDrawInCreationOrderInsideTheWideCanvasAndRestoreTheOrigin) {
  CanvasOffsetX = 80;
  platform::SetOrigin(5.0f, 7.0f);
  auto a = Add("a");
  auto b = Add("b");
  TVisuals::DrawVisuals();
  EXPECT_EQ(g_log, (std::vector<std::string>{"d:a", "d:b"}));
  EXPECT_EQ(a->origin_x, 80.0f);
  EXPECT_EQ(a->origin_y, 0.0f);
  float ox, oy;
  platform::GetOrigin(ox, oy);
  EXPECT_EQ(ox, 5.0f);
  EXPECT_EQ(oy, 7.0f);
}

TEST_F(Visuals, UpdatePassesTheFrameFactorAndDropsTheDeadAfterTheirUpdate) {
  auto a = Add("a");
  auto b = Add("b");
  b->die_at = 1;
  TVisuals::UpdateVisuals(0.5f);
  TVisuals::UpdateVisuals(2.0f);
  EXPECT_FLOAT_EQ(a->total_dt, 2.5f);
  EXPECT_FLOAT_EQ(b->total_dt, 2.5f);  // its last update still ran
  ASSERT_EQ(VisualsList.Count(), 1u);
  EXPECT_EQ(VisualsList.First(), a);
  // Dead in this frame's update: not in this frame's draw.
  g_log.clear();
  TVisuals::DrawVisuals();
  EXPECT_EQ(g_log, std::vector<std::string>{"d:a"});
  // Factor 0 (a paused frame) still updates.
  TVisuals::UpdateVisuals(0.0f);
  EXPECT_FLOAT_EQ(a->total_dt, 2.5f);
}

TEST_F(Visuals, EffectsMadeOrRemovedDuringTheUpdateKeepTheOrder) {
  auto a = Add("a");
  auto b = Add("b");
  auto c = Add("c");
  // a spawns a new effect, b removes its neighbour c.
  a->on_update = [&] {
    if (a->updates == 1) Add("n");
  };
  b->on_update = [&] { VisualsList.Remove(c); };
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(g_log, (std::vector<std::string>{"u:a", "u:b", "u:n"}));
  ASSERT_EQ(VisualsList.Count(), 3u);
  EXPECT_EQ(VisualsList.Last()->Death, 0);
  // An effect that takes itself out and dies in the same update.
  a->on_update = [&] {
    VisualsList.Remove(a);
    a->Death = 1;
  };
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(VisualsList.Count(), 2u);
  EXPECT_FALSE(VisualsList.Contains(a.get()));
}

TEST_F(Visuals, ClearKeepsConstantEffectsAndEmptiesArcsAndChainLights) {
  auto fade = Add("fade");
  fade->Constant = 1;
  Add("flash");
  Add("shake");
  int electro_cleared = 0, lights_cleared = 0;
  VisualsHooks.ClearElectro = [&] { ++electro_cleared; };
  VisualsHooks.ClearLights = [&] { ++lights_cleared; };
  TVisuals::ClearVisuals();
  ASSERT_EQ(VisualsList.Count(), 1u);
  EXPECT_EQ(VisualsList.First(), fade);
  EXPECT_EQ(electro_cleared, 1);
  EXPECT_EQ(lights_cleared, 1);
}

TEST_F(Visuals, ArcsAndChainLightsUpdateFirstAndLightsDrawInTheNormalLayer) {
  Add("a");
  VisualsHooks.UpdateLights = [](float dt) { g_log.push_back("lights " + std::to_string(static_cast<int>(dt))); };
  VisualsHooks.UpdateElectro = [](float dt) { g_log.push_back("electro " + std::to_string(static_cast<int>(dt))); };
  VisualsHooks.DrawLights = [] { g_log.push_back("draw lights"); };
  TVisuals::UpdateVisuals(2.0f);
  TVisuals::DrawVisuals_Under();
  TVisuals::DrawVisuals();
  TVisuals::DrawVisuals_Over();
  EXPECT_EQ(g_log, (std::vector<std::string>{"lights 2", "electro 2", "u:a", "draw lights", "d:a"}));
}

TEST_F(Visuals, ReleasedEffectLeavesTheListAndSurvivesWithItsHolder) {
  auto a = Add("a");
  ReleaseFromVisuals(a);
  ReleaseFromVisuals(a);
  ReleaseFromVisuals(nullptr);
  EXPECT_TRUE(VisualsList.IsEmpty());
  TVisuals::UpdateVisuals(1.0f);
  EXPECT_EQ(a->updates, 0);
}

}  // namespace
}  // namespace kelp
