// The villagers in the village's light, drawn by the whole village screen on
// the authored data: by day and by night, in both villages, the villagers out
// on the screen must stand out from the ground where they stand (a villager
// lost in the night's tint, or not drawn at all, leaves it as it was).
#include "../../tools/village_view/village_view.h"
#include "framework/media/canvas_placement.h"
#include "village_fixture.h"

namespace kelp::village_test {
namespace {

// Pixels where two canvases differ by more than a faint shade in some channel.
int Seen(const platform::Pixmap& with, const platform::Pixmap& without) {
  int n = 0;
  for (int y = 0; y < with.Height(); ++y)
    for (int x = 0; x < with.Width(); ++x) {
      const uint32_t a = with.ReadPixel(x, y), b = without.ReadPixel(x, y);
      for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > 24) {
          ++n;
          break;
        }
    }
  return n;
}

TEST(VillageLight, VillagersOnTheScreenAreSeenByDayAndByNight) {
  struct Case {
    int village, stage;
  };
  const Case cases[] = {{TVillageMode::DESERT, 10}, {TVillageMode::SNOW, 20}, {TVillageMode::SNOW, 30}};
  char* cwd = getcwd(nullptr, 0);
  const std::string old_cwd = cwd ? cwd : ".";
  std::free(cwd);
  for (const Case& c : cases) {
    ResetVillage();
    ASSERT_TRUE(village_view::Open(KELP_DATA_ROOT, true)) << "no data set in " << KELP_DATA_ROOT;
    ASSERT_TRUE(village_view::Start(c.village, c.stage, 12, 5));
    TVillageMode& v = *VillageScreen;
    v.Hidden = 0;
    v.Scroll_x = static_cast<float>(CanvasOffsetX - 100);
    for (int i = 0; i < 600; ++i) village_view::Frame();
    for (const int phase : {TVillageMode::DAY, TVillageMode::NIGHT}) {
      const std::string what = "village " + std::to_string(c.village) + ", stage " + std::to_string(c.stage) +
                               (phase == TVillageMode::DAY ? ", day" : ", night");
      v.TimeStop = 1;  // the phase's own light, held
      v.DayTime = phase - 1;
      v.NextDayTime();
      ASSERT_EQ(v.DayTime, phase);
      v.Draw();
      const platform::PixmapRef all = platform::GrabCanvas();
      ASSERT_TRUE(all);
      int out = 0, seen = 0;
      for (const Ref<TVillageCreature>& villager : Snapshot(VillageCreatures)) {
        const float sx = villager->x + v.Scroll_x + static_cast<float>(CanvasOffsetX);
        if (villager->hided || villager->in_da_house || sx < CanvasOffsetX + 40.0f ||
            sx > CanvasOffsetX + 760.0f || villager->y < 60.0f || villager->y > 560.0f)
          continue;
        ++out;
        villager->hided = 1;
        v.Draw();
        villager->hided = 0;
        const platform::PixmapRef without = platform::GrabCanvas();
        ASSERT_TRUE(without);
        if (Seen(*all, *without) >= 40) ++seen;
      }
      // A few may stand behind a palm or a house in front of them.
      EXPECT_GE(out, 3) << what << ": too few villagers out on the screen to tell";
      EXPECT_GE(seen * 4, out * 3) << what << ": " << seen << " of " << out << " villagers on the screen are seen";
    }
    village_view::Close();
  }
  ResetVillage();
  EXPECT_EQ(chdir(old_cwd.c_str()), 0);
}

}  // namespace
}  // namespace kelp::village_test
