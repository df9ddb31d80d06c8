// The standard box field under hostile edits: any bytes pick changes to its
// bodies (masses, radii, jumps, new boxes, joints, removals, forces, engine
// settings) between steps. The step must never crash, never move a particle
// out of the float range on its own, and keep its lists in step.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/core/frame_clock.h"
#include "fuzz_check.h"
#include "physics/engine.h"
#include "scenes/physics_scenes.h"

namespace {

using namespace kelp;

using fuzz::Check;

class Bytes {
 public:
  Bytes(const uint8_t* d, size_t n) : d_(d), n_(n) {}
  bool Empty() const { return i_ >= n_; }
  uint8_t Byte() { return i_ < n_ ? d_[i_++] : 0; }
  float AnyFloat() {  // every bit pattern, NaN and infinities included
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= static_cast<uint32_t>(Byte()) << (8 * k);
    float f;
    std::memcpy(&f, &v, sizeof f);
    return f;
  }
  float Coord() { return static_cast<float>(Byte() | (Byte() << 8)) / 16.0f - 1000.0f; }

 private:
  const uint8_t* d_;
  size_t n_;
  size_t i_ = 0;
};

Ref<TPhysEngine_Particle> Pick(TPhysEngine& e, uint8_t k) {
  const size_t n = e.Particles.Count();
  return n ? e.Particles.ValueAt(k % n) : nullptr;
}

void CheckEngine(TPhysEngine& e, const std::vector<bool>& finiteBefore) {
  size_t chained = 0, i = 0;
  for (const auto& g : e.Groups)
    for (auto p = g->frstp.get(); p; p = p->nxt.get()) ++chained;
  Check(chained == e.Particles.Count());
  for (const auto& p : e.Particles) {
    // A particle that was finite stays finite: the step makes no NaN itself.
    if (i < finiteBefore.size() && finiteBefore[i]) Check(std::isfinite(p->x) && std::isfinite(p->y));
    ++i;
  }
  for (const auto& c : e.Constraints) Check(c->p1 && c->p2 && c->p1 != c->p2);
}

// Steps left for this input: edits are what is searched, and a bounded run
// keeps each input quick. A hostile value shows within a step or two of its
// edit; a dozen steps cost about what building the field does.
int g_steps_left = 0;

void Step(TPhysEngine& e, int n) {
  for (int s = 0; s < n && g_steps_left > 0; ++s, --g_steps_left) {
    std::vector<bool> finite;
    for (const auto& p : e.Particles) finite.push_back(std::isfinite(p->x) && std::isfinite(p->y));
    GameTime += 18;
    e.Update(1.0f);
    CheckEngine(e, finite);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GameTime = 1000;
  g_steps_left = 12;
  auto e = scenes::BoxField(12, scenes::kPlayColumns);
  Bytes in(data, size);
  int edits = 0;
  while (!in.Empty() && edits++ < 64) {
    switch (in.Byte() % 10) {
      case 0:
        if (auto p = Pick(*e, in.Byte())) p->mass = in.AnyFloat();
        break;
      case 1:
        if (auto p = Pick(*e, in.Byte())) p->radius = in.AnyFloat();
        break;
      case 2:
        if (auto p = Pick(*e, in.Byte())) p->Position(in.Coord(), in.Coord());
        break;
      case 3:
        if (auto p = Pick(*e, in.Byte())) p->Move(in.AnyFloat(), in.AnyFloat());
        break;
      case 4: {
        const int x = static_cast<int>(in.Coord()), y = static_cast<int>(in.Coord());
        TForce::Create(x, y, in.AnyFloat(), in.AnyFloat(), in.Byte() * 10, e.get(), in.Byte() & 1);
        break;
      }
      case 5:
        scenes::Box(*e, in.Coord(), in.Coord(), static_cast<float>(in.Byte()) / 64.0f);
        break;
      case 6: {
        const size_t n = e->Groups.Count();
        if (n) e->Groups.ValueAt(in.Byte() % n)->Remove();
        break;
      }
      case 7: {
        auto a = Pick(*e, in.Byte()), b = Pick(*e, in.Byte());
        if (a && b) {
          if (auto c = TPhysEngine_Constraint::Create(a->grp, a, b, e.get())) {
            c->ctype = in.Byte() % 3;
            c->stiffness = in.AnyFloat();
            c->temporary = in.Byte() & 1;
          }
        }
        break;
      }
      case 8:
        e->ITERATIONS = in.Byte() % 8;
        e->TIMESTEP = in.AnyFloat();
        e->GRAVITY = in.AnyFloat();
        e->SLEEPMODE = in.Byte() & 1;
        break;
      case 9:
        Step(*e, 1 + in.Byte() % 16);
        break;
    }
  }
  g_steps_left += 2;  // the closing steps always run
  Step(*e, 2);
  return 0;
}
