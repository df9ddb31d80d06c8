#pragma once
// Widgets and the widget manager. Every screen, dialog and control is a
// TWidget in one flat list, updated and drawn in list order. The manager turns
// the mouse into hover, press, release and move events, cuts the widgets
// before the top modal one off from updates and the mouse, and draws each
// widget clipped to its own rectangle. Positions are absolute on the canvas.
//
// A click belongs to the modal widget that was on top when its press began:
// a press that began before a box opened, or while the box was still sliding
// in or out, presses nothing until it is released, so a quick second click on
// the button that opened a box never lands on the control sliding under the
// pointer. Keys hit while modal widgets are open are dropped when the last of
// them has left.
#include <functional>
#include <string>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/input.h"

namespace kelp {

class TWidgetUpdater;

class TWidget : public Object, public std::enable_shared_from_this<TWidget> {
 public:
  float _x = 0.0f, _y = 0.0f;
  int _width = 0, _height = 0;
  float _originx = 0.0f, _originy = 0.0f;  // added to the drawing origin of a clipped widget
  int IsOver = 0;                          // written by the manager only
  int Modal = 0;                           // read when the widget is added
  int MouseSensetive = 1;
  int Enable = 1;
  int Visible = 1;
  int Clip = 1;  // 0 canvas coordinates, 1 own rectangle, 2 own rectangle within the game area
  int Fadeable = 0;
  int fade_state = 0;  // 0 none, 1 darkening grows, 2 darkening shrinks
  int mResult = -1;
  ObjectList<TWidget> Widgets;
  int x = 0, y = 0;
  Ref<TWidget> child;  // drawn just before this widget
  int drawed = 0;
  WeakRef<TWidgetUpdater> Slider;  // the last slide made for it (set by TWidgetUpdater::Create)

  virtual int Update(float dt);
  virtual int Draw();
  virtual int Resize(int px, int py, int width, int height);
  virtual int SetPosition(int px, int py);
  // Runs whole frames until mResult is 0 or more; with remove, leaves the manager then.
  virtual int WaitForResult(int remove);
  // Reports a listener receives.
  virtual int DePress(int id);
  virtual int EventMouseLeave(int id);
  virtual int EventMouseEnter(int id);
  virtual int EventMouseOver(int id);
  virtual int CheckBoxChecked(int id, int state);
  virtual int ScrollBarChanged(int id, float value);
  virtual int InputFinished(int id, const std::string& text);
  // Events the manager sends.
  virtual int MouseMove(int dx, int dy);
  virtual int MouseLeave();
  virtual int MouseEnter();
  virtual int AddedToManager();
  virtual int RemovedFromManager();
  virtual int MouseUp(int button);
  virtual int MouseDown(int button);
  virtual int SetEnable(int flag);
  virtual int SetVisible(int flag);
  virtual int SetHided(int flag);

  // Null for a widget not made with New (never throws).
  Ref<TWidget> Self() { return weak_from_this().lock(); }
  WeakRef<TWidget> WeakSelf() { return weak_from_this(); }
};

class TWidgetManager : public Object {
 public:
  ObjectList<TWidget> WidgetsList;  // update and drawing order
  float OldMouseX = 0.0f, OldMouseY = 0.0f;
  int OldMouseButton = 0;
  // Back references: a listed widget is held by the list; one that has left
  // it stays reachable here only while something else keeps it.
  WeakRef<TWidget> CurrentWidget;
  WeakRef<TWidget> LastDownWidget;
  WeakRef<TWidget> TopModalWidget;
  float fade_alpha = 0.0f;
  float fade_speed = 0.05f;

  // The smallest enabled, mouse-sensitive widget strictly containing the
  // point, from the top modal widget on; the first of equal areas.
  Ref<TWidget> WidgetAt(int px, int py);
  void MouseMove();
  void MouseDown_(int button);
  void MouseUp(int button);
  void UpdateListener();
  void Update(float dt);
  void Draw();
  void DrawWidget(const Ref<TWidget>& w);
  void AddWidget(const Ref<TWidget>& w);
  // Nothing happens when `before` is not listed.
  void AddWidgetBefore(const Ref<TWidget>& w, const TWidget* before);
  // Nothing happens for a null or unlisted widget.
  void RemoveWidget(const TWidget* w);
  void RemoveWidget(const Ref<TWidget>& w) { RemoveWidget(w.get()); }

  bool Contains(const TWidget* w) const { return WidgetsList.Contains(w); }
  // The top modal widget is sliding in or out: a press begun now presses nothing.
  bool TopModalSliding() const;

 private:
  // Buttons 1..3 since the last update, so that a quick click still
  // presses and releases a widget.
  platform::ButtonLatch buttons_[3] = {platform::ButtonLatch(1), platform::ButtonLatch(2), platform::ButtonLatch(3)};
  // The press being held: the modal widget on top when it began, and
  // whether it was refused then (its box was on the move).
  // The top modal widget left: at the end of this update, or at the start of
  // the next one when it left between two, the keys hit meanwhile are
  // dropped unless another modal widget has taken its place.
  bool modalLeft_ = false;
  void DropKeysOfBoxesThatLeft();
  bool pressHeld_ = false;
  bool pressHadTop_ = false;
  bool pressRefused_ = false;
  WeakRef<TWidget> pressTop_;
};

// The one widget manager of the game.
extern Ref<TWidgetManager> WidgetManager;
// A fresh, empty manager (start-up and tests).
void InitWidgetManager();

// One whole frame of the frame loop; the loop installs it. While empty a
// blocking wait returns at once.
extern std::function<void()> UpdateFrameHook;

}  // namespace kelp
