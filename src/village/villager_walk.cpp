// Villagers walking the waypoint graph: turning on the spot, stepping along
// the facing, the story's moves and stops, and drops from the mouse.
#include <cmath>

#include "framework/core/degrees.h"
#include "framework/core/frame_clock.h"
#include "framework/core/random.h"
#include "framework/media/particles.h"
#include "framework/media/sound.h"
#include "village/nodes.h"
#include "village/panel.h"
#include "village/path_search.h"
#include "village/story_links.h"
#include "village/upgrade.h"
#include "village/village.h"
#include "village/villager.h"

namespace kelp {

namespace {

// The node nearest to (x, y); the first of equals stays.
Ref<TNode> NearestFirst(float x, float y) {
  Ref<TNode> best;
  double best_d = 100000.0;
  for (const Ref<TNode>& n : Nodes) {
    const double d = std::hypot(n->x - x, n->y - y);
    if (d < best_d) {
      best_d = d;
      best = n;
    }
  }
  return best;
}

void OpenDialog(int id, int delay, int lock) {
  if (VillageStory.OpenDialog) VillageStory.OpenDialog(id, delay, lock);
}

}  // namespace

int TVillageCreature::FindPath(const Ref<TNode>& from, const Ref<TNode>& to) {
  Path = TPath::Find(from, to);
  CurrentNode = from;
  TargetNode = to;
  // Without a path nobody walks: a walk cut short here would otherwise
  // leave the villager marked as walking, frozen, with no way to end it.
  if (!Path) Moving = 0;
  return Path ? 1 : 0;
}

void TVillageCreature::MoveTo(int mx, int my) {
  CurrentNode = NearestFirst(x, y);
  TargetNode = NearestFirst(static_cast<float>(mx), static_cast<float>(my));
  NewDecisionInterval();
  FindPath(CurrentNode, TargetNode);
  NextStep();
  if (!Path) StopMoving();
}

int TVillageCreature::NextStep() {
  if (!Path) return 0;
  Moving = 1;
  const auto& list = Path->WaypointList;
  if (list.empty() || CurrentNode == list.back()) {
    const Ref<TNode> at = CurrentNode;
    if (at) {
      const size_t p = at->ParentUpgrade.find("_door");
      if (p != std::string::npos) IntoHouse(TUpgrade::FindDoorUpgrade(at->ParentUpgrade.substr(0, p)));
    }
    StopMoving();
    return 1;
  }
  int i = -1;
  for (size_t k = 0; k < list.size(); ++k)
    if (list[k] == CurrentNode) {
      i = static_cast<int>(k);
      break;
    }
  if (i < 0) {
    // Standing on no node of the path: the walk cannot go on.
    StopMoving();
    return 1;
  }
  // A walk that starts away from the node it starts from (redirected halfway,
  // or after a drop) first goes back onto that node's square: the way to
  // the next node is open ground only from there.
  if (i == 0 && (std::fabs(x - CurrentNode->x) > CurrentNode->Radius + 0.5f ||
                 std::fabs(y - CurrentNode->y) > CurrentNode->Radius + 0.5f)) {
    CurrentNodeLink = -1;
    MidNodeLink = 0;
    NextNodeLink = 1;
    MidNode = CurrentNode;
    NextNode = list[1];
    tx = Rnd(MidNode->x - MidNode->Radius, MidNode->x + MidNode->Radius);
    ty = Rnd(MidNode->y - MidNode->Radius, MidNode->y + MidNode->Radius);
    return 0;
  }
  CurrentNodeLink = i;
  MidNodeLink = i + 1;
  NextNodeLink = i + 2 < static_cast<int>(list.size()) ? i + 2 : -1;
  MidNode = list[static_cast<size_t>(MidNodeLink)];
  NextNode = NextNodeLink >= 0 ? list[static_cast<size_t>(NextNodeLink)] : nullptr;
  tx = Rnd(MidNode->x - MidNode->Radius, MidNode->x + MidNode->Radius);
  ty = Rnd(MidNode->y - MidNode->Radius, MidNode->y + MidNode->Radius);
  return 0;
}

void TVillageCreature::ProceedPath(float dt) {
  if (!Path || !Moving) return;
  if (std::fabs(x - tx) <= std::fabs(CurrentVelocity.x * dt) && std::fabs(y - ty) <= std::fabs(CurrentVelocity.y * dt)) {
    x = tx;
    y = ty;
    CurrentNode = MidNode;
    NextStep();
    return;
  }
  Turn(static_cast<float>(degrees::ATan2(ty - y, tx - x)));
  if (Turning) return;
  CurrentVelocity.x = static_cast<float>(degrees::Cos(angle)) * speed_coef;
  CurrentVelocity.y = static_cast<float>(degrees::Sin(angle)) * speed_coef;
  x += CurrentVelocity.x * dt;
  y += CurrentVelocity.y * dt;
}

void TVillageCreature::Turn(float a) {
  if (a > 360.0f) a -= 360.0f;
  if (a < 0.0f) a += 360.0f;
  if (angle > 360.0f) angle -= 360.0f;
  if (angle < 0.0f) angle += 360.0f;
  if (angle >= 0.0f && angle <= 90.0f && a >= 270.0f && a <= 360.0f) angle += 360.0f;
  if (a >= 0.0f && a <= 90.0f && angle >= 270.0f && angle <= 360.0f) a += 360.0f;
  if (std::fabs(angle - a) < angle_speed) {
    angle = a;
    Turning = 0;
    OnStopTurning();
  } else {
    Turning = 1;
    TurnAngle = a;
  }
}

void TVillageCreature::StopMoving() {
  Turn(90.0f);
  last_descision_time = GameTime;
  MidVelocity = TVector();
  CurrentVelocity = TVector();
  Moving = 0;
  if (Path) Path->Remove();
  Path = nullptr;
  if (OnStopCode != 0) OnStopMoving();
}

void TVillageCreature::OnStopMoving() {
  const int code = OnStopCode;
  OnStopCode = 0;
  const Ref<TVillageCreature> self = Self();
  // The pair: Ell and Red, each waiting for the other to stand still.
  const auto pairOther = [&]() -> Ref<TVillageCreature> {
    if (ID == Ell_id) return SearchByID(Red_id);
    if (ID == Red_id) return SearchByID(Ell_id);
    return nullptr;
  };
  const Ref<TVillageCreature> other = pairOther();
  const bool pair = other && !other->Moving;
  switch (code) {
    case 1:
      OpenDialog(1002, 1000, 0);
      break;
    case 2:
      Hide(0);
      break;
    case 3:
      Hide(0);
      if (VillageScreen) {
        VillageScreen->UserInputEnable = 1;
        if (VillageScreen->Panel) {
          VillageScreen->Panel->SetHided(0);
          VillageScreen->Panel->StartShow();
        }
      }
      if (VillageStory.ShowTutorialHint) VillageStory.ShowTutorialHint(1, 650, 520, 0);
      break;
    case 4:
      Turn(40.0f);
      if (pair) {
        OpenDialog(1031, 500, 1);
        for (const Ref<TVillageCreature>& c : {self, other}) {
          c->OnStopCode = 0;
          c->HighLight(0);
        }
      }
      break;
    case 5:
      OpenDialog(1044, 500, 0);
      Hide(0);
      Remove();
      break;
    case 6:
      if (creature_color == PARAZITE) {
        Brainless = 1;
        if (const Ref<TVillageCreature> victim = Target.lock()) victim->StartParazite(self);
      }
      break;
    case 7:
      Turn(270.0f);
      if (pair) {
        OpenDialog(2002, 500, 0);
        for (const Ref<TVillageCreature>& c : {self, other}) {
          c->OnStopCode = 0;
          c->Turn(30.0f);
        }
      }
      break;
    case 8:
      if (pair) {
        OpenDialog(1048, 1000, 1);
        for (const Ref<TVillageCreature>& c : {self, other}) {
          c->OnStopCode = 0;
          c->HighLight(0);
        }
      }
      break;
    case 9:
      if (HuntedParazite && VillageScreen) VillageScreen->ParaziteModeEnd(HuntedParazite);
      break;
    default:
      break;
  }
}

int TVillageCreature::Drop() {
  if (!CheckWalkability(x, y)) return 0;
  CurrentNode = TargetNode = TNode::Find(static_cast<int>(x), static_cast<int>(y));
  if (ConstantMove[0]) MoveTo(ConstantMove[1], ConstantMove[2]);
  jump_state = 1;
  return 1;
}

void TVillageCreature::ForceDrop() {
  CurrentNode = TargetNode = TNode::Find(static_cast<int>(x), static_cast<int>(y));
  if (ConstantMove[0]) MoveTo(ConstantMove[1], ConstantMove[2]);
  jump_state = 1;
  DraggedCreature = nullptr;
}

}  // namespace kelp
