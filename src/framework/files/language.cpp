#include "framework/files/language.h"

#include <algorithm>

#include "framework/core/numbers.h"
#include "framework/core/utf8.h"
#include "framework/files/log.h"

namespace kelp {

TextTable GameTexts;
TextTable TrophyTexts;
TextTable UpgradeTexts;
std::string LanguageCode = "eng";

const std::string& TextTable::operator[](int index) const {
  static const std::string empty;
  return index >= 0 && index < Count() ? entries_[static_cast<size_t>(index)] : empty;
}

void TextTable::Resize(int count) { entries_.resize(static_cast<size_t>(std::max(count, 0))); }

void TextTable::Set(int index, std::string text) {
  if (index >= 0 && index < Count()) entries_[static_cast<size_t>(index)] = std::move(text);
}

int LanguageLineNumber(const std::string& line) { return ToInt(utf8::Left(line, 3)); }

std::string LanguageLineText(const std::string& line) { return Trim(utf8::Substr(line, 4)); }

void FillLanguageTable(TextTable& table, TextStream& text, const std::string& name) {
  struct Entry {
    int number;
    std::string text;
  };
  std::vector<Entry> entries;
  int largest = 0;
  int negatives = 0, firstNegative = 0;
  for (int lineNo = 1; !text.Eof(); ++lineNo) {
    const std::string line = text.ReadLine();
    // A blank line (such as one left at the end of a file) would wipe entry 0.
    if (Trim(line).empty()) continue;
    const int number = LanguageLineNumber(line);
    if (number < 0) {
      if (negatives++ == 0) firstNegative = lineNo;
      continue;
    }
    largest = std::max(largest, number);
    entries.push_back({number, LanguageLineText(line)});
  }
  if (negatives > 0)
    WriteLog(name + " line " + std::to_string(firstNegative) + ": negative entry number; " +
                 std::to_string(negatives) + " such line(s) ignored",
             LOG_WARNING, "language");
  table.Resize(largest + 1);
  for (auto& e : entries) table.Set(e.number, std::move(e.text));
}

bool LoadLanguageTable(TextTable& table, const std::string& path) {
  const Ref<TextStream> text = TextFileReader::CreateStream(path, 1);
  if (!text) {
    WriteLog("missing language file " + path, LOG_WARNING, "language");
    return false;
  }
  FillLanguageTable(table, *text, path);
  return true;
}

void LoadLanguageTables() {
  LoadLanguageTable(GameTexts, "data/lang/String.dat");
  LoadLanguageTable(TrophyTexts, "data/lang/Trophy.dat");
  LoadLanguageTable(UpgradeTexts, "data/lang/Upgrades.dat");
}

}  // namespace kelp
