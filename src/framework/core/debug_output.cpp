#include "framework/core/debug_output.h"

namespace kelp {
namespace {
DebugOutputHook g_hook;
}

void DebugOutput(const std::string& message) {
  if (g_hook) g_hook(message);
}

DebugOutputHook SetDebugOutputHook(DebugOutputHook hook) {
  std::swap(g_hook, hook);
  return hook;
}

}  // namespace kelp
