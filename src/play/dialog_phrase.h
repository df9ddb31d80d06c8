#pragma once
// The phrases of a story dialog and the inline markup inside them.
//
// A dialog text is a row of phrases, each "<Speaker>" text "</Speaker>";
// text between phrases is ignored, a phrase never closed is dropped, and
// speaker tags written inside a phrase are plain text of that phrase. Inside
// a phrase: "<Name>" is the player's name, the two characters "\n" a line
// break, "<Blue>".."</Blue>" (and Red, Yellow, Black, White, Sky, Brown,
// Green) a colour span, "<Pause>" 800 ms more before the next character. The
// typing-out (dialog_printer.h) applies the markup.
#include <functional>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/object_list.h"

namespace kelp {

// The id source of phrases: a reader sets it to 0 before it splits a text,
// so the phrases of one dialog are numbered 1, 2, 3...
extern int PhraseCounter;

class TDialogPhrase : public Object {
 public:
  int id = 0;           // 1-based number within its dialog
  std::string Content;  // the text between the speaker tags; the processed text once typed out
  std::string Author;   // the speaker, as in its tag
  int Time = 0;         // ms the phrase stays: 70 per character + 1000 (typing-out sets the final value)
  int BirthTime = 0;    // GameTime it was shown; 0 until then

  // The next id from PhraseCounter.
  static Ref<TDialogPhrase> Create(const std::string& content, const std::string& author);
};

// A colour span (mode 1 to 8) or a pause (mode 9) found in a phrase; the
// numbers are those of the phrase's characters counted from 1, line breaks
// not counted.
class TDialogTag : public Object {
 public:
  int mode = 0;
  int pos_in = 0;   // span: its first character; pause: the character after it
  int pos_out = 0;  // span: the first character after it; pause: pos_in
  static Ref<TDialogTag> Create(int mode, int pos_in, int pos_out);
};

// The speakers a level dialog (and the comic) recognises, and those of a
// village dialog, in their search order.
const std::vector<std::string>& LevelSpeakers();
const std::vector<std::string>& VillageSpeakers();

// Sets PhraseCounter to 0 and appends the phrases of `text` by the given
// speakers to `phrases`, in text order.
void SplitPhrases(const std::string& text, const std::vector<std::string>& speakers,
                  ObjectList<TDialogPhrase>& phrases);

// One frame of a talk's pace, shared by the level's and the village's
// dialogs. Once `phrase` (the one on screen, first of `phrases`) has had its
// time: the next phrase by the same speaker comes at once with the cloud at
// full (`alpha` 1), while before another speaker the cloud first fades out by
// `alphaSpeed` a frame and the next phrase comes at 0. `nextAuthor` is set
// to the speaker of the phrase after it ("" for none). Until then the cloud
// fades in up to 1. `next` puts the next phrase on screen.
void PacePhrases(const TDialogPhrase* phrase, const ObjectList<TDialogPhrase>& phrases, const std::string& author,
                 std::string& nextAuthor, float& alpha, float alphaSpeed, float dt, const std::function<void()>& next);

// The colour names of modes 1 to 8 ("Blue" ... "Green"); index 0 unused.
extern const char* const DialogColorNames[9];
// The drawing colour of a mode (0 the text outside any span); false for any other mode.
bool DialogColor(int mode, int& r, int& g, int& b);

}  // namespace kelp
