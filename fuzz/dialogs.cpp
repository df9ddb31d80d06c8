// "Dialogs.dat": any bytes make a bounded table; every text splits into
// numbered phrases, and the printer types each one out with its tags on
// characters that exist.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/object_list.h"
#include "framework/core/utf8.h"
#include "framework/files/text_file.h"
#include "framework/media/bmfont.h"
#include "framework/media/visuals.h"
#include "fuzz_check.h"
#include "play/dialog_phrase.h"
#include "play/dialog_printer.h"
#include "play/dialog_texts.h"
#include "platform/stream.h"

namespace {

using fuzz::Check;

kelp::Ref<kelp::TBMFont> Font() {
  static kelp::Ref<kelp::TBMFont> font = [] {
    auto f = kelp::New<kelp::TBMFont>();
    f->Height = 12;
    for (int code = 32; code < 127; ++code) {
      auto c = kelp::New<kelp::TBMChar>();
      c->id = code;
      c->xadvance = code % 7 + 3;
      f->Chars.push_back(c);
    }
    return f;
  }();
  return font;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return 0;
  auto stream = platform::OpenMemory(std::vector<uint8_t>(data, data + size));
  const kelp::Ref<kelp::TextStream> text = kelp::TextFileReader::CreateStream(*stream);
  Check(text != nullptr);
  kelp::DialogTexts = kelp::TextTable();
  kelp::LoadDialogs(*text);
  Check(kelp::DialogTexts.Count() >= 1 && kelp::DialogTexts.Count() <= 10000);

  // Typing costs a few allocations a character: the printers type at most
  // this many characters an input, enough for every markup path and for
  // wrapping; a longer phrase is split but not typed.
  int toType = 512;
  for (const std::string& entry : kelp::DialogTexts.Entries()) {
    if (entry.empty()) continue;
    for (const auto* speakers : {&kelp::LevelSpeakers(), &kelp::VillageSpeakers()}) {
      kelp::ObjectList<kelp::TDialogPhrase> phrases;
      kelp::SplitPhrases(entry, *speakers, phrases);
      int id = 0;
      for (const auto& p : phrases) {
        Check(p->id == ++id);
        if (static_cast<int>(p->Content.size()) >= toType) continue;
        toType -= static_cast<int>(p->Content.size()) + 1;
        const auto printer = kelp::TDialogPrinter::Create(45.0f, 300.0f, p, 220, id % 2, 1, Font(), 0);
        // Numbers never run past the processed text (line breaks included).
        const int chars = static_cast<int>(kelp::utf8::Length(p->Content));
        Check(p->Time >= 1070);
        for (const auto& t : printer->tags) {
          Check(t->mode >= 1 && t->mode <= 9);
          Check(t->pos_in >= 1 && t->pos_in <= t->pos_out && t->pos_out <= chars + 1);
        }
        printer->Skip();
        printer->Update(1.0f);
      }
    }
  }
  // Nothing of this input is left held: libFuzzer checks for leaks after
  // any input that ends with more allocations than frees.
  kelp::VisualsList.Clear();
  kelp::DialogTexts = kelp::TextTable();
  return 0;
}
