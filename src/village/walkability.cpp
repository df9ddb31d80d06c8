#include "village/walkability.h"

#include <cmath>

#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "village/nodes.h"
#include "village/village.h"
#include "village/villager.h"

namespace kelp {

platform::PixmapRef WalkabilityMap;

bool LoadWalkabilityMap(const std::string& path) {
  WalkabilityMap = nullptr;
  if (platform::StreamRef s = OpenPakStream(path)) WalkabilityMap = platform::LoadPixmap(*s);
  if (!WalkabilityMap)
    WriteLog("[Village ERROR : Load] the walkability map " + path +
                 " does not load; villagers can be dropped only near the paths",
             LOG_ERROR);
  return WalkabilityMap != nullptr;
}

int WalkabilityOriginX() { return CurrentVillage == TVillageMode::SNOW ? 374 : 0; }

int TVillageCreature::CheckWalkability(float x, float y) {
  if (!WalkabilityMap) {
    for (const Ref<TNode>& n : Nodes) {
      if (n->Unwalkable) continue;
      const float r = static_cast<float>(n->Radius + WalkabilityFallbackMargin);
      if (std::fabs(x - n->x) <= r && std::fabs(y - n->y) <= r) return 1;
    }
    return 0;
  }
  const int px = static_cast<int>(x) + WalkabilityOriginX(), py = static_cast<int>(y);
  if (px < 0 || py < 0 || px >= WalkabilityMap->Width() || py >= WalkabilityMap->Height()) return 0;
  const uint32_t c = WalkabilityMap->ReadPixel(px, py);
  if (c == 0) return 0;
  const int sum = static_cast<int>((c >> 16) & 255) + static_cast<int>((c >> 8) & 255) + static_cast<int>(c & 255);
  return sum > 60 ? 1 : 0;
}

}  // namespace kelp
