// Resource lists: any bytes register a bounded set of entries with
// lower-cased ids, files and scopes, and every look-up stays safe. Nothing is
// loaded from disk (the entries' paths are arbitrary); music entries, which
// only keep their path, are loaded so that look-ups find something.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "framework/core/numbers.h"
#include "framework/media/resources.h"
#include "fuzz_check.h"
#include "platform/message_box.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = [] {
    platform::SetMessageBoxHandler([](const std::string&, const std::string&, platform::MessageButtons) { return 0; });
    return true;
  }();
  (void)quiet;
  using namespace kelp;
  ResManager = New<TResManager>();
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  ReadResourceList(*stream, "fuzz.xml");

  TResManager& rm = *ResManager;
  size_t n = 0;
  for (const auto& r : rm.Resources) {
    ++n;
    Check(r->Name == Lower(r->Name) && r->Scope == Lower(r->Scope) && r->FileName == Lower(r->FileName));
    Check(!r->Loaded());
    if (auto music = As<TResMusic>(r)) music->Load();
  }
  Check(n <= size);  // every entry takes at least one byte of markup
  for (const auto& r : rm.Resources) {
    rm.ResetLoadingPanel();
    rm.LoadingPanelAddScope(r->Scope);
    Check(rm.LoadingMax >= 1 && rm.LoadingMax <= static_cast<int>(n));
    // Only music is loaded: a look-up gives a path or nothing, never another kind.
    const TResData d = rm.GetData(r->Name);
    Check(d.index() == 0 || std::holds_alternative<std::string>(d));
    Check(!rm.GetImage(r->Name) && !rm.GetEffect(r->Name) && !rm.GetBMFont(r->Name) && !rm.GetSound(r->Name));
    rm.GetMusic(r->Name);
  }
  ResManager = New<TResManager>();
  return 0;
}
