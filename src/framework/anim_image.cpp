#include "framework/anim_image.h"

#include "framework/frame_clock.h"
#include "framework/log.h"
#include "framework/resources.h"

namespace kelp {

Ref<TAnimImage> TAnimImage::Load2(const std::string& id, int animSpeed) {
  Ref<TRes> res = ResManager ? ResManager->GetRes(id) : nullptr;
  auto strip = As<TResAnimImage>(res);
  if (!strip) {
    if (res) WriteLog("not an animated image: " + id, LOG_ERROR);
    return nullptr;
  }
  auto anim = New<TAnimImage>();
  anim->ResName = id;
  if (auto* image = std::get_if<platform::ImageRef>(&strip->Data)) anim->Image = *image;
  anim->Frames = strip->FramesNum;
  anim->FrameWidth = strip->FrameWidth;
  anim->FrameHeight = strip->FrameHeight;
  anim->AnimSpeed = animSpeed == -1 ? strip->AnimSpeed : animSpeed;
  anim->UpdTime = GameTime;
  return anim;
}

}  // namespace kelp
