#pragma once
// Connects the running level's interface, goal gauge and red line to the
// level world, which draws and steps them without knowing them (LevelLinks).
// Start-up calls it once.
namespace kelp {

void InitPlayHooks();

}  // namespace kelp
