#pragma once
// What buildings and villagers start in the village's story: the village
// dialogs, the tutorial hint, the zeppelin and the camp fire. The story code
// fills these links at start-up; an empty link does nothing (and the queries
// answer 0), so the village runs headless without the story.
#include <functional>

namespace kelp {

struct TVillageStoryLinks {
  // Opens village dialog `id` after `delay` ms; lock 1 locks its close button.
  std::function<void(int id, int delay, int lock)> OpenDialog;
  // The tutorial hint on show (its id), and a new hint id at (x, y).
  std::function<int()> TutorialHintId;
  std::function<void(int id, int x, int y, int flag)> ShowTutorialHint;
  // A finished bridge brings the zeppelin.
  std::function<void()> CreateZeppelin;
  // The camp fire: its state (0 out, 1 burning, 2 smouldering), and its end
  // when the village centre is built.
  std::function<int()> CampFireState;
  std::function<void(int state)> SetCampFireState;
  std::function<void()> EndCampFire;
};

extern TVillageStoryLinks VillageStory;

}  // namespace kelp
