#pragma once
// What a fixture calls in SetUp and TearDown: the globals of a room and of
// every room below it back to their start values, the highest room first
// (its objects may hold on to those of the rooms below). Each function calls
// only the resets of rooms its room's library links, so a test program links
// what it already links. The platform's state has its own verbs.
#include "app/app_globals.h"
#include "framework/core/core_globals.h"
#include "framework/files/files_globals.h"
#include "framework/media/media_globals.h"
#include "framework/ui/ui_globals.h"
#include "frontend/frontend_globals.h"
#include "music/music_globals.h"
#include "physics/physics_globals.h"
#include "play/play_globals.h"
#include "village/village_globals.h"
#include "world/world_globals.h"

namespace testsupport {

inline void ResetFilesRooms() {
  kelp::ResetFilesGlobals();
  kelp::ResetCoreGlobals();
}

inline void ResetMediaRooms() {
  kelp::ResetMediaGlobals();
  ResetFilesRooms();
}

inline void ResetUiRooms() {
  kelp::ResetUiGlobals();
  ResetMediaRooms();
}

inline void ResetPhysicsRooms() {
  kelp::ResetPhysicsGlobals();
  ResetMediaRooms();
}

inline void ResetMusicRooms() {
  kelp::ResetMusicGlobals();
  ResetMediaRooms();
}

inline void ResetWorldRooms() {
  kelp::ResetWorldGlobals();
  kelp::ResetPhysicsGlobals();
  ResetUiRooms();
}

inline void ResetPlayRooms() {
  kelp::ResetPlayGlobals();
  ResetWorldRooms();
}

inline void ResetVillageRooms() {
  kelp::ResetVillageGlobals();
  ResetWorldRooms();
}

inline void ResetFrontendRooms() {
  kelp::ResetFrontendGlobals();
  kelp::ResetVillageGlobals();
  ResetPlayRooms();
}

inline void ResetAppRooms() {
  kelp::ResetAppGlobals();
  kelp::ResetFrontendGlobals();
  kelp::ResetVillageGlobals();
  kelp::ResetPlayGlobals();
  kelp::ResetWorldGlobals();
  kelp::ResetMusicGlobals();
  kelp::ResetPhysicsGlobals();
  ResetUiRooms();
}

}  // namespace testsupport
