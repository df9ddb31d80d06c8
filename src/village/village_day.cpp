// The village's day: six phases, the sky and village light blended through
// each, the star layer by evening and morning.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "village/village.h"
#include "world/effects/camp_fire.h"
#include "world/game_state.h"

namespace kelp {

namespace {

struct Rgb {
  int r, g, b;
};
struct PhaseColors {
  Rgb skyFrom, skyTo, desertFrom, desertTo, snowFrom, snowTo;
};

// Indexed by phase - 1.
constexpr PhaseColors kPhases[6] = {
    {{70, 70, 70}, {255, 120, 100}, {100, 100, 240}, {220, 220, 220}, {80, 80, 150}, {190, 180, 180}},
    {{255, 120, 100}, {255, 255, 255}, {220, 220, 220}, {255, 255, 255}, {190, 180, 180}, {255, 255, 255}},
    {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
    {{255, 255, 255}, {255, 100, 100}, {255, 255, 255}, {190, 180, 180}, {255, 255, 255}, {190, 180, 180}},
    {{255, 100, 100}, {70, 70, 70}, {190, 180, 180}, {100, 100, 240}, {190, 180, 180}, {80, 80, 150}},
    {{70, 70, 70}, {70, 70, 70}, {100, 100, 240}, {100, 100, 240}, {80, 80, 150}, {80, 80, 150}},
};

// The colour as last shown while it stays within a step of it, unless it is
// one of the blend's two ends; otherwise the colour, shown from now on.
void HoldLight(TColor& c, int shown[3]) {
  const bool end = (c.r == c.r0 && c.g == c.g0 && c.b == c.b0) || (c.r == c.r1 && c.g == c.g1 && c.b == c.b1);
  const bool near = std::abs(c.r - shown[0]) < TVillageMode::kLightStep &&
                    std::abs(c.g - shown[1]) < TVillageMode::kLightStep &&
                    std::abs(c.b - shown[2]) < TVillageMode::kLightStep;
  if (near && !end) {
    c.r = shown[0];
    c.g = shown[1];
    c.b = shown[2];
    return;
  }
  shown[0] = c.r;
  shown[1] = c.g;
  shown[2] = c.b;
}

int PhaseLength(int dayLength, int phase) {
  const int p = Int(static_cast<float>(dayLength) / 12.0f);
  if (phase == TVillageMode::DAY) return Int(static_cast<float>(p) * 5.0f);
  if (phase == TVillageMode::NIGHT) return Int(static_cast<float>(p) * 3.0f);
  return p;
}

}  // namespace

void TVillageMode::SetDayColor() {
  // A phase out of range (an old or damaged save) is read as the night.
  if (DayTime < MORNING1 || DayTime > NIGHT) DayTime = NIGHT;
  const PhaseColors& c = kPhases[DayTime - 1];
  DayColor->StartColor(c.skyFrom.r, c.skyFrom.g, c.skyFrom.b, 1.0f);
  DayColor->EndColor(c.skyTo.r, c.skyTo.g, c.skyTo.b, 1.0f);
  const bool snow = CurrentVillage == SNOW;
  const Rgb& from = snow ? c.snowFrom : c.desertFrom;
  const Rgb& to = snow ? c.snowTo : c.desertTo;
  VillageColor->StartColor(from.r, from.g, from.b, 1.0f);
  VillageColor->EndColor(to.r, to.g, to.b, 1.0f);
}

void TVillageMode::NextDayTime() {
  DayTime = DayTime >= NIGHT || DayTime < MORNING1 ? MORNING1 : DayTime + 1;
  int fire = 0;
  switch (DayTime) {
    case MORNING1:
      fire = 1;
      StarsTime = GameTime;
      break;
    case MORNING2:
      fire = 2;
      break;
    case DAY:
      fire = 0;
      StarsTime = 0;
      break;
    case EVENING1:
      fire = 0;
      StarsTime = GameTime;
      break;
    default:
      fire = 1;
      break;
  }
  if (CampFire) {
    CampFire->state = fire;
    if (GameState && GameState->Stage == 1) CampFire->state = 0;
  }
  SetDayColor();
  StartTime = GameTime;
  DayColor->CalcColor(0, 1);
  VillageColor->CalcColor(0, 1);
}

void TVillageMode::AdvanceDayColors() {
  if (TimeStop) StartTime = GameTime;
  const int t = GameTime - StartTime;
  const int total = PhaseLength(DayLength, DayTime);
  DayColor->CalcColor(t, total);
  VillageColor->CalcColor(t, total);
  if (DayColor->fulltime) NextDayTime();
  HoldLight(*DayColor, DayShown);
  HoldLight(*VillageColor, VillageShown);
}

float TVillageMode::StarsAlpha() const {
  const float since = static_cast<float>(GameTime - StarsTime);
  switch (DayTime) {
    case EVENING1:
    case EVENING2:
    case NIGHT:
      return TimeStop ? 1.0f : std::min(1.0f, since / (static_cast<float>(DayLength) * 2.0f / 12.0f));
    case MORNING1:
    case MORNING2:
      return TimeStop ? 0.0f : std::max(0.0f, 1.0f - since / (static_cast<float>(DayLength) * 1.5f / 12.0f));
    default:
      return 0.0f;
  }
}

int TVillageMode::ShownStarAlpha() {
  const float stars = StarsAlpha();
  const int alpha = stars > 0.0f ? static_cast<int>(std::lround(std::min(stars, 1.0f) * 255.0f)) : 0;
  if (alpha == 0 || alpha == 255 || std::abs(alpha - StarsShown) >= kLightStep) StarsShown = alpha;
  return StarsShown;
}

}  // namespace kelp
