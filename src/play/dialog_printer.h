#pragma once
// Types one phrase of a story dialog like a typewriter: the markup of
// dialog_phrase.h applied, the text wrapped to a width at its blanks (a word
// longer than the width stays whole), every character placed once, then
// revealed one after another, 40 ms apart and 800 ms more at each pause, each
// with the print sound (never over itself), in the colours of its span.
//
// Ownership: Create appends the printer to VisualsList, which updates it every
// frame (it is never drawn by the list's layers: Over 1, Drawable 0) and drops
// it once its dialog sets Death. Only the dialog calls Draw, with its font
// current and its alpha set.
//
// Clock: every time is GameTime in ms; a character is revealed once GameTime
// is past its birthtime + time.
#include <functional>
#include <string>

#include "framework/core/object_list.h"
#include "framework/media/visuals.h"
#include "play/dialog_phrase.h"

namespace kelp {

class TBMFont;

class TDialogChar : public Object {
 public:
  std::string char_;  // one character (UTF-8)
  int x = 0, y = 0;   // in the dialog's coordinates
  int visible = 0;
  int id = 0;         // its character number
  int time = 0;       // ms after birthtime it is revealed
  int birthtime = 0;

  static Ref<TDialogChar> Create(const std::string& c, int x, int y, int id, int time);
  // Reveals the character when due; true when it was revealed now.
  bool Update(float dt);
  void Draw() const;
};

class TDialogPrinter : public TVisuals {
 public:
  int time = 0;  // the reveal delay of the character placed last
  ObjectList<TDialogTag> tags;
  ObjectList<TDialogChar> chars;
  int mode = 0;  // colour mode while drawing
  int done = 0;  // 1 when every character was visible at the start of the last update
  // The colour of text outside any colour span: dark for the white cloud of
  // a level dialog, white for a text drawn on black.
  int plain_r = 20, plain_g = 20, plain_b = 20;

  // Rewrites the phrase's Content (the processed text) and Time (70 ms per
  // character, line breaks and the trailing blank included, 800 per pause,
  // + 1000). (x, y) is the top-left corner of the text; with centred 1 each
  // line is centred on x + width / 2. "<Name>" becomes CurrentPlayerName()
  // after the markup is read, so a name is always plain text.
  static Ref<TDialogPrinter> Create(float x, float y, const Ref<TDialogPhrase>& phrase, int width, int centred,
                                    int unused, const Ref<TBMFont>& font, int delay);
  // Places one character: 40 ms after the one before, plus 800 for each pause before it.
  void AddChar(const std::string& c, int x, int y, int number);
  void Update(float dt) override;
  void Draw() override;
  // Reveals every remaining character four times sooner.
  void Skip();
  // Nothing more is drawn or heard (a dialog that closes early).
  void Empty();
};

// The current player's profile name, filled at start-up; empty: no name.
extern std::function<std::string()> CurrentPlayerName;

}  // namespace kelp
