#pragma once
// Puts every global of the program's start-up and frame loop back to its
// start value: the loop hooks, the frame timer, the pause pictures, the frame
// limit and probe, the command line, the title and the start-up texts, and
// lets the start-up sequence run again. For tests, before and after each case.
namespace kelp {

void ResetAppGlobals();

}  // namespace kelp
