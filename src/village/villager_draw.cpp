// Drawing the villagers back to front: shadow, body by facing and depth,
// highlight ring and emotion bubble.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "framework/core/numeric.h"
#include "framework/media/anim_image.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "village/snapshot.h"
#include "village/sprite_sizes.h"
#include "village/village.h"
#include "village/villager.h"

namespace kelp {

SpriteSizes VillagerSprites;

namespace {

const char* BubbleId(int emotion) {
  switch (emotion) {
    case TVillageCreature::HAPPY: return "IMAGE_EM_HAPPY";
    case TVillageCreature::HOME: return "IMAGE_EM_HOME";
    case TVillageCreature::SLEEP: return "IMAGE_EM_SLEEP";
    case TVillageCreature::QUEST: return "IMAGE_EM_QUEST";
    case TVillageCreature::TAVERN: return "IMAGE_EM_TAVERN";
    case TVillageCreature::TREES: return "IMAGE_EM_TREES";
    case TVillageCreature::UNHAPPY: return "IMAGE_EM_UNHAPPY";
    case TVillageCreature::SCHOOL: return "IMAGE_EM_SCHOOL";
    case TVillageCreature::MARKET: return "IMAGE_EM_MARKET";
    case TVillageCreature::TELESCOPE: return "IMAGE_EM_TELESCOPE";
    case TVillageCreature::MAGIC: return "IMAGE_EM_MAGIC";
    default: return nullptr;
  }
}

// Bubble pictures, looked up once per resource manager (a missing one is
// reported once, not every frame).
platform::ImageRef Bubble(int emotion) {
  static const TResManager* owner = nullptr;
  static std::array<platform::ImageRef, 13> cache;
  static std::array<bool, 13> looked{};
  if (owner != ResManager.get()) {
    owner = ResManager.get();
    cache = {};
    looked = {};
  }
  const char* id = BubbleId(emotion);
  if (!id || !ResManager || emotion < 0 || emotion >= 13) return nullptr;
  if (!looked[static_cast<size_t>(emotion)]) {
    looked[static_cast<size_t>(emotion)] = true;
    cache[static_cast<size_t>(emotion)] = ResManager->GetImage(id);
  }
  return cache[static_cast<size_t>(emotion)];
}

}  // namespace

void TVillageCreature::DrawCreatures() {
  std::vector<Ref<TVillageCreature>> all = Snapshot(VillageCreatures);
  const auto before = [](const Ref<TVillageCreature>& a, const Ref<TVillageCreature>& b) {
    return SortCreatures(*b, *a) == 1;  // smaller y first
  };
  if (!std::is_sorted(all.begin(), all.end(), before)) {
    std::stable_sort(all.begin(), all.end(), before);
    VillageCreatures.Clear();
    for (const Ref<TVillageCreature>& c : all) VillageCreatures.AddLast(c);
  }
  PushGraphicsState();
  for (const Ref<TVillageCreature>& c : all) c->Draw();
  PopGraphicsState();
}

void TVillageCreature::Draw() {
  if (hided || in_da_house) return;
  const float z = VillageScreen ? VillageScreen->Closing_scale : 1.0f;
  PushGraphicsState();
  if (HighLighted && HighLight_Img) {
    PushGraphicsState();
    platform::SetBlend(platform::LIGHTBLEND);
    platform::SetAlpha(1.0f);
    platform::SetScale(1.0f, 1.0f);
    platform::DrawImage(HighLight_Img, x * z, y * z);
    PopGraphicsState();
  }
  const int f = ((Int(angle / 45.0f) + 4) % 8 + 8) % 8;
  const platform::ImageRef body = CreatureAnim ? CreatureAnim->Image : nullptr;
  const int frame = body && f < body->Frames() ? f : 0;
  if (body) {
    PushGraphicsState();
    platform::SetScale((scale + jump_h / 50.0f) * z, (jump_scale + jump_h / 50.0f) * z);
    platform::SetColor(20, 20, 20);
    platform::SetAlpha(0.4f);
    DrawSized(VillagerSprites, body, (x + 2) * z, (y - 3) * z, frame, 4);
    PopGraphicsState();
  }
  if (VillageScreen) ApplyColor(VillageScreen->VillageColor);
  if (body) {
    platform::SetScale(scale * z, jump_scale * z);
    platform::SetAlpha(1.0f);
    DrawSized(VillagerSprites, body, x * z, (y - 5 + jump_h) * z, frame, 2);
  }
  if (const platform::ImageRef bubble = Bubble(Emotion)) {
    platform::SetAlpha(Emotion_alpha);
    platform::SetScale(Emotion_scale * z, Emotion_scale * z);
    const int ef = std::clamp(Emotion_frame, 0, bubble->Frames() - 1);
    platform::DrawImage(bubble, (x + 10) * z, (y - 30 + jump_h + Emotion_dy) * z, ef);
  }
  PopGraphicsState();
}

void TVillageCreature::DebugDraw() {
  PushGraphicsState();
  platform::SetColor(200, 0, 0);
  float ly = y - 60;
  for (int i = 0; i < 8; ++i, ly += 10)
    platform::DrawText(std::to_string(i) + ": " + std::to_string(Int(all_needs[i][0])), x + 20, ly);
  platform::DrawText("needs: " + std::to_string(needs.Count()), x + 20, ly);
  if (const Ref<TCreatureNeed> need = needs.First()) {
    platform::DrawText("id: " + std::to_string(need->id), x + 20, ly + 10);
    platform::DrawText("status: " + std::to_string(need->status), x + 20, ly + 20);
  }
  PopGraphicsState();
}

}  // namespace kelp
