#pragma once
// Made-up resources registered in ResManager as if a scope had loaded them:
// pictures as "img/<id>.png", effects as "fx/<id>.xml", all in the scope
// "test". For tests that draw through resource ids without a data set.
#include <string>

#include "draw_probe.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "platform/image.h"

namespace testsupport {

// A picture under an id (a 4 x 4 white one when none is given); the picture.
inline platform::ImageRef AddImage(const std::string& id,
                                   platform::ImageRef image = draw_probe::Solid(4, 4, 0xFFFFFFFFu)) {
  auto res = kelp::New<kelp::TResImage>();
  kelp::ResManager->ResAddData("img/" + id + ".png", id, res, "test");
  res->Data = image;
  return image;
}

// An animation of the strip's frames, `speed` ms a frame.
inline kelp::Ref<kelp::TResAnimImage> AddAnim(const std::string& id, const platform::ImageRef& image,
                                              int speed = 50) {
  auto res = kelp::New<kelp::TResAnimImage>();
  kelp::ResManager->ResAddData("img/" + id + ".png", id, res, "test");
  res->FrameWidth = image->Width();
  res->FrameHeight = image->Height();
  res->FramesNum = image->Frames();
  res->AnimSpeed = speed;
  res->Data = image;
  return res;
}

inline void AddEffect(const std::string& id, const kelp::Ref<kelp::TEffect>& effect) {
  auto res = kelp::New<kelp::TResEffect>();
  kelp::ResManager->ResAddData("fx/" + id + ".xml", id, res, "test");
  res->Data = effect;
}

}  // namespace testsupport
