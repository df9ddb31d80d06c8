// Upgrade trees from any bytes: what loads has unique, non-empty names and
// ids 1..n in order, and linking, building everything, settling villagers
// and clearing the tree always finish. The lines may name the pictures
// "p/a.png" (with a light and an over picture) and "p/b.png" (with a mask).
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "framework/core/frame_clock.h"
#include "framework/core/numbers.h"
#include "framework/media/visuals.h"
#include "fuzz_check.h"
#include "platform/image.h"
#include "platform/stream.h"
#include "village/nodes.h"
#include "village/snapshot.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/villager.h"

using namespace kelp;

namespace {

using fuzz::Check;

// The pictures' folder, and the folder the run started in: libFuzzer reads
// the corpus by the paths it was given, so each input goes back there.
std::filesystem::path g_pictures, g_home;

bool Setup() {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("kelp_fuzz_upgrades_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "p");
  platform::Pixmap pic(6, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) pic.WritePixel(x, y, x < 3 ? 0xFF804020u : 0x10FFFFFFu);
  for (const char* name : {"a.png", "a_light.png", "a_over.png", "b.png", "b_.png"})
    platform::SavePixmapPNG(pic, (dir / "p" / name).string());
  g_pictures = dir;
  g_home = std::filesystem::current_path();
  VillageScreen = New<TVillageMode>();
  GameTime = 100000;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = Setup();
  if (!ready || chdir(g_pictures.c_str()) != 0) return 0;
  auto stream = platform::OpenMemory(std::string_view(reinterpret_cast<const char*>(data), size));
  if (TUpgrade::LoadFrom(*stream)) {
    std::set<std::string> names;
    int id = 0;
    for (const Ref<TUpgrade>& u : Upgrades) {
      Check(!u->upgrade_name.empty());
      Check(names.insert(Lower(u->upgrade_name)).second);
      Check(u->ID == ++id);
      Check(u->Image && u->w == u->Image->Width() && u->Hide == 1);
      Check(std::fabs(u->x) <= 100000.0f && std::fabs(u->y) <= 100000.0f);  // NaN fails too
      for (int v : {u->cx, u->cy, u->px, u->py}) Check(v >= -100000 && v <= 100000);
    }
    TUpgrade::FindParents();
    for (int i = 0; i < 3; ++i) TVillageCreature::Create(0, 0, 2, 1 + i);
    for (const Ref<TUpgrade>& u : Snapshot(Upgrades)) {
      u->BuildStart();
      for (const Ref<TUpgrade>& b : Snapshot(Upgrades))
        if (b->building) b->BuildFinish();
    }
    TUpgrade::SettleAllCreatures();
    for (const Ref<TVillageCreature>& c : VillageCreatures)
      if (const Ref<TUpgrade> home = c->Home()) c->IntoHouse(home);
    TUpgrade::CountBuilt();
    for (const Ref<TUpgrade>& u : Upgrades) {
      u->Update(1.0f);
      TUpgrade::HoverUpgrade(static_cast<int>(u->x) + 1, static_cast<int>(u->y) + 1);
    }
  }
  TVillageCreature::Clear();
  TUpgrade::Clear();
  Check(Upgrades.IsEmpty());
  // Labels, blinkers and screen shakes of the building: nothing of this input
  // is left held (libFuzzer checks for leaks after any input that is).
  VisualsList.Clear();
  if (chdir(g_home.c_str()) != 0) std::abort();
  return 0;
}
