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
  // Every village dialog on screen leaves (the village hides).
  std::function<void()> ClearDialogs;
  // The save game: the stage of the saved village (0 when there is none to
  // restore), restoring it (villagers, buildings, trophies, day), saving.
  std::function<int()> SavedStage;
  std::function<int()> RestoreSaved;
  std::function<void()> SaveProfile;
  // The story of a stage, run on every visit after the village is set up.
  std::function<void(int stage)> RunStageScript;
  // The last stage marks the game completed in the save.
  std::function<void()> SetGameCompleted;
};

extern TVillageStoryLinks VillageStory;

// 1 while a village dialog is on screen, and while a trophy award picture is:
// the panel's buttons wait meanwhile.
extern int VillageDialogActive;
extern int TrophyImageShown;

}  // namespace kelp
