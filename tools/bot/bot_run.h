#pragma once
// One level played by the bot in this process: the real game, headless, on a
// clock that moves 17 ms a frame, started on the level as a debug start does,
// and ended when the round is won or lost (or long after its time limit).
// The outcome goes to a small text file the driver reads.
#include <string>

namespace bot {

struct RunOptions {
  int level = 1;
  unsigned seed = 1;
  std::string result_path;
};

struct RunResult {
  int level = 0;
  unsigned seed = 0;
  std::string outcome = "crashed";  // won, time, redline, undecided, crashed, missing
  int seconds = 0;                  // play time of the round, pauses taken out
  int score = 0;
  int limit = 0;                    // the round's time limit, seconds
};

// Never returns: the process ends after writing the result.
[[noreturn]] void RunLevel(const RunOptions& options);

// The result a run wrote, or "crashed" when it wrote none.
RunResult ReadResult(const std::string& path, int level, unsigned seed);

}  // namespace bot
