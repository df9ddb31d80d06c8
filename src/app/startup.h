#pragma once
// Start-up: the program's entry, the ordered start-up sequence that builds
// every shared object, reads the command line, keeps a single instance,
// opens the log and the window, loads the base resources, shows the splash,
// loads the resource scopes behind a progress bar and hands over to the
// frame loop.
#include <string>
#include <vector>

namespace kelp {

// The command line, argument 0 the program path (set by ModuleEntry).
extern std::vector<std::string> AppArguments;
extern std::string AppTitle;          // String.dat entry 53; names the window and the instance lock
extern std::string SplashConfigFile;  // "screenbranding\config.xml"
extern std::string LoadingText;       // the line under the loading bar
// 1: the splash holds its pause and its logos for their times. 0 (tests,
// benchmarks) leaves those fixed waits out; the fades still run.
extern int SplashWaits;
// A debug start in the village ("debug village N"): the campaign stage 1..36
// shown, or 0 for none.
extern int StartVillageStage;

// Runs GameMain once with the working folder at the program's folder;
// gives the exit code when the program ends without leaving the process.
int ModuleEntry(int argc, char** argv);
// The start-up sequence; runs once (ResetStartup allows another run in tests).
void GameMain();
// Arranges the top screens and runs the frame loop.
void StartGame();
void LoadBaseResources();
void ShowSplash();
void LoadResourceGroups();
void DrawLoadingProgress(float percent);

// Reads "debug", a start level or "village" and a stage, "ogl", "dx7" and "16"
// from the arguments (any letter case). A start level that is not a whole number from 1 to 99 is
// refused with a message and the game starts at level 1.
void ReadCommandLine(const std::vector<std::string>& args);
// A level argument: blanks, a sign, digits (or "$" hex, "%" binary) and
// nothing else; false for anything else.
bool ParseLevelArgument(const std::string& text, int& level);

// Lets GameMain run again (tests).
void ResetStartup();

}  // namespace kelp
