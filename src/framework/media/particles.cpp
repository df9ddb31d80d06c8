#include "framework/media/particles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/core/frame_clock.h"
#include "framework/core/geometry.h"
#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/files/xml.h"
#include "framework/media/anim_image.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"

namespace kelp {

platform::ImageRef ParticleGlowImage;

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

float SinD(double deg) { return static_cast<float>(std::sin(deg * kDeg)); }
float CosD(double deg) { return static_cast<float>(std::cos(deg * kDeg)); }
float ATan2D(double y, double x) { return static_cast<float>(std::atan2(y, x) / kDeg); }

int SubSaturating(int a, int64_t b) {
  const int64_t v = static_cast<int64_t>(a) - b;
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

TEffect::TEffect() : Color(CreateColorAlpha(0, 0, 0, 0.0f)), Magnet(std::make_shared<TMagnet>()) {
  Magnet->fill(0.0f);
}

// ---------------------------------------------------------------------------
// TEffect

namespace {

// An image id of an effect: a loaded image gives the image, a loaded animated
// image keeps its id (each particle plays its own); anything else stays empty.
TEffectImage ResolveEffectImage(const std::string& id) {
  TEffectImage out;
  if (id.empty() || id == "0" || !ResManager) return out;
  Ref<TRes> rec = ResManager->GetRes(id);
  if (As<TResAnimImage>(rec)) {
    out.animId = id;
  } else if (rec) {
    if (auto* image = std::get_if<platform::ImageRef>(&rec->Data)) out.image = *image;
  }
  return out;
}

void ReadRange(sdXMLnode* node, float (&range)[2], float def) {
  range[0] = GetAttrFloat(node, "min", def);
  range[1] = GetAttrFloat(node, "max", def);
}

}  // namespace

Ref<TEffect> TEffect::Load(const std::string& path) {
  platform::StreamRef s = OpenPakStream(path);
  if (!s) {
    WriteLog("effect file not found: " + path, LOG_ERROR);
    return nullptr;
  }
  return Load(*s, path);
}

Ref<TEffect> TEffect::Load(platform::Stream& stream, const std::string& name) {
  Ref<sdXMLnode> root = ParseXMLStream(stream);
  if (!root) {
    WriteLog("effect file holds no element: " + name, LOG_ERROR);
    return nullptr;
  }
  if (root->endtag.empty()) {
    WriteLog("effect file cut short: " + name, LOG_ERROR);
    return nullptr;
  }
  auto e = New<TEffect>();
  auto child = [&root](const char* tag) { return FindChild(root, std::string(tag) + "/"); };

  if (sdXMLnode* h = child("Heritage"))
    for (sdXMLnode* c = h->firstchild; c; c = c->NextNode) {
      std::string n = GetAttr(c, "name");
      if (!n.empty()) e->Heritage.push_back(std::move(n));
    }
  sdXMLnode* n = child("ZigZag");
  e->ZigZag = GetAttrInt(n, "enabled");
  e->ZigZag_Radius_dt = GetAttrFloat(n, "radius_dt");
  e->ZigZag_Radius_min = GetAttrFloat(n, "radius_min");
  e->ZigZag_speed = GetAttrFloat(n, "speed");
  e->UserDraw = GetAttrInt(child("UserDraw"), "enabled");
  e->Glowing = GetAttrInt(child("Glowing"), "enabled");
  e->ChildName = GetAttr(child("Child"), "name");
  e->Trajectory = GetAttrInt(child("Trajectory"), "id");
  sdXMLnode* image = child("Image");
  e->Blend = GetAttrInt(image, "blend");
  n = child("Salute");
  e->Salute = GetAttrInt(n, "enabled");
  e->SaluteEmitter = GetAttr(n, "emitter", "0");
  ReadRange(child("PosX"), e->PosX, 0);
  ReadRange(child("PosY"), e->PosY, 0);
  ReadRange(child("Frame"), e->Frame, 0);
  ReadRange(child("AnimSpeed"), e->AnimSpeed, 0);
  ReadRange(child("ScaleX"), e->ScaleX, 1);
  ReadRange(child("ScaleY"), e->ScaleY, 1);
  n = child("Scale");
  e->Scale[0] = GetAttrFloat(n, "start", 1);
  e->Scale[1] = GetAttrFloat(n, "end", 1);
  e->Scale[2] = GetAttrFloat(n, "start2", e->Scale[0]);
  e->Scale[3] = GetAttrFloat(n, "end2", e->Scale[1]);
  ReadRange(child("SpeedX"), e->SpeedX, 0);
  ReadRange(child("SpeedY"), e->SpeedY, 0);
  ReadRange(child("Speed"), e->Speed, 0);
  ReadRange(child("Rotation"), e->Rotation, 0);
  n = child("Shadow");
  e->ShadowEnabled = GetAttrInt(n, "enabled");
  e->Shadow[0] = static_cast<float>(GetAttrInt(n, "min"));
  e->Shadow[1] = static_cast<float>(GetAttrInt(n, "max"));
  ReadRange(child("Dir"), e->Dir, 0);
  n = child("LifeTime");
  e->Lifetime[0] = Int(GetAttrFloat(n, "min"));
  e->Lifetime[1] = Int(GetAttrFloat(n, "max"));
  e->GenSpeed = GetAttrFloat(child("GenSpeed"), "value");
  e->GravitationX = GetAttrFloat(child("GravitationX"), "value");
  e->GravitationY = GetAttrFloat(child("GravitationY"), "value");
  e->TimeOut = Int(GetAttrFloat(child("TimeOut"), "value"));
  e->TimeDelay = Int(GetAttrFloat(child("TimeDelay"), "value"));
  n = child("Magnet");
  TMagnet& m = *e->Magnet;
  m[0] = GetAttrFloat(n, "enabled");
  if (m[0] != 0.0f) {
    m[1] = GetAttrFloat(n, "x");
    m[2] = GetAttrFloat(n, "y");
    m[3] = GetAttrFloat(n, "speed");
    m[4] = GetAttrFloat(n, "force");
    m[5] = GetAttrFloat(n, "timeout");
  }
  e->AnimDir = GetAttrInt(child("AnimDir"), "rand");
  e->Image[0] = ResolveEffectImage(GetAttr(image, "value", "0"));
  static const char* const kExtra[4] = {"Image2", "Image3", "Image4", "Image5"};
  for (int k = 1; k <= 4; ++k) {
    const std::string id = GetAttr(child(kExtra[k - 1]), "value", "0");
    if (id == "0") continue;
    e->Image[k] = ResolveEffectImage(id);
    e->Images = k;
  }
  n = child("Alpha");
  e->alpha[0] = GetAttrFloat(n, "start");
  e->alpha[1] = GetAttrFloat(n, "end");
  sdXMLnode* red = child("Red");
  sdXMLnode* green = child("Green");
  sdXMLnode* blue = child("Blue");
  e->Color = CreateColorAlpha(GetAttrInt(red, "start"), GetAttrInt(green, "start"), GetAttrInt(blue, "start"),
                              e->alpha[0]);
  e->Color->EndColor(GetAttrInt(red, "end"), GetAttrInt(green, "end"), GetAttrInt(blue, "end"), e->alpha[1]);
  return e;
}

// ---------------------------------------------------------------------------
// TParticle

void TParticle::Position(float px, float py) {
  _x = px - ox;
  _y = py - oy;
}

bool SteerToMagnet(const TMagnetRef& magnet, int timeStart, float x, float y, float vx, float vy, float dt,
                   float& dir, float& speed) {
  if (!magnet || (*magnet)[0] == 0.0f) return false;
  const TMagnet& m = *magnet;
  if (!(static_cast<double>(GameTime) > timeStart + static_cast<double>(m[5]))) return false;
  vx += SinD(dir) * speed;
  vy += CosD(dir) * speed;
  float target = ATan2D(m[1] - x - vx * dt, m[2] - y - vy * dt);
  const float d = std::sqrt((x - m[1]) * (x - m[1]) + (y - m[2]) * (y - m[2]));
  if (target < 0) target += 360.0f;
  if (dir >= 0 && dir <= 90 && target >= 270 && target <= 360) dir += 360.0f;
  if (target >= 0 && target <= 90 && dir >= 270 && dir <= 360) target += 360.0f;
  dir += (target - dir) * 0.05f * m[4] * dt;
  // On the target itself the pull has no defined speed: that is an arrival.
  speed = d > 0 ? 1.0f + m[3] * 150.0f / d : std::numeric_limits<float>::infinity();
  const bool arrived = !(d >= std::fabs(speed));
  if (!(speed <= m[3])) speed = m[3];
  return arrived;
}

void TParticle::Update(float dt) {
  if (SteerToMagnet(Magnet, TimeStart, x, y, SpeedX, SpeedY, dt, Dir, Speed)) Death = 1;

  if (Trajectory == 1) {
    const float k = SinD(TrajectoryAngle) * 30.0f;
    _x = SinD(Dir - 90.0) * k;
    _y = CosD(Dir - 90.0) * k;
    TrajectoryAngle = Int(TrajectoryAngle + 5.0 * dt);
    if (TrajectoryAngle > 360) TrajectoryAngle = 0;
  }

  x += SpeedX * dt;
  y += SpeedY * dt;
  x += SinD(Dir) * Speed * dt;
  y += CosD(Dir) * Speed * dt;

  if (angleSpeed == 0.0f)
    angle = ATan2D(CosD(Dir) * Speed * dt + SpeedY * dt, SinD(Dir) * Speed * dt + SpeedX * dt);
  angle += angleSpeed * dt;
  if (angle >= 360.0f) angle -= 360.0f;
  if (angle <= -360.0f) angle += 360.0f;

  SpeedX += GravitationX * dt;
  SpeedY += GravitationY * dt;

  // Lifetime + age: a particle at the end of its life is half-way to EndScale.
  const int64_t age = static_cast<int64_t>(GameTime) - TimeStart;
  const int64_t denom = static_cast<int64_t>(Lifetime) + age;
  if (denom > 0)
    Scale = StartScale + static_cast<float>(static_cast<double>(age) * (EndScale - StartScale) / static_cast<double>(denom));
  else
    Scale = StartScale;  // a zero or negative lifetime has no curve

  if (Child) {
    Child->x += SpeedX * dt;
    Child->x += SinD(Dir) * Speed * dt;
    Child->y += SpeedY * dt;
    Child->y += CosD(Dir) * Speed * dt;
    Child->_x = _x;
    Child->_y = _y;
    Child->Update(dt);
    if (Child->Particles.IsEmpty() && Child->GenerationStop) {
      Child->Death = 1;
      Child.reset();
    }
  }
}

void TParticle::Draw(float s) {
  const float px = s * (x + _x), py = s * (y + _y);
  if (!Hidden) {
    if (Glowing && static_cast<int64_t>(GameTime) > static_cast<int64_t>(TimeStart) + 180) {
      platform::SetColor(255, 255, 255);
      platform::SetScale(3 * s, 3 * s);
      platform::SetAlpha(GlowingAlpha);
      platform::DrawImage(ParticleGlowImage, px, py, 0);
      GlowingAlpha = std::max(0.0f, GlowingAlpha - 0.001f);
    }

    const float wantX = s * ScaleX * Scale, wantY = s * Scale * ScaleY;
    float curX, curY;
    platform::GetScale(curX, curY);
    if (curX != wantX || curY != wantY) platform::SetScale(wantX, wantY);

    if (Color) Color->SetCalcColor(GameTime - TimeStart, Lifetime);

    platform::ImageRef image = Image;
    int frame = 0;
    if (Anim) {
      image = Anim->Image;
      const int frames = std::max(Anim->Frames, 1);
      if (static_cast<int64_t>(GameTime) >= static_cast<int64_t>(updTime) + AnimSpeed) {
        Frame += AnimDir == 1 ? -1 : 1;
        if (Frame < 0) Frame = 0;
        if (Frame >= frames) Frame = 0;
        updTime = GameTime;
      }
      frame = std::clamp(Frame, 0, frames - 1);
    }

    if (Shadow) {
      PushGraphicsState();
      if (ColorDark) platform::SetColor(ColorDark->r, ColorDark->g, ColorDark->b);
      platform::SetBlend(platform::ALPHABLEND);
      platform::SetAlpha(0.2f);
      platform::SetRotation(angle);
      platform::DrawImage(image, s * (x + ShadowOffcet + _x), s * (y + ShadowOffcet + _y), frame);
      PopGraphicsState();
    }

    if (platform::GetRotation() != angle) platform::SetRotation(angle);
    platform::DrawImage(image, px, py, frame);
    if (platform::GetRotation() != 0.0f) platform::SetRotation(0.0f);
  }
  if (Child) Child->Draw(1.0f);
}

// ---------------------------------------------------------------------------
// TEmitter

Ref<TEmitter> TEmitter::Create(float x, float y, const Ref<TEffect>& effect, int drawUnder) {
  auto em = New<TEmitter>();
  em->TimeStart = GameTime;
  em->OldTime = GameTime;
  em->x = em->oldX = x;
  em->y = em->oldY = y;
  em->DrawUnder = drawUnder;
  if (!effect) {
    WriteLog("particle emitter without an effect", LOG_ERROR);
    em->Config = New<TEffect>();
    em->Magnet = em->Config->Magnet;
    em->GenerationStop = 1;
    em->Death = 1;
    return em;
  }
  em->Config = effect;
  em->Magnet = effect->Magnet;
  em->GenSpeed = effect->GenSpeed;
  if (effect->ZigZag) {
    em->zigzag_radius = effect->ZigZag_Radius_min;
    em->zigzag_speed = effect->ZigZag_speed;
  }
  em->TimeLeft = effect->TimeOut;
  return em;
}

void TEmitter::Update(float dt) {
  const TEffect& e = *Config;

  if (e.ZigZag) {
    x = oldX + SinD(t) * zigzag_radius;
    y = oldY + CosD(t) * zigzag_radius;
    t += zigzag_speed * dt;
    if (t > 360.0f) t = 0.0f;
    zigzag_radius += e.ZigZag_Radius_dt * dt;
  }

  if (Pause) OldTime = 0;

  if (!Pause && !GenerationStop && static_cast<int64_t>(TimeStart) + e.TimeDelay < GameTime) {
    if (e.TimeOut > 0 && TimeLeft <= 0) GenerationStop = 1;
    if (!GenerationStop) {
      if (!(GenSpeed > 0.0f) || !std::isfinite(GenSpeed)) {
        // No rate, no period: spawn nothing, and keep the clock so that a rate
        // set later does not make up for the idle time.
        OldTime = GameTime;
      } else {
        // Rates above 1000 a second would give a period of 0 and never leave the loop.
        const int period = std::max(1, Int(1000.0 / GenSpeed));
        if (OldTime == 0) OldTime = GameTime;
        int spawned = 0;
        while (static_cast<int64_t>(OldTime) + period < GameTime) {
          if (spawned == MaxSpawnsPerUpdate) {
            // A very long frame: the remaining ticks pass without particles.
            const int64_t n = (static_cast<int64_t>(GameTime) - OldTime - 1) / period;
            OldTime = static_cast<int>(OldTime + n * period);
            TimeLeft = SubSaturating(TimeLeft, n * period);
            if (e.TimeOut > 0 && TimeLeft <= 0) GenerationStop = 1;
            break;
          }
          OldTime += period;
          TimeLeft = SubSaturating(TimeLeft, period);
          if (e.TimeOut > 0 && TimeLeft <= 0) {
            GenerationStop = 1;
            break;
          }
          SpawnParticle();
          ++spawned;
        }
      }
    }
  }

  const bool border = BorderRect[0] || BorderRect[1] || BorderRect[2] || BorderRect[3];
  const bool shed = cutable && FPSCounter && FrameSync && FPSCounter->averageFPS < 0.7 * FrameSync->TargetFPS;
  for (auto it = Particles.begin(); it != Particles.end(); ++it) {
    TParticle& p = **it;
    p.Update(dt);
    bool remove = false;
    if (p.Death) {
      Magneted = 1;
      remove = true;
    } else if (border && !PointInRect(Int(p.x), Int(p.y), BorderRect[0], BorderRect[1], BorderRect[2], BorderRect[3])) {
      remove = true;
    } else if (static_cast<int64_t>(p.TimeStart) + p.Lifetime < GameTime) {
      remove = true;
    } else if (shed) {
      remove = true;
    }
    if (remove) {
      DropParticle(p);
      it.link().Remove();
    }
  }

  if (Particles.IsEmpty() && GenerationStop) Death = 1;
}

void TEmitter::SpawnParticle() {
  const TEffect& e = *Config;
  auto p = New<TParticle>();
  p->TimeStart = GameTime;
  p->ox = x;
  p->oy = y;
  p->x = x + Rnd(e.PosX[0], e.PosX[1]) + _x;
  p->y = y + Rnd(e.PosY[0], e.PosY[1]) + _y;
  p->SpeedX = Rnd(e.SpeedX[0], e.SpeedX[1]);
  p->SpeedY = Rnd(e.SpeedY[0], e.SpeedY[1]);
  p->angleSpeed = Rnd(e.Rotation[0], e.Rotation[1]);
  p->Speed = Rnd(e.Speed[0], e.Speed[1]);
  p->Dir = Rnd(e.Dir[0], e.Dir[1]);
  p->ScaleX = Rnd(e.ScaleX[0], e.ScaleX[1]);
  p->ScaleY = p->ScaleX;
  p->Trajectory = e.Trajectory;
  p->Magnet = Magnet;

  if (!e.ChildName.empty()) {
    if (depth >= MaxChildDepth) {
      if (!Config->childMissingLogged) {
        WriteLog("effect child \"" + e.ChildName + "\" nested too deep, left out", LOG_WARNING);
        Config->childMissingLogged = true;
      }
    } else {
      Ref<TEffect> childEffect = ResManager ? ResManager->GetEffect(e.ChildName) : nullptr;
      if (childEffect) {
        p->Child = TEmitter::Create(p->x, p->y, childEffect, 0);
        p->Child->Parent = Config;
        p->Child->depth = depth + 1;
      } else if (!Config->childMissingLogged) {
        WriteLog("child effect not found: " + e.ChildName, LOG_ERROR);
        Config->childMissingLogged = true;
      }
    }
  }

  p->Salute = e.Salute;
  p->SaluteEmitter = e.SaluteEmitter;
  p->Glowing = e.Glowing;
  p->StartScale = Rnd(e.Scale[0], e.Scale[2]);
  p->EndScale = Rnd(e.Scale[1], e.Scale[3]);
  p->AnimSpeed = Int(Rnd(e.AnimSpeed[0], e.AnimSpeed[1]));
  if (e.AnimDir) p->AnimDir = Rand(0, 1);
  p->Lifetime = Int(Rnd(static_cast<float>(e.Lifetime[0]), static_cast<float>(e.Lifetime[1])));
  if (e.ShadowEnabled) {
    p->Shadow = 1;
    p->ShadowOffcet = Rand(Int(e.Shadow[0]), Int(e.Shadow[1]));
  }
  p->GravitationX = e.GravitationX;
  p->GravitationY = e.GravitationY;

  const TEffectImage& entry = e.Image[Rand(0, std::clamp(e.Images, 0, 4))];
  if (!entry.animId.empty())
    p->Anim = TAnimImage::Load2(entry.animId, -1);
  else
    p->Image = entry.image;
  p->Color = e.Color;
  if (p->Anim) {
    const float frames = static_cast<float>(p->Anim->Frames);
    if (p->AnimDir == 1)
      p->Frame = Int(Rnd(e.Frame[0], e.Frame[1]));
    else
      p->Frame = Int(Rnd(frames - e.Frame[0], frames - e.Frame[1]));
  }

  if (Parent && Parent->Color && e.Color) {
    TColor& mine = *e.Color;
    const TColor& theirs = *Parent->Color;
    for (const std::string& name : e.Heritage) {
      const std::string n = Lower(name);
      if (n == "colorred") {
        mine.r = theirs.r;
        mine.r0 = theirs.r0;
        mine.r1 = theirs.r1;
      } else if (n == "colorgreen") {
        mine.g = theirs.g;
        mine.g0 = theirs.g0;
        mine.g1 = theirs.g1;
      } else if (n == "colorblue") {
        mine.b = theirs.b;
        mine.b0 = theirs.b0;
        mine.b1 = theirs.b1;
      }
    }
  }

  Particles.AddLast(std::move(p));
}

void TEmitter::DropParticle(TParticle& p) {
  if (p.Child) {
    p.Child->GenerationStop = 1;
    p.Child->Particles.Clear();
  }
}

void TEmitter::RemoveParticle(const Ref<TParticle>& p) {
  if (!p) return;
  DropParticle(*p);
  Particles.Remove(p);
}

void TEmitter::PositionParticles(float px, float py) {
  for (const auto& p : Particles) p->Position(px, py);
}

void TEmitter::Draw(float scale) {
  if (Config->UserDraw) return;
  PushGraphicsState();
  for (const auto& p : Particles) {
    if (p->Glowing) {
      platform::SetBlend(platform::LIGHTBLEND);
      p->Draw(scale);
    } else {
      p->ToDraw = 1;
    }
  }
  platform::SetBlend(Config->Blend);
  for (const auto& p : Particles) {
    if (!p->ToDraw) continue;
    if (p->Smoke && Config->Blend != platform::LIGHTBLEND) platform::SetBlend(platform::LIGHTBLEND);
    p->Draw(scale);
    p->ToDraw = 0;
  }
  PopGraphicsState();
}

}  // namespace kelp
