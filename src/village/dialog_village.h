#pragma once
// The village story dialogs: a framed window slides in from the left, the
// portraits of up to six speakers drop in beside it, and the phrases are
// typed out while the speaker's portrait is lit. Some phrases hand over a
// trophy as they start. When the dialog ends (all phrases said, or the close
// button when it is not locked) everything slides out, the window leaves the
// widget manager and the dialog's end script runs: villagers walk, panel
// buttons lock or unlock, parasite mode starts, the camera scrolls...
// A dialog without a real speaker (an empty text) ends at once and still
// runs its end script, so the story never waits on it.
// Clock: timed on GameTime from its birth time (creation + delay).
#include <string>
#include <vector>

#include "framework/core/object_list.h"
#include "framework/ui/controls.h"
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class TAccelObject;
class TAnimImage;
class TAuthor;
class TBMFont;
class TDialogPhrase;
class TDialogPrinter;
class TDialogVillage;
class TTrophyWidget;

// A speaker's portrait: open eyes, blinking, a shade when silent, a glow when talking.
class TDialogVillageCreature : public TWidget {
 public:
  float x = 0, y = 0;
  Ref<TAnimImage> Image;
  platform::ImageRef Glow;
  std::string name;
  float alpha = 1.0f;
  float glow_alpha = 0.0f, glow_speed = 0.005f;
  int active = 0;
  int state = 0;  // glow: 0 off, 1 rising, 2 falling
  int Blink = 0, BlinkTime = 0, BlinkFrame = 0, BlinkLifeTime = 300;

  static Ref<TDialogVillageCreature> Create(const std::string& name);
  int Update(float dt) override;
  int Draw() override;
  int RemovedFromManager() override;
  void BlinkUpdate();
  void SetActive(int flag);
};

// The slide-in (state 1) or slide-out (state 2) of one dialog.
class TDialogVillageUpdater : public Object {
 public:
  TDialogVillage* Dialog = nullptr;
  int state = 0;
  int Stage = 0;
  Ref<TAccelObject> Frame01Accel, Frame02Accel[6], Frame03Accel;
  int Death = 0;
  int sound = 1;
  int sounds[6] = {0, 0, 0, 0, 0, 0};
  float remembered[6] = {0, 0, 0, 0, 0, 0};
  float remembered3 = 0;

  static Ref<TDialogVillageUpdater> Create(TDialogVillage* dialog);
  void StartShow();
  void StartHiding();
  void Update(float dt);
  void UpdateShowing(float dt);
  void UpdateHiding(float dt);
  int IsDeath() const { return Death; }
  int IsHiding() const { return state == 2; }
  int IsShowing() const { return state == 1; }
};

class TDialogVillage : public TWidget {
 public:
  static constexpr int ButtonSkip_ID = 1, ButtonClose_ID = 2;
  Ref<TButtonWidget> ButtonSkip, ButtonClose;
  int id = 0;
  int panel = 0;
  std::vector<Ref<TAuthor>> Authors;
  Ref<TDialogVillageCreature> Creatures[6];
  Ref<TImageWidget> Frame02[6];
  Ref<TImageWidget> Frame03;
  platform::ImageRef Img;
  ObjectList<TDialogPhrase> Phrases;
  Ref<TDialogPhrase> Phrase;
  Ref<TDialogPrinter> PhrasePrinter;
  std::string Author, NextAuthor;
  Ref<TBMFont> Font;
  int Death = 0;
  int Started = 0;
  float alpha = 0.0f, alpha_speed = 0.03f;
  int birthtime = 0;
  Ref<TDialogVillageUpdater> Updater;
  Ref<TTrophyWidget> Trophy;
  int Ended = 0;  // the end script has run

  // Opens dialog `id` after `delay` ms; closeLocked 1 locks its close button.
  static Ref<TDialogVillage> Create(int id, int delay, int closeLocked);
  // Every village dialog leaves the widget manager (the village hides).
  static void Clear();
  // 1 when a ranks after b: Brownie1/2, Redrice, Ello, Snowball, the rest.
  static int SortAuthors(const Ref<TAuthor>& a, const Ref<TAuthor>& b);
  // The trophy (image id, name) a phrase hands over in a stage; empty when none.
  static std::pair<std::string, std::string> TrophyOf(int stage, int dialog, int phrase);
  // The end script of a dialog.
  static void EndScript(int id);

  int Update(float dt) override;
  int Draw() override;
  int Resize(int px, int py, int width, int height) override;
  int SetPosition(int px, int py) override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int SetVisible(int flag) override;
  int SetHided(int flag) override;
  Ref<TAuthor> GetAuthor(const std::string& name) const;
  Ref<TAuthor> AddAuthor(const std::string& name);
  void NextPhrase();
  void SkipPhrase();
  void StartShow();
  void StartHiding();
  // Lays the frames and buttons out at the window's place.
  void Layout();
  void PlaceButtons();
  int RealSpeakers() const;
};

}  // namespace kelp
