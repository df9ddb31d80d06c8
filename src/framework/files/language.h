#pragma once
// The numbered language tables under "data/lang/": general strings, trophy
// texts and upgrade help texts. A line of a table file is "NNN text": the
// first three characters are the entry number, the fourth separates, the
// rest (trimmed) is the text. Numbers may skip; the gaps hold "".
#include <string>
#include <vector>

#include "framework/files/text_file.h"

namespace kelp {

// A string array indexed by entry number. Reading outside it gives "", so a
// missing or short file never makes a lookup go astray.
class TextTable {
 public:
  explicit TextTable(int count = 1) { Resize(count); }

  const std::string& operator[](int index) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  // Keeps the entries that remain and fills new ones with "".
  void Resize(int count);
  // Ignored outside the table.
  void Set(int index, std::string text);
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

extern TextTable GameTexts;     // "data/lang/String.dat"; entry 53 the title, 44 the pause caption
extern TextTable TrophyTexts;   // "data/lang/Trophy.dat"
extern TextTable UpgradeTexts;  // "data/lang/Upgrades.dat"
extern std::string LanguageCode;  // "eng"

// Loads String.dat, Trophy.dat and Upgrades.dat in this order. A missing file
// leaves its table as it was.
void LoadLanguageTables();
// One table from a file; false (table unchanged) when it cannot be opened.
bool LoadLanguageTable(TextTable& table, const std::string& path);
// One table from decoded text: sized to the largest entry number + 1, then
// each line stored at its number (a later line with the same number wins).
void FillLanguageTable(TextTable& table, TextStream& text, const std::string& name);

// The entry number of a table line (0 when its first three characters are not
// a number; never above 999, as the number has three characters) and its text.
int LanguageLineNumber(const std::string& line);
std::string LanguageLineText(const std::string& line);

}  // namespace kelp
