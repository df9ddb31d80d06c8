#pragma once
// The red-line sweep that opens a round and warns of boxes above the line.
#include "framework/core/object.h"

namespace kelp {

class TAnimImage;

class TRedLine : public Object {
 public:
  int state = 0;
  Ref<TAnimImage> Pimpo;  // the line's marker
};

extern Ref<TRedLine> RedLine;

}  // namespace kelp
