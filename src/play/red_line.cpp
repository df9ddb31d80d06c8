#include "play/red_line.h"

namespace kelp {

Ref<TRedLine> RedLine;

}  // namespace kelp
