#pragma once
// The debug-output hook that loaders hand their error messages to
// ("[TPhysEngine ERROR : LoadWorld] ..."). It does nothing in normal play;
// tests and the debug start install a receiver.
#include <functional>
#include <string>

namespace kelp {

using DebugOutputHook = std::function<void(const std::string&)>;

void DebugOutput(const std::string& message);
// Installs a receiver and returns the previous one; an empty hook restores silence.
DebugOutputHook SetDebugOutputHook(DebugOutputHook hook);

}  // namespace kelp
