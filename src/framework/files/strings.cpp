#include "framework/files/strings.h"

#include <iterator>

#include "framework/core/random.h"
#include "framework/files/log.h"
#include "framework/files/text_file.h"

namespace kelp {

Ref<TStrings> PhraseBank;

void TStrings::Load(std::vector<std::string>& list, const std::string& name) {
  const std::string path = "data\\lang\\" + name + ".dat";
  const Ref<TextStream> text = TextFileReader::CreateStream(path, 1);
  if (!text) {
    WriteLog("missing phrase list " + path, LOG_WARNING, "language");
    return;
  }
  while (!text->Eof()) list.push_back(text->ReadLine());
}

void TStrings::LoadStrings() {
  Load(RedArray, "reds");
  Load(YellowArray, "yellows");
  Load(BlueArray, "blues");
  Load(GreenArray, "greens");
  Load(PurpleArray, "purples");
  Load(BrownArray, "browns");
  Load(SkyArray, "skyes");
  Load(HappyArray, "happy");
  Load(UnhappyArray, "unhappy");
  Load(HomeArray, "home");
  Load(SleepArray, "sleep");
  Load(BeerArray, "beer");
  Load(TreesArray, "trees");
  Load(EmptyArray, "empty");
  Load(LoadArray, "load");
  Load(QuestArray, "quest");
  Load(MagicArray, "magic");
  Load(SchoolArray, "school");
  Load(MarketArray, "market");
  Load(TelescopeArray, "telescope");
  Load(SnowballArray, "yeti");
  Load(NamesArray, "names");
}

std::string TStrings::Pick(const std::vector<std::string>& list) {
  if (list.empty()) return {};
  return list[static_cast<size_t>(Rand(0, static_cast<int>(list.size()) - 1))];
}

std::string TStrings::GetLoad() const { return Pick(LoadArray); }

std::string TStrings::GetThought(int kind) const {
  using List = std::vector<std::string> TStrings::*;
  static constexpr List kThoughts[] = {
      &TStrings::EmptyArray,  &TStrings::HappyArray,  &TStrings::HomeArray,      &TStrings::QuestArray,
      &TStrings::BeerArray,   &TStrings::TreesArray,  &TStrings::UnhappyArray,   &TStrings::MarketArray,
      &TStrings::SchoolArray, &TStrings::TelescopeArray, &TStrings::MagicArray,  &TStrings::SnowballArray,
      &TStrings::SleepArray,
  };
  if (kind < 0 || kind >= static_cast<int>(std::size(kThoughts))) return {};
  return Pick(this->*kThoughts[kind]);
}

std::string TStrings::GetName(int colour) const {
  using List = std::vector<std::string> TStrings::*;
  static constexpr List kNames[] = {
      &TStrings::RedArray,   &TStrings::GreenArray, &TStrings::BlueArray, &TStrings::YellowArray,
      &TStrings::PurpleArray, &TStrings::BrownArray, &TStrings::SkyArray,
  };
  if (colour < 1 || colour > static_cast<int>(std::size(kNames))) return {};
  return Pick(this->*kNames[colour - 1]);
}

std::string TStrings::GetScoresName() const { return Pick(NamesArray); }

}  // namespace kelp
