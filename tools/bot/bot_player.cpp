#include "bot_player.h"

#include <algorithm>
#include <cmath>

#include "framework/core/frame_clock.h"
#include "physics/engine.h"
#include "platform/input.h"
#include "play/dialog_game.h"
#include "play/game.h"
#include "play/player.h"
#include "world/block.h"
#include "world/effects/ray.h"
#include "world/handle.h"
#include "world/world.h"

namespace bot {

using namespace kelp;

namespace {

constexpr int kDropGate = 620;  // a drop is refused for 600 ms after the last one

bool InPlay(const TBlock& b) { return b.Released && !b.Deleted(); }

// Where a box dropped at x comes to rest: on the highest box or ledge under it.
float RestingY(float x) {
  float top = 600.0f;
  for (const auto& b : BlockList)
    if (InPlay(*b) && std::fabs(b->RenderX - x) < 24.0f) top = std::fmin(top, b->RenderY - 34.0f);
  for (const auto& st : World->Physics->Statics) {
    const float lo = std::fmin(st->x1, st->x2), hi = std::fmax(st->x1, st->x2);
    if (hi - lo < 1.0f || x < lo || x > hi) continue;  // walls and segments elsewhere
    const float t = std::clamp((x - st->x1) / (st->x2 - st->x1), 0.0f, 1.0f);
    const float y = st->y1 + t * (st->y2 - st->y1);
    if (y > 160.0f) top = std::fmin(top, y - 20.0f);  // below the claw's rail
  }
  return top;
}

}  // namespace

void BotPlayer::Click(int button) {
  platform::InjectMouseButton(button, true);
  pressed_ = button;
}

// Mouse motion that brings the claw's speed toward what reaches the target.
void BotPlayer::Steer(float x, float target) {
  float want = std::clamp((target - x) * 0.25f, -9.0f, 9.0f);
  if (std::fabs(target - x) < 1.0f) want = 0.0f;
  const float dx = (want - Player->speed) * 5.0f;
  if (std::fabs(dx) > 0.05f) platform::InjectMouseMotion(dx, 0.0f);
}

// The field is calm when no box moves and no chain is pending: a box dropped
// into a moving pile lands somewhere else.
bool BotPlayer::Calm() {
  std::map<const TBlock*, std::pair<float, float>> now;
  bool calm = true;
  for (const auto& b : BlockList) {
    if (!InPlay(*b) || b.get() == Player->box.get()) continue;
    now[b.get()] = {b->RenderX, b->RenderY};
    if (b->Ticket) calm = false;
    const auto was = last_.find(b.get());
    if (was == last_.end() || std::hypot(b->RenderX - was->second.first, b->RenderY - was->second.second) > 0.6f)
      calm = false;
  }
  last_ = std::move(now);
  return calm;
}

BotPlayer::Landing BotPlayer::Best(int class_) const {
  Landing best;
  // A parasite bomb is worth most when the field is grey with parasites.
  int parasites = 0;
  for (const auto& b : BlockList) parasites += InPlay(*b) && b->class_ == TBlock::PARAZITE;
  const float line = static_cast<float>(World->CriticalLine) + 20.0f;
  for (float x = 240.0f; x <= 538.0f; x += 6.0f) {
    const float y = RestingY(x);
    int same = 0, others = 0, company = 0;
    bool boss = false;
    for (const auto& b : BlockList) {
      if (!InPlay(*b) || b.get() == Player->box.get()) continue;
      const float d = std::hypot(b->RenderX - x, b->RenderY - y);
      if (d > 50.0f) continue;
      if (b->class_ == class_) {
        ++same;
      } else if (b->class_ == TBlock::BONUS && b->bonus_class == TBlock::PARABOMB && parasites < 6) {
        // kept for later
      } else if (b->class_ == TBlock::BONUS || b->class_ == TBlock::BOSS || b->class_ == TBlock::PARAZITE) {
        ++company;
        boss = boss || b->class_ == TBlock::BOSS;
      } else {
        ++others;
      }
    }
    float score = 40.0f * static_cast<float>(same) - 8.0f * static_cast<float>(others) + y * 0.05f;
    // A chain takes the parasites, bosses and bonus boxes it touches along:
    // a boss loses armour with each. A lone box beside them is taken over.
    if (same >= 2)
      score += 30.0f * static_cast<float>(company) + (boss ? 100.0f : 0.0f);
    else if (same == 1 && boss)
      score += 25.0f;  // a pair beside the boss: the next box of its colour hits it
    else
      score -= 10.0f * static_cast<float>(company);
    if (y < line + 90.0f) score -= 400.0f;  // too near the red line
    score -= std::fabs(x - 390.0f) * 0.01f;
    if (score > best.score) best = {x, score};
  }
  return best;
}

// The ray burns the topmost box under it: a boss first, else the highest box.
void BotPlayer::AimRay(float x) {
  const TBlock* target = nullptr;
  for (const auto& b : BlockList) {
    if (!InPlay(*b)) continue;
    if (!target || (b->class_ == TBlock::BOSS) > (target->class_ == TBlock::BOSS) ||
        ((b->class_ == TBlock::BOSS) == (target->class_ == TBlock::BOSS) && b->RenderY < target->RenderY))
      target = b.get();
  }
  if (!target) return;
  // A box beside a wall is reached from the claw's bound: the beam is wider than its line.
  const float aim = std::clamp(target->RenderX, 240.0f, 539.0f);
  Steer(x, aim);
  if (!firing_ && !GameScreen->Paused && Player->enabled && std::fabs(x - aim) < 20.0f &&
      GameTime > Player->time + kDropGate) {
    platform::InjectMouseButton(1, true);  // held down while the ray burns
    firing_ = true;
  }
}

void BotPlayer::Decide(const TBlock& held) {
  const int now = held.class_;
  const int other = now == Player->CurrentBlockClass ? Player->NextBlockClass : Player->CurrentBlockClass;
  const Landing a = Best(now);
  Landing b;
  if (other && other != now) b = Best(other);
  wantSwap_ = b.score > a.score + 5.0f;
  target_ = wantSwap_ ? b.x : a.x;
  jitter_ = std::uniform_real_distribution<float>(-3.0f, 3.0f)(rng_);
  target_ = std::clamp(target_ + jitter_, 240.0f, 538.0f);
  waited_ = 0;
}

void BotPlayer::Act() {
  if (pressed_) {  // a button goes up the frame after it went down
    platform::InjectMouseButton(pressed_, false);
    pressed_ = 0;
  }
  if (keyDown_) {
    platform::InjectKey(keyDown_, false);
    keyDown_ = 0;
  }
  if (!GameScreen || !Player || !Player->Handle || !Player->Handle->Connector || !World || !World->Physics) return;
  if (firing_ && (!Player->Handle->Ray || Player->Handle->Ray->state == TRay::IDLE)) {
    platform::InjectMouseButton(1, false);  // the ray is spent, or the press came too early
    firing_ = false;
  }
  // A story dialog on screen: read it with the space bar, a phrase at a time.
  const auto& talk = GameScreen->Dialog;
  if (talk && talk->Dialog && !talk->Dialog->Death) {
    if (--readWait_ <= 0) {
      platform::InjectKey(platform::VK_SPACE, true);
      keyDown_ = platform::VK_SPACE;
      readWait_ = 25;
    }
    return;
  }
  const float x = Player->Handle->Connector->x;
  if (Player->Handle->Ray) {
    AimRay(x);
    return;
  }
  const Ref<TBlock> held = Player->box;
  const bool calm = Calm();
  calmFrames_ = calm ? calmFrames_ + 1 : 0;
  if (held && held.get() != planned_) {
    Decide(*held);
    planned_ = held.get();
  }
  Steer(x, target_);
  if (!held || GameScreen->Paused || !Player->enabled) return;
  if (wantSwap_) {
    Click(2);
    wantSwap_ = false;
    return;
  }
  // A claw that stays put short of its target is held back (its box leans
  // on a box coming in from the side feed): it lets go where it is.
  stuck_ = std::fabs(x - lastX_) < 0.5f && std::fabs(x - target_) >= 4.0f ? stuck_ + 1 : 0;
  lastX_ = x;
  const bool over = (std::fabs(x - target_) < 4.0f && std::fabs(Player->speed) < 1.5f) || stuck_ > 40;
  if (!over || GameTime <= Player->time + kDropGate) return;
  // Once over the target, wait for the pile to settle, but not for ever: the
  // moving floor and the side feed keep some fields stirring.
  ++waited_;
  if (calmFrames_ >= 3 || waited_ > 90) {
    Click(1);
    planned_ = nullptr;  // look again at the next box
  } else if (waited_ % 30 == 0) {
    const int waited = waited_;
    Decide(*held);  // the pile has moved: aim again, the wait goes on
    waited_ = waited;
  }
}

}  // namespace bot
