// The levels' scenery: each stage's picture hides the level's own backdrop
// in the play field and leaves the ground under the side panels clear, each
// stage looks unlike the one before, and the built levels carry the scenery
// of their own stage on their own island.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "art.h"

namespace {

namespace fs = std::filesystem;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface Draw(int stage, bool snow) {
  Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 800, 600), &cairo_surface_destroy);
  cairo_t* cr = cairo_create(s.get());
  kelp::art::Scenery(cr, stage, snow);
  cairo_destroy(cr);
  cairo_surface_flush(s.get());
  return s;
}

uint32_t Pixel(cairo_surface_t* s, int x, int y) {
  const unsigned char* row = cairo_image_surface_get_data(s) + static_cast<size_t>(y) * cairo_image_surface_get_stride(s);
  return reinterpret_cast<const uint32_t*>(row)[x];
}

int Channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 255); }

// The stages of the campaign: 1-18 on the desert island, 19-36 on the snow island.
bool SnowStage(int stage) { return stage >= 19; }

TEST(Scenery, EveryStageHidesTheBackdropInTheFieldAndLeavesThePanelsClear) {
  for (int stage = 1; stage <= 36; ++stage) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    Surface s = Draw(stage, SnowStage(stage));
    int seeThrough = 0, underPanels = 0;
    for (int y = 0; y < 600; y += 3)
      for (int x = 0; x < 800; x += 3) {
        const int alpha = Channel(Pixel(s.get(), x, y), 24);
        // Below the top of the sky the level's backdrop would show its own hills.
        if (x >= 196 && x < 560 && y >= 180 && alpha != 255) ++seeThrough;
        if ((x < 170 || x >= 600) && alpha != 0) ++underPanels;
      }
    EXPECT_EQ(seeThrough, 0);
    EXPECT_EQ(underPanels, 0);
  }
}

TEST(Scenery, NoTwoStagesDrawTheSamePicture) {
  std::map<std::string, int> seen;
  for (int stage = 1; stage <= 36; ++stage) {
    Surface s = Draw(stage, SnowStage(stage));
    const unsigned char* data = cairo_image_surface_get_data(s.get());
    std::string pixels(reinterpret_cast<const char*>(data),
                       static_cast<size_t>(cairo_image_surface_get_stride(s.get())) * 600);
    auto [it, fresh] = seen.emplace(std::move(pixels), stage);
    EXPECT_TRUE(fresh) << "stage " << stage << " draws the picture of stage " << it->second;
  }
}

// The built levels: stage and tileset from each staged description, and its picture.
struct Staged {
  int level = 0, stage = 0;
  bool snow = false;
  Surface art{nullptr, &cairo_surface_destroy};
};

std::vector<Staged> ReadStaged() {
  std::vector<Staged> out;
  const fs::path root = KELP_STAGED_LEVELS;
  const std::regex stageAttr(R"re(stage="(\d+)")re"), tilesetAttr(R"re(tileset="(\w+)")re");
  for (int level = 1;; ++level) {
    char name[16];
    std::snprintf(name, sizeof(name), "level%03d", level);
    const fs::path folder = root / name;
    std::ifstream xml(folder / (std::string(name) + ".xml"));
    if (!xml) break;
    std::string line, params;
    while (std::getline(xml, line))
      if (line.find("<params") != std::string::npos) {
        params = line;
        break;
      }
    Staged st;
    st.level = level;
    std::smatch m;
    if (std::regex_search(params, m, stageAttr)) st.stage = std::stoi(m[1]);
    st.snow = std::regex_search(params, m, tilesetAttr) && m[1] == "snow";
    st.art.reset(cairo_image_surface_create_from_png((folder / (std::string(name) + "_art.png")).c_str()));
    out.push_back(std::move(st));
  }
  return out;
}

// The share of the field's pixels two pictures have in common.
double Same(cairo_surface_t* a, cairo_surface_t* b) {
  int same = 0, count = 0;
  for (int y = 0; y < 600; y += 2)
    for (int x = 196; x < 560; x += 2) {
      same += Pixel(a, x, y) == Pixel(b, x, y);
      ++count;
    }
  return static_cast<double>(same) / count;
}

TEST(Scenery, EveryBuiltLevelStandsInItsOwnStagesScenery) {
  const std::vector<Staged> levels = ReadStaged();
  ASSERT_GE(levels.size(), 2u) << "no staged levels in " << KELP_STAGED_LEVELS;
  std::map<std::pair<int, bool>, Surface> drawn;
  auto scenery = [&drawn](int stage, bool snow) {
    auto it = drawn.find({stage, snow});
    if (it == drawn.end()) it = drawn.emplace(std::make_pair(stage, snow), Draw(stage, snow)).first;
    return it->second.get();
  };
  for (const Staged& st : levels) {
    SCOPED_TRACE("level " + std::to_string(st.level) + ", stage " + std::to_string(st.stage));
    ASSERT_EQ(cairo_surface_status(st.art.get()), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(st.art.get()), 800);
    ASSERT_EQ(cairo_image_surface_get_height(st.art.get()), 600);
    ASSERT_GE(st.stage, 1);
    cairo_surface_flush(st.art.get());
    // The ledges and rails cover a little of it; the rest is the scenery of
    // the level's own stage and island, not of its neighbours or the other island.
    const double own = Same(st.art.get(), scenery(st.stage, st.snow));
    EXPECT_GT(own, 0.6);
    EXPECT_LT(Same(st.art.get(), scenery(st.stage, !st.snow)), own / 2);
    if (st.stage > 1) EXPECT_LT(Same(st.art.get(), scenery(st.stage - 1, SnowStage(st.stage - 1))), own / 2);
  }
}

}  // namespace
