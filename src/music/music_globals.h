#pragma once
// Puts every global of the music module back to its start value: the module
// inits undone (no loaders registered), no test mixer, and the radio's
// timeouts. The stream timer keeps running; streams unhook themselves. For
// tests, before and after each case.
namespace kelp {

void ResetMusicGlobals();

}  // namespace kelp
