#pragma once
// Puts every global of the file room back to its start value: the language
// tables, the main archive's and the level pack's directories, the phrase
// bank, the XML file id, and the log (closed). For tests, before and after
// each case.
namespace kelp {

void ResetFilesGlobals();

}  // namespace kelp
