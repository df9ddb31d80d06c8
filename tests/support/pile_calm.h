#pragma once
// Whether the boxes in play have come to rest, for test players that must not
// drop into a moving pile: no released box moved more than half a pixel since
// the last look and none is held by a chain. Look once a frame.
#include <cmath>
#include <map>
#include <utility>

#include "world/block.h"

namespace testsupport {

class PileCalm {
 public:
  bool Look() {
    std::map<const kelp::TBlock*, std::pair<float, float>> now;
    bool calm = true;
    for (const auto& b : kelp::BlockList) {
      if (!b->Released || b->Deleted()) continue;
      now[b.get()] = {b->RenderX, b->RenderY};
      if (b->Ticket) calm = false;
      const auto was = last_.find(b.get());
      if (was == last_.end() || std::hypot(b->RenderX - was->second.first, b->RenderY - was->second.second) > 0.5f)
        calm = false;
    }
    last_ = std::move(now);
    return calm;
  }

 private:
  std::map<const kelp::TBlock*, std::pair<float, float>> last_;  // where each box was at the last look
};

}  // namespace testsupport
