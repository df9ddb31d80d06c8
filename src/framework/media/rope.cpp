#include "framework/media/rope.h"

#include <cmath>
#include <numbers>

#include "framework/media/graphics_state.h"
#include "framework/media/textured_poly.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr float kHalfWidth = 4.0f;

float LinkAngle(const RopeLink& l) {
  return static_cast<float>(std::atan2(double(l.y2) - l.y1, double(l.x2) - l.x1) / kDeg);
}

// The left normal of a direction, half a strip long.
void Normal(float degrees, float& nx, float& ny) {
  nx = static_cast<float>(std::sin(degrees * kDeg)) * kHalfWidth;
  ny = -static_cast<float>(std::cos(degrees * kDeg)) * kHalfWidth;
}

// Halfway between two directions along the shorter way round: a plain mean of
// 170 and -170 would point backwards and twist the strip at that joint.
float JointAngle(float g, float next) {
  float d = std::fmod(next - g, 360.0f);
  if (d > 180.0f) d -= 360.0f;
  if (d <= -180.0f) d += 360.0f;
  return g + d / 2;
}

}  // namespace

void DrawImageTriple(float x, float y, float dx, float dy, const platform::ImageRef& image, int frame) {
  platform::DrawImage(image, x - 1.2f * dx, y - 1.2f * dy, frame);
  platform::DrawImage(image, x - 0.5f * dx, y - 0.5f * dy, frame);
  platform::DrawImage(image, x + 0.2f * dx, y + 0.2f * dy, frame);
}

void DrawRope(std::span<const RopeLink> links, const platform::ImageRef& strip, const platform::ImageRef& endImage) {
  if (links.empty()) return;
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  float e = LinkAngle(links[0]);
  float endX = 0.0f, endY = 0.0f;
  for (size_t i = 0; i < links.size(); ++i) {
    const RopeLink& l = links[i];
    const float g = LinkAngle(l);
    const float f = i + 1 < links.size() ? JointAngle(g, LinkAngle(links[i + 1])) : g;
    float nex, ney, nfx, nfy;
    Normal(e, nex, ney);
    Normal(f, nfx, nfy);
    const float quad[16] = {l.x2 + nfx, l.y2 + nfy, 1, 0, l.x1 + nex, l.y1 + ney, 0, 0,
                            l.x1 - nex, l.y1 - ney, 0, 1, l.x2 - nfx, l.y2 - nfy, 1, 1};
    DrawTexturedPoly(strip, quad, 0, -1);
    endX = l.x1 - nex;
    endY = l.y1 - ney;
    e = f;
  }
  if (!endImage) return;
  // Placed at the last quad's corner, but turned along the last link itself.
  PushGraphicsState();
  platform::SetRotation(e);
  platform::SetBlend(platform::ALPHABLEND);
  platform::DrawImage(endImage, endX, endY, 0);
  PopGraphicsState();
}

}  // namespace kelp
