#include "frontend/comics_level.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/core/frame_clock.h"
#include "framework/core/numbers.h"
#include "framework/files/language.h"
#include "framework/files/line_reader.h"
#include "framework/files/log.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/graphics_state.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/media/textured_poly.h"
#include "framework/ui/mouse.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "platform/graphics_state.h"
#include "world/block.h"
#include "world/box_contacts.h"
#include "world/effects/screen_shake.h"
#include "world/resource_bindings.h"

namespace kelp {

namespace {

constexpr float kBlockScale = 1.2f;
constexpr float kDrawSpread = 1.6f;  // the picture reaches beyond the corner particles
constexpr float kBandFull = 600.0f;
constexpr int kClickGap = 2000;  // ms between counted clicks
// The stones' scale. The group file is the game's 64-unit box, so these are
// the size of a stone beside a creature, not of a pebble.
constexpr std::array<float, 3> kStoneScale = {0.5f, 0.75f, 0.6f};

platform::ImageRef Picture(const std::string& id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

float AttrFloat(const std::string& line, const char* name) {
  return std::strtof(GetLineAttr(line, name).c_str(), nullptr);
}

Ref<TComicsBlock> Stone(float x, float scale, float dx, float dy, TPhysEngine* engine) {
  auto stone = TComicsBlock::Create(x, -40, engine);
  if (!stone) return nullptr;
  stone->Image = Picture("IMAGE_COMICS_STONE_01");
  stone->Group->Scale(scale);
  stone->Move(dx, dy);
  return stone;
}

void Shake(int amount) { TScreenShake::CreateScreenShake(amount, 0.5f); }

}  // namespace

// ----------------------------------------------------------------- a block

Ref<TComicsBlock> TComicsBlock::Create(float x, float y, TPhysEngine* engine) {
  auto block = New<TComicsBlock>();
  block->Physics = engine;
  if (!block->Load()) return nullptr;
  block->Position(x, y, 0);
  return block;
}

bool TComicsBlock::Load() {
  Group = Physics->LoadGroup("data/world/box.xml", "");
  if (!Group) {
    WriteLog("Comic: data/world/box.xml could not be loaded; the scene goes on without this block", LOG_ERROR);
    return false;
  }
  Center = TPhysEngine_Particle::Find(Group.get(), "center");
  Align = TPhysEngine_Particle::Find(Group.get(), "align");
  UpLeft = TPhysEngine_Particle::Find(Group.get(), "particle");
  UpRight = TPhysEngine_Particle::Find(Group.get(), "particle(2)");
  DownLeft = TPhysEngine_Particle::Find(Group.get(), "particle(3)");
  DownRight = Align;
  if (!Center || !Align || !UpLeft || !UpRight || !DownLeft) {
    WriteLog("Comic: data/world/box.xml lacks a corner particle; the scene goes on without this block", LOG_ERROR);
    Group->Remove();
    Group = nullptr;
    return false;
  }
  for (auto* p : {Center.get(), Align.get(), UpLeft.get(), UpRight.get(), DownLeft.get()}) p->sticky = 1;
  for (auto* p : {Align.get(), UpLeft.get(), UpRight.get(), DownLeft.get()}) p->dusty = 1;
  Group->Scale(kBlockScale);
  return true;
}

int TComicsBlock::Init(const PhysicsSource& source) {
  const platform::StreamRef stream = OpenPhysicsSource(source);
  if (!stream) {
    WriteLog("Comic: corner file " + source.path + " is missing; the block keeps its place", LOG_WARNING);
    return 1;
  }
  for (std::string line = ReadTagLine(stream); !line.empty(); line = ReadTagLine(stream)) {
    const std::string tag = GetLineTag(line);
    TPhysEngine_Particle* p = tag == "upright"     ? UpRight.get()
                              : tag == "upleft"    ? UpLeft.get()
                              : tag == "downright" ? DownRight.get()
                              : tag == "downleft"  ? DownLeft.get()
                              : tag == "center"    ? Center.get()
                                                   : nullptr;
    if (!p) break;
    const float x = AttrFloat(line, "x"), y = AttrFloat(line, "y");
    if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) > 1e5f || std::abs(y) > 1e5f) {
      WriteLog("Comic: corner file " + source.path + " places a corner out of reach; line ignored", LOG_WARNING);
      continue;
    }
    p->static_ = std::atoi(GetLineAttr(line, "static").c_str());
    p->Position(x, y);
  }
  return 1;
}

int TComicsBlock::Save(const std::string& path) const {
  std::string out = "  <block>\n";
  const auto corner = [&out](const char* tag, const TPhysEngine_Particle& p) {
    out += std::string("      <") + tag + " x=\"" + FloatToString(p.x) + "\" y=\"" + FloatToString(p.y) + "\" static=\"" +
           std::to_string(p.static_) + "\"/>\n";
  };
  corner("UpRight", *UpRight);
  corner("UpLeft", *UpLeft);
  corner("DownRight", *DownRight);
  corner("DownLeft", *DownLeft);
  corner("Center", *Center);
  out += "  </block>\n";
  return platform::SaveFileAtomic(path, out) ? 1 : 0;
}

void TComicsBlock::Position(float x, float y, int flag) { Group->Position(x, y, flag); }
void TComicsBlock::Translate(float dx, float dy) { Group->Translate(dx, dy); }
void TComicsBlock::Move(float dx, float dy) { Group->Move(dx, dy); }

void TComicsBlock::Del() {
  for (auto* p : {Center.get(), Align.get(), UpLeft.get(), UpRight.get(), DownLeft.get()})
    if (p) p->Remove();
  if (Group) Group->Remove();
}

void TComicsBlock::Draw() const {
  if (!Image || !Center) return;
  const float cx = Center->x, cy = Center->y;
  const auto vx = [&](const TPhysEngine_Particle& p) { return cx + (p.x - cx) * kDrawSpread + CanvasOffsetX; };
  const auto vy = [&](const TPhysEngine_Particle& p) { return cy + (p.y - cy) * kDrawSpread; };
  const float xyuv[] = {vx(*UpRight),  vy(*UpRight),  1, 0, vx(*UpLeft),    vy(*UpLeft),    0, 0,
                        vx(*DownLeft), vy(*DownLeft), 0, 1, vx(*DownRight), vy(*DownRight), 1, 1};
  DrawTexturedPoly(Image, xyuv, 0);
}

// ----------------------------------------------------------------- the scene

TComicsLevel::~TComicsLevel() { Physics.ClearWorld(); }

Ref<TComicsLevel> TComicsLevel::Create() {
  auto level = New<TComicsLevel>();
  level->Physics.Contacts = &BoxContacts();
  if (!level->Physics.LoadWorld("data/img/comics/comics.xml"))
    WriteLog("Comic: data/img/comics/comics.xml could not be loaded; the creatures have no ground", LOG_ERROR);
  const auto creature = [&](float x, float y, const char* file, const char* image) {
    auto block = TComicsBlock::Create(x, y, &level->Physics);
    if (!block) return block;
    block->Init(std::string("data/img/comics/") + file);
    block->Image = Picture(image);
    return block;
  };
  level->Ello = creature(280, 430, "ello.xml", "IMAGE_COMICS_ELLO");
  level->Redrice = creature(400, 430, "redrice.xml", "IMAGE_COMICS_REDRICE");
  level->Brownie = creature(530, 208, "brownie.xml", "IMAGE_COMICS_BROWNIE");
  if (level->Brownie) level->Brownie->Group->class_ = TBlock::COMIC_BOX;
  level->Back = Picture("IMAGE_COMICS_INTRO_09_BACK");
  level->width = 460;
  level->width_speed = 2.0f;
  level->width_time = GameTime;
  level->state = 1;
  return level;
}

bool TComicsLevel::BrownieTouched() const {
  return !Brownie || Brownie->Group->class_ == TBlock::COMIC_BOX_TOUCHED;
}

void TComicsLevel::Clear() {
  Physics.ClearWorld();
  for (auto* block : {&Ello, &Redrice, &Brownie, &Stone01, &Stone02, &Stone03}) *block = nullptr;
}

void TComicsLevel::Update(float dt) {
  if (state == 1) {
    Alpha += alpha_speed * dt;
    if (Alpha >= 1.0f) {
      Alpha = 1.0f;
      state = 2;
    }
  } else if (state == 3) {
    white_alpha += alpha_speed * 4 * dt;
    if (white_alpha >= 1.0f) {
      white_alpha = 1.0f;
      state = 4;
    }
  }

  // The hint pulses while the band is open and the player has not clicked
  // for a while; a click fades it out.
  if (width == kBandFull && GameTime > width_time + 3000 && GameTime > click_time + 5000) {
    if (text_state == 0 || text_state == 4) text_state = 1;
  } else if (text_state == 1 || text_state == 2) {
    text_state = 3;
  }
  if (text_state == 1) {
    text_alpha += 0.02f * dt;
    if (text_alpha >= 1.0f) {
      text_alpha = 1.0f;
      text_state = 2;
    }
  } else if (text_state == 2 || text_state == 3) {
    text_alpha -= 0.02f * dt;
    if (text_alpha <= 0.0f) {
      text_alpha = 0.0f;
      text_state = text_state == 2 ? 1 : 4;
    }
  }

  if (width < kBandFull && GameTime > width_time + 2000) {
    width += width_speed * dt;
    if (width > kBandFull) {
      width = kBandFull;
      width_time = GameTime;
    }
  }

  Physics.Update(dt);

  if (clicks <= 3 && width == kBandFull && Mouse && Mouse->Bt1Hit) {
    if (GameTime - click_time > kClickGap) {
      PlaySoundEffect("SOUND_COMICS_CLICK", 0, 1);
      ++clicks;
      click_time = GameTime;
      switch (clicks) {
        case 1:
          Stone01 = Stone(10, kStoneScale[0], 1.0f, 0, &Physics);
          Stone02 = Stone(260, kStoneScale[1], -1.0f, -6.0f, &Physics);
          if (Brownie) Brownie->Move(-5.0f, -2.0f);
          Shake(10);
          PlaySoundEffect("SOUND_COMICS_STONE_01", 0, 1);
          break;
        case 2:
          Stone03 = Stone(730, kStoneScale[2], -0.5f, 0, &Physics);
          if (Brownie) Brownie->Move(-5.0f, -2.0f);
          Shake(10);
          PlaySoundEffect("SOUND_COMICS_STONE_02", 0, 1);
          break;
        case 3:
          if (Brownie) Brownie->Move(-7.0f, -2.0f);
          Shake(10);
          Time = GameTime;
          break;
        default:
          break;
      }
    } else {
      Shake(3);
      PlaySoundEffect("SOUND_COMICS_CLICK", 0, 1);
    }
  }
}

void TComicsLevel::Draw() {
  PushGraphicsState();
  platform::SetViewport(CanvasOffsetX, static_cast<int>(VirtualCenterY - width / 2), VirtualWidth,
                        static_cast<int>(width));
  platform::SetAlpha(Alpha);
  if (Back) platform::DrawImage(Back, static_cast<float>(VirtualCenterX), static_cast<float>(VirtualCenterY), 0);
  for (const auto* block : {&Redrice, &Ello, &Brownie, &Stone01, &Stone02, &Stone03})
    if (*block) (*block)->Draw();
  if (white_alpha != 0.0f) {
    platform::SetAlpha(white_alpha);
    platform::SetBlend(platform::LIGHTBLEND);
    platform::SetColor(255, 255, 255);
    platform::DrawRect(0, 0, static_cast<float>(VirtualWidth), static_cast<float>(VirtualHeight));
  }
  if (text_alpha > 0.0f && FontComics) {
    platform::SetAlpha(text_alpha);
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetColor(255, 255, 255);
    SetBMFont(FontComics);
    FontComics->DrawText(GameTexts[20], static_cast<float>(VirtualCenterX), static_cast<float>(VirtualHeight - 40), 1,
                         0);
  }
  PopGraphicsState();
}

}  // namespace kelp
