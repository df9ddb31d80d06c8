#pragma once
// The story dialog of a level: Redrice and Ello talk in a speech cloud over
// the paused level before or after some rounds. TDialogGame is the window; TDialog_ is the engine that splits the text into phrases, shows one
// phrase at a time in the cloud beside its speaker, typed out by a
// TDialogPrinter, fades the cloud out and in when the speaker changes, and
// moves on once a phrase's time is over. Skip (the button or the space bar)
// first hurries the typing, then goes to the next phrase; Close ends the talk.
// The first dialogs also point at things with tutorial hints.
//
// On closing the window tells the level to go on: kind 1 StartText, kind 3
// EndText; with kind 2 the level watches Dialog->Death itself.
//
// Clock: GameTime in ms. Death is the GameTime the talk ended (0 while it
// runs). A missing text (no file, no such id) makes no window at all; a text
// without phrases ends in the first frame after the window's birthtime and
// reports as usual.
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "framework/ui/widget.h"
#include "platform/image.h"
#include "play/dialog_phrase.h"

namespace kelp {

class TBMFont;
class TButtonWidget;
class TDialogPrinter;

class TDialog_ : public Object {
 public:
  ObjectList<TDialogPhrase> Phrases;  // not yet finished, the current one first
  Ref<TDialogPhrase> Phrase;          // on screen, or null
  Ref<TDialogPrinter> PhrasePrinter;
  std::string Author;
  std::string NextAuthor;
  Ref<TBMFont> Font;
  int Death = 0;
  platform::ImageRef img;  // the cloud
  float alpha = 0.0f;
  float alpha_speed = 0.03f;
  int ElloX = 0;
  int RedriceX = 0;
  int CreaturesY = 0;

  // The phrases of dialog id by Redrice and Ello.
  static Ref<TDialog_> Create(int id, const Ref<TBMFont>& font, int redriceX, int elloX, int creaturesY);
  void Remove();
  // The next phrase on screen, or the end of the talk when none is left.
  void NextPhrase();
  // Hurries the typing of the phrase on screen.
  void SkipPhrase();
  // Moves on when the phrase's time is over, fades the cloud. (The printer
  // is stepped by the effects list with every other effect.)
  void Update(float dt);
  void Draw();
  // The text's x for the speaker.
  int SpeakerX(const std::string& author) const;
};

class TDialogGame : public TWidget {
 public:
  static constexpr int ButtonSkip_ID = 1;
  static constexpr int ButtonClose_ID = 2;

  int birthtime = 0;
  Ref<TDialog_> Dialog;
  int state = 0;  // 1 StartText on closing, 3 EndText, else nothing
  Ref<TButtonWidget> ButtonSkip, ButtonClose;
  int Paused = 0;
  int PausedTime = 0;

  // The dialog of text id shown delay ms from now, in the widget manager;
  // the pointer is centred. It holds the level paused every frame but is not
  // modal: the level runs on behind it, so its effects keep playing. Null
  // (with a log line) when the text is missing or empty.
  static Ref<TDialogGame> Create(int id, int delay, int kind);
  int Update(float dt) override;
  int Draw() override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int SetHided(int flag) override;
  // Does nothing: the typing goes by the game clock.
  virtual int Pause(int flag);
  // Ends the talk, leaves the widget manager and tells the level to go on.
  virtual void Remove();

 private:
  int removed_ = 0;
};

}  // namespace kelp
