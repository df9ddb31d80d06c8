#pragma once
// The intro comic: eleven picture pages shown in a letterbox band, each
// slowly zooming, drifting or turning over the frozen page before it, with
// its dialog typed out below; page 9 is the interactive scene of
// comics_level.h. Skip hurries or turns the text, close ends the comic; at
// the end the shared fade runs up and the village is shown.
//
// Ownership: ShowComics adds the comic to the widget manager, which holds it;
// the comic holds its pages, its dialog widget and, on page 9, the scene.
// Clock: pages, dialogs and the scene all run on GameTime (paused time does
// not count), so a focus loss neither skips nor freezes a page.
#include <string>

#include "framework/core/object_list.h"
#include "framework/ui/widget.h"
#include "platform/image.h"
#include "play/dialog_phrase.h"

namespace kelp {

class TBMFont;
class TButtonWidget;
class TComicsLevel;
class TDialogPrinter;

// One picture layer of a page; a layer without image is a black screen.
class TPageData : public Object {
 public:
  platform::ImageRef Image;
  float x = 0, y = 0;  // the screen centre when made
  float dx = 0, dy = 0;
  float scale = 1.0f;
  float scale_speed = 0.0003f;
  float alpha = 0;
  float alpha_speed = 0.01f;
  float angle = 0;  // degrees
  float angle_speed = 0;

  static Ref<TPageData> Create(const platform::ImageRef& image);
};

class TComicsPage : public Object {
 public:
  ObjectList<TPageData> Data;  // drawn in order; a new page holds one layer without image
  int id = 0;
  int state = 0;  // 0 still, 1 fading in, 2 shown, 3 ending, 4 faded out
  int birth_time = 0;
  int life_time = 10000;
  float width = 460;  // height of the band, 460..600
  float width_speed = 0;

  static Ref<TComicsPage> Create(int id);
  // The first layer (never null).
  TPageData& First();
  void Update(float dt);
  void Draw();
};

// The typed-out text of one page.
class TComicsDialog : public TWidget {
 public:
  int id = 0;
  ObjectList<TDialogPhrase> Phrases;
  Ref<TDialogPhrase> Phrase;
  Ref<TDialogPrinter> PhrasePrinter;
  Ref<TBMFont> Font;
  int Death = 0;
  float alpha = 0;
  float alpha_speed = 0.03f;
  int x = 0, y = 0;
  int birthtime = 0;  // nothing is shown before it
  int skipped = 0;

  // Dialog `id` of "Dialogs.dat", shown after `delay` ms; added to the
  // widget manager over the whole screen. An id with no phrase makes a
  // dialog that shows nothing.
  static Ref<TComicsDialog> Create(int id, int delay, int flag);
  void NextPhrase();
  void SkipPhrase();
  // True while the last phrase is on screen, wholly typed and its time run out.
  bool LastPhraseOver() const;
  void Remove();

  int Update(float dt) override;
  int Draw() override;
  int RemovedFromManager() override;
};

class TComics : public TWidget {
 public:
  static constexpr int ButtonSkip_ID = 1;
  static constexpr int ButtonClose_ID = 2;
  static constexpr int kFirstTextId = 3000;  // page n speaks dialog 3000 + n

  ObjectList<TComicsPage> List;
  int id = 0;
  int showing = 0;
  int hiding = 0;
  Ref<TComicsPage> CurrentPage, PrevPage;
  Ref<TComicsDialog> Dialog;
  Ref<TButtonWidget> ButtonSkip, ButtonClose;
  Ref<TComicsLevel> Level;

  // Loads the "Comics" scope and builds the pages of comic `id` (only 1 has
  // pages); the first page is current. Its dialog is made when the comic
  // joins the widget manager.
  static Ref<TComics> Create(int id);
  void ShowLevel();
  // Leaves: off the manager, the scope unloaded, the village shown.
  void Close();
  void StartShow();
  void StartHiding();

  int Update(float dt) override;
  int Draw() override;
  int SetPosition(int px, int py) override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;

 private:
  void TurnPage();
  void ApplyPageSettings(TComicsPage& page);
};

// Makes the comic, shows it over the whole screen and starts the menu music.
Ref<TComics> ShowComics(int id);

}  // namespace kelp
