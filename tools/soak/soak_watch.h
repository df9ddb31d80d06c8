#pragma once
// What the soak watches while it plays: the screens on show (by the class of
// each large or modal widget, and of every widget of a screen's class), particles that are not finite or have left
// the level's field, and the process's resident memory. The running level is
// named by its kind ("TGame type 2").
#include <map>
#include <string>

namespace soak {

class SoakWatch {
 public:
  // Looks at the game after one frame.
  void Frame(long frame);

  std::map<std::string, long> screens;  // class name -> frames on show
  long bad_particles = 0;               // seen not finite or far outside the field
  std::string first_bad;                // where the first one was seen
};

// The process's resident set (VmRSS) in KiB; 0 when unknown.
long ResidentKiB();
// The process's peak resident set (VmHWM) in KiB; 0 when unknown.
long PeakResidentKiB();

}  // namespace soak
