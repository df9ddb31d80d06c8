#include "framework/media/anim_image.h"

#include <algorithm>
#include <cstdint>

#include "framework/core/frame_clock.h"
#include "framework/files/log.h"
#include "framework/media/resources.h"
#include "platform/draw.h"

namespace kelp {

namespace {

Ref<TResAnimImage> FindStrip(const std::string& id) {
  return ResManager ? As<TResAnimImage>(ResManager->GetRes(id)) : nullptr;
}

platform::ImageRef StripImage(const TResAnimImage& strip) {
  if (auto* image = std::get_if<platform::ImageRef>(&strip.Data)) return *image;
  return nullptr;
}

}  // namespace

Ref<TAnimImage> TAnimImage::Load2(const std::string& id, int animSpeed) {
  auto anim = New<TAnimImage>();
  anim->ResName = id;
  anim->UpdTime = GameTime;
  Ref<TResAnimImage> strip = FindStrip(id);
  if (!strip) {
    // Callers keep setting fields of the player, so it must exist: one that draws nothing.
    WriteLog("no animated image \"" + id + "\"", LOG_WARNING);
    anim->Frames = 1;
    anim->AnimSpeed = std::max(animSpeed, 0);
    return anim;
  }
  anim->Image = StripImage(*strip);
  anim->Frames = strip->FramesNum;
  anim->FrameWidth = strip->FrameWidth;
  anim->FrameHeight = strip->FrameHeight;
  anim->AnimSpeed = animSpeed == -1 ? strip->AnimSpeed : animSpeed;
  return anim;
}

bool TAnimImage::CheckComplete() const { return Frame >= Frames - 1; }

void TAnimImage::Step() {
  if (AnimSpeed <= 0 || Paused) return;
  if (static_cast<int64_t>(GameTime) <= static_cast<int64_t>(UpdTime) + AnimSpeed) return;
  ++Frame;
  if (Frame >= Frames) Frame = 0;
  UpdTime = GameTime;
}

void TAnimImage::Draw(float x, float y) {
  if (OneShoot && Frame == Frames - 1) Paused = 1;
  Step();
  if (!Image) return;
  // Callers set Frame directly; never ask for a frame the strip lacks.
  const int frame = std::clamp(Frame, 0, std::max(Image->Frames() - 1, 0));
  platform::DrawImage(Image, x, y, frame);
}

void TAnimImage::Update() {
  if (OneShoot && Frame == Frames - 1) {
    Paused = 1;
    Frame = 0;
  }
  Step();
}

void DrawAnimImage(const Ref<TAnimImage>& anim, float x, float y) {
  if (anim) anim->Draw(x, y);
}

Ref<TAnimImage> CreateMirrorImage(const Ref<TAnimImage>& anim) {
  if (!anim) return nullptr;
  Ref<TResAnimImage> strip = FindStrip(anim->ResName);
  if (!strip) return nullptr;
  const platform::ImageRef normal = StripImage(*strip);
  platform::ImageRef image = anim->Mirrored ? normal : strip->MirrorImage;
  if (image) {
    anim->Image = image;
    anim->Mirrored = anim->Mirrored ? 0 : 1;
    return nullptr;
  }
  anim->Image = normal;
  if (!normal) return nullptr;
  // Every frame flipped left to right; the handle is mirrored with it.
  strip->MirrorImage = normal->MirrorX();
  anim->Image = strip->MirrorImage;
  WriteLog("Create mirror image for: " + anim->ResName, LOG_MESSAGE);
  anim->Mirrored = anim->Mirrored ? 0 : 1;
  return anim;
}

}  // namespace kelp
