#pragma once
// Puts every global of the front end back to its start value: the main menu
// and map screens, the exit hook, the profiles, their links to the village and
// the menu, the notices shown, the level records and the
// high-score table. For tests, before and after each case.
namespace kelp {

void ResetFrontendGlobals();

}  // namespace kelp
