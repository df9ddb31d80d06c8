#include "framework/media/poly_anim.h"

#include <cmath>
#include <numbers>

#include "framework/files/log.h"
#include "framework/files/xml.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/media/textured_poly.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

ObjectList<TPolyAnim>& PolyAnims() {
  static ObjectList<TPolyAnim> list;
  return list;
}

Ref<TPoint> TPoint::Create() {
  auto p = New<TPoint>();
  p->velocity = New<TVector>();
  p->scale = New<TVector>();
  return p;
}

void TPoint::Update(float /*dt*/) {
  x = ox + velocity->x;
  y = oy + velocity->y;
}

namespace {

void LoadScene(const Ref<sdXMLnode>& root, const std::string& source) {
  if (!root) {
    WriteLog("polygon animation \"" + source + "\" could not be read", LOG_ERROR);
    return;
  }
  int index = 0;
  for (sdXMLnode* poly = FindChild(root, "Poly/"); poly; poly = poly->NextNode, ++index) {
    const std::string imageId = GetChildAttr(poly, "Image/", "value", "0");
    auto anim = New<TPolyAnim>();
    anim->Image = ResManager ? ResManager->GetImage(imageId) : nullptr;
    anim->x = GetChildAttrFloat(poly, "Pos/", "x");
    anim->y = GetChildAttrFloat(poly, "Pos/", "y");
    anim->layer = GetChildAttrInt(poly, "Pos/", "layer");
    for (sdXMLnode* pt = FindChild(poly, "Point/"); pt; pt = pt->NextNode) {
      auto p = TPoint::Create();
      p->ox = static_cast<float>(GetChildAttrInt(pt, "Pos/", "x"));
      p->oy = static_cast<float>(GetChildAttrInt(pt, "Pos/", "y"));
      p->u = GetChildAttrFloat(pt, "Tex/", "u");
      p->v = GetChildAttrFloat(pt, "Tex/", "v");
      p->scale->x = GetChildAttrFloat(pt, "Amp/", "x");
      p->scale->y = GetChildAttrFloat(pt, "Amp/", "y");
      p->anim_speed = GetChildAttrFloat(pt, "Anim/", "speed");
      p->angle = GetChildAttrFloat(pt, "Anim/", "angle");
      anim->AddPoint(p);
    }
    const std::string where = source + ", mesh " + std::to_string(index);
    if (anim->Points.Count() < 3) {
      WriteLog(where + ": fewer than three points, left out", LOG_WARNING);
    } else if (!anim->Image) {
      WriteLog(where + ": image \"" + imageId + "\" not found, left out", LOG_WARNING);
    } else {
      PolyAnims().AddLast(anim);
    }
  }
}

}  // namespace

void TPolyAnim::Load(const std::string& path) { LoadScene(ParseXMLFile(path), path); }

void TPolyAnim::Load(const platform::StreamRef& stream) {
  LoadScene(stream ? ParseXMLFile(stream) : nullptr, "stream");
}

Ref<TPolyAnim> TPolyAnim::Create() {
  auto anim = New<TPolyAnim>();
  PolyAnims().AddLast(anim);
  return anim;
}

void TPolyAnim::UpdateAnim(float dt) {
  for (const auto& anim : PolyAnims()) anim->Update(dt);
}

void TPolyAnim::DrawAnim(int layer) {
  // A scene is many polygons of a few images: those of one image in a row go in one call.
  static TTexturedBatch batch;
  platform::ImageRef image;
  for (const auto& anim : PolyAnims()) {
    if (anim->layer != layer || !anim->Image) continue;
    if (anim->Image != image) {
      batch.Draw(image, 0);
      image = anim->Image;
    }
    batch.Add(anim->xyuv);
  }
  batch.Draw(image, 0);
}

void TPolyAnim::DebugDrawAnim() {
  for (const auto& anim : PolyAnims()) anim->DebugDraw();
}

void TPolyAnim::ClearPoly() {
  for (const auto& anim : PolyAnims()) anim->Points.Clear();
  PolyAnims().Clear();
}

void TPolyAnim::AddPoint(const Ref<TPoint>& point) {
  if (point) Points.AddLast(point);
}

void TPolyAnim::Update(float dt) {
  // A broken frame factor would leave every angle NaN for good.
  if (!std::isfinite(dt)) return;
  xyuv.resize(4 * static_cast<size_t>(Points.Count()));
  size_t k = 0;
  for (const auto& p : Points) {
    p->angle += p->anim_speed * dt;
    // Wrapped fully, so a large negative speed cannot walk the angle off into imprecision.
    if (p->angle > 360.0f) p->angle = std::fmod(p->angle, 360.0f);
    if (p->angle < 0.0f) p->angle = std::fmod(p->angle, 360.0f) + 360.0f;
    const double rad = static_cast<double>(p->angle) * std::numbers::pi / 180.0;
    p->velocity->x = static_cast<float>(std::cos(rad)) * p->scale->x;
    p->velocity->y = static_cast<float>(std::sin(rad)) * p->scale->y;
    p->Update(dt);
    xyuv[4 * k] = p->x + x;
    xyuv[4 * k + 1] = p->y + y;
    xyuv[4 * k + 2] = p->u;
    xyuv[4 * k + 3] = p->v;
    ++k;
  }
}

void TPolyAnim::Draw() { DrawTexturedPoly(Image, xyuv, 0, -1); }

void TPolyAnim::DebugDraw() {
  xy.clear();
  for (const auto& p : Points) {
    xy.push_back(p->x + x);
    xy.push_back(p->y + y);
  }
  PushGraphicsState();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(0, 0, 200);
  platform::SetAlpha(0.6f);
  platform::SetScale(1.0f, 1.0f);
  platform::DrawPoly(xy);
  PopGraphicsState();
}

}  // namespace kelp
