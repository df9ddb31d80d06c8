#include "soak_watch.h"

#include <cxxabi.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <typeinfo>

#include "framework/ui/widget.h"
#include "physics/engine.h"
#include "platform/window.h"
#include "soak_report.h"
#include "world/game_state.h"
#include "world/world.h"

namespace soak {

namespace {

std::string ClassName(const kelp::TWidget& w) {
  const char* raw = typeid(w).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(raw, nullptr, nullptr, &status), std::free);
  std::string out = status == 0 && name ? name.get() : raw;
  if (out.rfind("kelp::", 0) == 0) out.erase(0, 6);
  return out;
}

long StatusKiB(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(in, line)) {
    if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return 0;
}

}  // namespace

long ResidentKiB() { return StatusKiB("VmRSS"); }
long PeakResidentKiB() { return StatusKiB("VmHWM"); }

void SoakWatch::Frame(long frame) {
  if (kelp::WidgetManager) {
    const float quarter = platform::VirtualResolutionWidth() * platform::VirtualResolutionHeight() * 0.25f;
    for (const auto& w : kelp::WidgetManager->WidgetsList) {
      if (!w->Visible) continue;
      // The running level counts once per kind of level.
      if (w.get() == kelp::GameState.get()) {
        ++screens["TGame type " + std::to_string(kelp::GameState->GameType)];
        continue;
      }
      const std::string name = ClassName(*w);
      if (!w->Modal && static_cast<float>(w->_width) * static_cast<float>(w->_height) < quarter && !IsScreenClass(name))
        continue;
      ++screens[name];
    }
  }
  // The field is the canvas; a particle far beyond it has escaped.
  if (kelp::World && kelp::World->Physics) {
    const float limit = 4.0f * static_cast<float>(std::max(platform::VirtualResolutionWidth(), 800));
    for (const auto& p : kelp::World->Physics->Particles) {
      const bool finite = std::isfinite(p->x) && std::isfinite(p->y);
      if (finite && std::fabs(p->x) < limit && std::fabs(p->y) < limit) continue;
      if (bad_particles++ == 0) {
        first_bad = "frame " + std::to_string(frame) + ": particle '" + p->name + "' at " + std::to_string(p->x) +
                    ", " + std::to_string(p->y);
      }
    }
  }
}

}  // namespace soak
