#pragma once
// The build dialog: slides in from the left and shows the buildings on offer
// as a three-place carousel (previous, current, next) with the current one's
// title, description and price, and buys the current one. It decides which
// buildings are offered at the current stage (per class the first unbuilt one
// whose parent stands; otherwise the next of the class, shown locked) and
// keeps the panel's BUILD button locked or blinking. Made by the village
// screen on its first show; the panel's BUILD unhides it and slides it in.
#include <string>
#include <vector>

#include "framework/ui/controls.h"
#include "framework/ui/text_ink.h"
#include "framework/ui/widget.h"
#include "platform/image.h"

namespace kelp {

class THelpText;
class TImpulse;
class TUpgrade;
class TWidgetUpdater;

class TUpgradeDialog : public TWidget {
 public:
  static constexpr int ArrowL_ID = 1, ArrowR_ID = 2, Cross_ID = 3, Build_ID = 4;
  static constexpr TextInk kInk = kInkOnCream;  // the name, description and coins caption, on the form's cream

  TUpgradeDialog() { Fadeable = 1; }

  platform::ImageRef Coins;
  int Cost = 0;  // price shown (0 for a locked entry or none)
  std::vector<Ref<TUpgrade>> AvailUpgrades;
  Ref<TUpgrade> PrevUpgrade, CurrentUpgrade, NextUpgrade;
  Ref<TUpgrade> oldPrevUpgrade, oldCurrentUpgrade, oldNextUpgrade;
  Ref<TUpgrade> BuiltUpgrade;
  float o_scale = 0.7f;
  int o_color = 0;
  float opx = 50, opy = 120, ocx = 170, ocy = 100, onx = 320, ony = 120;
  Ref<TImpulse> Impulse;
  // Animated places during a carousel step.
  float p2x = 0, p2y = 0, p2_scale = 0;
  int p2_color = 0;
  float px = 0, py = 0, p_scale = 0;
  int p_color = 0;
  float cx = 0, cy = 0, c_scale = 0;
  int c_color = 0;
  float nx = 0, ny = 0, n_scale = 0;
  int n_color = 0;
  float n2x = 0, n2y = 0, n2_scale = 0;
  int n2_color = 0;
  float t = 0.0f, t_speed = 0.03f;
  int Scrolling = 0;  // 0 idle, 1 towards the next, 2 towards the previous
  Ref<THelpText> HelpText, HelpText2;  // description, title
  Ref<TButtonWidget> ArrowL, ArrowR, Cross, Build;
  int ArrowL_x = -35, ArrowL_y = 140, ArrowR_x = 437, ArrowR_y = 140;
  int Cross_x = 427, Cross_y = 53, Build_x = 150, Build_y = 427;
  platform::ImageRef Form_Build;
  platform::ImageRef u[7];                       // desert pictures u01..u07
  platform::ImageRef snow_u[3];                  // snow huts
  platform::ImageRef market, school, tavern, telescope, square;
  Ref<TWidgetUpdater> Updater;
  int PressedID = 0;

  int Update(float dt) override;
  int Draw() override;
  int Resize(int px, int py, int width, int height) override;
  int SetPosition(int px, int py) override;
  int DePress(int id) override;
  int AddedToManager() override;
  int RemovedFromManager() override;
  int SetHided(int flag) override;

  // Another offered entry of the upgrade's class, or null.
  Ref<TUpgrade> FindSynonym(const Ref<TUpgrade>& upgrade) const;
  // 1 when the offer holds an unlocked entry the player can pay for.
  virtual int CheckUpgrades();
  // Rebuilds the offer and the carousel.
  virtual void PrepareUpgrades();
  void CheckBtn(const Ref<TUpgrade>& upgrade);
  void BtnNextUpgrade();
  void BtnPrevUpgrade();
  // Buys: the first affordable hidden entry of the upgrade's class starts building.
  void BuildUpgrade(const Ref<TUpgrade>& upgrade);
  platform::ImageRef GetImg(const std::string& class_) const;
  void DrawUpgrades();
  // 1 when a ranks after b (huts, paved roads, centre, telescope, school, tavern, market, others).
  static int SortUpgrades(const Ref<TUpgrade>& a, const Ref<TUpgrade>& b);
  void SetHelpText(const Ref<TUpgrade>& upgrade);
  // The (title, description) entries of the upgrade texts for a class; 0, 0 for none.
  static std::pair<int, int> TextEntries(int village, const std::string& class_);
  void CenterToScreen();
  virtual void StartShow();
  virtual void StartHiding();

 private:
  int Index(const Ref<TUpgrade>& u) const;
  void DrawItem(const Ref<TUpgrade>& u, float x, float y, float scale, int grey, bool current);
};

}  // namespace kelp
