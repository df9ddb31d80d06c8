#include "play/count2.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/core/frame_clock.h"
#include "framework/core/numeric.h"
#include "framework/media/bmfont.h"
#include "framework/media/graphics_state.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"
#include "framework/media/sound.h"
#include "framework/ui/dialog.h"
#include "platform/graphics_state.h"
#include "play/effects_widget.h"
#include "play/level_complete.h"

namespace kelp {

int TCount2::Divisor(int d) {
  if (d > 1000000) return 300;
  if (d > 100000) return 280;
  if (d > 10000) return 240;
  if (d > 1000) return 200;
  if (d > 100) return 180;
  if (d > 10) return 150;
  if (d > 1) return 100;
  return 10;
}

Ref<TCount2> TCount2::CreateCount(const Ref<TLevelComplete>& parent, int x, int y, int start, int target,
                                  const Ref<TBMFont>& font, float speed, int align, int over, int drawable,
                                  int width) {
  auto c = New<TCount2>();
  c->Parent = parent;
  c->Sound = "SOUND_SCORE_COUNT";
  c->Init(x, y, start, target, font, speed, align, over, drawable, width);
  VisualsList.AddLast(c);
  return c;
}

void TCount2::Init(int px, int py, int start, int target, const Ref<TBMFont>& font, float speed, int align, int over,
                   int drawable, int w) {
  x = px;
  y = py;
  StartAmmount = start;
  TargetAmmount = target;
  Ammount = static_cast<float>(start);
  Font = font;
  Speed = speed;
  Align = align;
  Over = over;
  Drawable = drawable;
  width = w;
  UpdTime = GameTime;
  flag = 0;
  done = 0;
  Progress = 0.0f;
}

void TCount2::Kill() {
  Death = 1;
  Parent.reset();
}

void TCount2::SetPosition(int px, int py) {
  x = px;
  y = py;
}

void TCount2::Update(float dt) {
  const float target = static_cast<float>(TargetAmmount);
  const float direction = TargetAmmount >= StartAmmount ? 1.0f : -1.0f;
  if (StartAmmount == TargetAmmount || (Ammount - target) * direction >= 0.0f) {
    Ammount = target;
    done = 1;
    Progress = 1.0f;
    return;
  }
  if (!started || Death) return;
  const int d = std::abs(StartAmmount - TargetAmmount);
  CurrentStep = std::fabs(static_cast<float>(StartAmmount - TargetAmmount) / static_cast<float>(Divisor(d))) * Speed;
  const int w = static_cast<int>(Ammount - target);
  const float step = dt * CurrentStep;
  // The last step lands on the target, also when a long frame would jump past it.
  if (static_cast<float>(std::abs(w)) < CurrentStep || static_cast<float>(std::abs(w)) <= step) {
    Ammount = target;
    flag = 1;
    done = 1;
    Progress = 1.0f;
    const Ref<TLevelComplete> parent = Parent.lock();
    if (parent && parent->EffectsOver && ResManager) {
      SetBMFont(Font);
      const std::string text = std::to_string(TargetAmmount);
      const int textWidth = BMTextWidth(text);
      const int end = Align == 2 ? x + width : Align == 1 ? x + (width + textWidth) / 2 : x + textWidth;
      parent->EffectsOver->AddEmitter(TEmitter::Create(parent->_x + static_cast<float>(end - 5),
                                                       parent->_y + static_cast<float>(y + 15),
                                                       ResManager->GetEffect("EFFECT_STARS_04"), 0));
    }
    return;
  }
  PlaySoundEffect(Sound, 0.0f, 0);
  Ammount += direction * step;
  Progress = TargetAmmount != 0 ? Ammount / target : 1.0f;
}

void TCount2::Draw() {
  // The parent draws its counters inside its own rectangle: (x, y) is already there.
  const int px = 0, py = 0;
  SetBMFont(Font);
  const std::string text = std::to_string(static_cast<int>(Ammount));
  platform::SetScale(1.0f, 1.0f);
  if (Shadow) {
    platform::SetAlpha(0.4f);
    ApplyColor(ColorDark);
    DrawTextBox(px + x + 1, py + y + 1, text, width, Align, 1);
  }
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  DrawTextBox(px + x, py + y, text, width, Align, 1);
}

}  // namespace kelp
