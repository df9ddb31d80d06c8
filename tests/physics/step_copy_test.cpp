// The step works on a copy of the world that it keeps in order from step to
// step. Whatever the game changes between steps (through the lists or by hand
// on the objects' own fields) must show in the next step exactly as if the
// copy were made afresh: each edit below runs in two engines, one of which
// is made to copy afresh before every step, and every position must agree.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/core/core_globals.h"
#include "framework/core/frame_clock.h"
#include "physics/physics_globals.h"
#include "scenes/physics_scenes.h"

using namespace kelp;
using namespace scenes;

namespace {

// Moves the Groups list's change count without changing the list, so the
// engine cannot keep its copy's order.
void ForceFreshCopy(TPhysEngine& e) {
  auto dummy = New<TPhysEngine_Group>();
  e.Groups.AddLast(dummy);
  e.Groups.Remove(dummy);
}

Ref<TPhysEngine_Group> GroupAt(TPhysEngine& e, size_t i) { return e.Groups.ValueAt(i); }

struct Edit {
  const char* what;
  std::function<void(TPhysEngine&)> apply;
};

}  // namespace

TEST(StepCopy, EditsBetweenStepsShowAsInAFreshCopy) {
  ResetCoreGlobals();
  ResetPhysicsGlobals();
  const Edit edits[] = {
      {"nothing", [](TPhysEngine&) {}},
      {"a particle placed by hand", [](TPhysEngine& e) { GroupAt(e, 3)->frstp->Position(300, 100); }},
      {"masses, radii and pins set by hand",
       [](TPhysEngine& e) {
         auto p = GroupAt(e, 4)->frstp;
         p->mass = 3;
         p->nxt->radius = 20;
         GroupAt(e, 5)->frstp->static_ = 1;
       }},
      {"a group scaled", [](TPhysEngine& e) { GroupAt(e, 6)->Scale(1.3f); }},
      {"a constraint's end changed by hand",
       [](TPhysEngine& e) { GroupAt(e, 7)->frstc->p2 = GroupAt(e, 8)->frstp; }},
      {"a particle moved to another group's chain by hand",
       [](TPhysEngine& e) {
         auto from = GroupAt(e, 9), to = GroupAt(e, 10);
         auto p = from->frstp;
         from->frstp = p->nxt;
         p->nxt = nullptr;
         p->grp = to.get();
         auto last = to->frstp;
         while (last->nxt) last = last->nxt;
         last->nxt = p;
       }},
      {"a group taken out and put back",
       [](TPhysEngine& e) {
         auto g = GroupAt(e, 2);
         e.Groups.Remove(g);
         e.Groups.AddLast(g);
       }},
      {"a constraint taken out of the list by hand",
       [](TPhysEngine& e) { e.Constraints.Remove(GroupAt(e, 11)->frstc); }},
      {"glue made and a particle removed by the game",
       [](TPhysEngine& e) {
         auto g = GroupAt(e, 12), h = GroupAt(e, 13);
         if (auto c = TPhysEngine_Constraint::Create(g.get(), g->frstp, h->frstp, &e)) c->temporary = 1;
         GroupAt(e, 14)->frstp->nxt->Remove();
       }},
      {"a box added and one removed",
       [](TPhysEngine& e) {
         Box(e, 260, 100);
         GroupAt(e, 1)->Remove();
       }},
  };
  for (const Edit& edit : edits) {
    GameTime = 1000;
    auto kept = BoxField(30, kPlayColumns);
    auto fresh = BoxField(30, kPlayColumns);
    for (int step = 0; step < 120; ++step) {
      if (step == 60) {
        edit.apply(*kept);
        edit.apply(*fresh);
      }
      ForceFreshCopy(*fresh);
      GameTime += 18;
      kept->Update(1.0f);
      fresh->Update(1.0f);
      ASSERT_TRUE(BitEqual(State(*kept), State(*fresh))) << edit.what << " at step " << step;
    }
    EXPECT_EQ(kept->Constraints.Count(), fresh->Constraints.Count()) << edit.what;
    EXPECT_EQ(TemporaryCount(*kept), TemporaryCount(*fresh)) << edit.what;
  }
  ResetCoreGlobals();
}
