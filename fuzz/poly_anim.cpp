// Polygon scene files from any bytes: only meshes with three or more points
// and an image are kept, and updating and drawing them (on a small headless
// canvas) always finishes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/media/poly_anim.h"
#include "framework/media/resources.h"
#include "fuzz_check.h"
#include "platform/draw.h"
#include "platform/stream.h"
#include "platform/window.h"

using namespace kelp;

namespace {

using fuzz::Check;

bool Setup() {
  platform::OpenGraphics(64, 64, 0, 60, true);
  for (const char* id : {"IMAGE_LEAF", "0"}) {
    auto res = New<TResImage>();
    ResManager->ResAddData("leaf.png", id, res, "fuzz");
    res->Data = platform::CreateImage(4, 4, 1, 0);
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = Setup();
  (void)ready;
  TPolyAnim::ClearPoly();
  TPolyAnim::Load(platform::OpenMemory(std::string_view(reinterpret_cast<const char*>(data), size)));
  for (const auto& anim : PolyAnims()) {
    Check(anim->Points.Count() >= 3);
    Check(anim->Image != nullptr);
  }
  for (float dt : {1.0f, 0.0f, 7.5f, -3.0f}) {
    TPolyAnim::UpdateAnim(dt);
    for (const auto& anim : PolyAnims()) Check(anim->xyuv.size() == 4 * anim->Points.Count());
    for (int layer = -1; layer <= 2; ++layer) TPolyAnim::DrawAnim(layer);
  }
  TPolyAnim::DebugDrawAnim();
  TPolyAnim::ClearPoly();
  Check(PolyAnims().Count() == 0);
  return 0;
}
