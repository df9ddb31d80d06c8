#pragma once
// The story dialog of a level: the heroes' talk shown over the paused level
// before or after some rounds. A window (TDialogGame) holding the dialog
// engine (TDialog_), whose Death is the game time the talk ended (0 while it
// runs). On closing it tells the level to go on (kind 1: StartText, kind 3:
// EndText).
//
// The talk itself comes with the story: until then Create shows nothing and
// returns null, which the level treats as a round without a dialog.
#include "framework/core/object.h"
#include "framework/ui/widget.h"

namespace kelp {

class TDialog_ : public Object {
 public:
  int Death = 0;  // GameTime at which the talk ended; 0 while it runs
};

class TDialogGame : public TWidget {
 public:
  static constexpr int ButtonSkip_ID = 1;
  static constexpr int ButtonClose_ID = 2;

  int birthtime = 0;
  Ref<TDialog_> Dialog;
  int state = 0;  // 1 StartText on closing, 3 EndText, else nothing

  // The dialog of text id shown delay ms later, in the widget manager; null
  // when there is no such text.
  static Ref<TDialogGame> Create(int id, int delay, int kind);
  // Holds (1) or releases (0) the typing while the pause menu shows.
  virtual int Pause(int flag);
  // Leaves the widget manager.
  virtual void Remove();
};

}  // namespace kelp
