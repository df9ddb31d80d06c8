// The widget manager: hit test, mouse events, modality, darkening, clipped
// drawing, adding and removing (also from inside handlers), blocking waits.
#include <gtest/gtest.h>

#include "framework/ui/widget_updater.h"
#include "widget_test_env.h"

using namespace widgettest;

namespace {

class WidgetManagerTest : public WidgetTest {};

struct HitCase {
  const char* what;
  int px, py;
  const char* expect;  // name of the widget found, "" for none
};

TEST_F(WidgetManagerTest, HitTestFindsTheSmallestEnclosingWidgetAndTheFirstOfEqualAreas) {
  auto outer = Place(New<Probe>(&log_, "outer"), 100, 100, 300, 300);
  auto innerA = Place(New<Probe>(&log_, "innerA"), 150, 150, 50, 50);
  auto innerB = Place(New<Probe>(&log_, "innerB"), 150, 150, 50, 50);  // same area, later
  auto small = Place(New<Probe>(&log_, "small"), 300, 300, 20, 20);
  auto insensitive = Place(New<Probe>(&log_, "insensitive"), 300, 300, 10, 10);
  insensitive->MouseSensetive = 0;
  auto disabled = Place(New<Probe>(&log_, "disabled"), 305, 305, 5, 5);
  disabled->Enable = 0;
  auto invisible = Place(New<Probe>(&log_, "invisible"), 500, 100, 40, 40);
  invisible->Visible = 0;
  auto huge = Place(New<Probe>(&log_, "huge"), 0, 0, 2000, 2000);  // area 4000000
  for (auto w : {huge, outer, innerA, innerB, small, insensitive, disabled, invisible}) WidgetManager->AddWidget(w);

  const HitCase cases[] = {
      {"inside the outer only", 120, 120, "outer"},
      {"inner beats outer; equal areas: the first", 160, 160, "innerA"},
      {"left edge is outside", 150, 160, "outer"},
      {"top edge is outside", 160, 150, "outer"},
      {"right edge is outside", 200, 160, "outer"},
      {"bottom edge is outside", 160, 200, "outer"},
      {"insensitive and disabled are skipped", 307, 307, "small"},
      {"invisible still catches the mouse", 520, 120, "invisible"},
      {"a 2000 x 2000 widget is never found", 700, 550, ""},
  };
  for (const auto& c : cases) {
    auto w = WidgetManager->WidgetAt(c.px, c.py);
    const std::string expect = c.expect;
    if (expect.empty()) {
      EXPECT_EQ(w, nullptr) << c.what;
    } else {
      auto want = expect == "outer" ? outer : expect == "innerA" ? innerA : expect == "small" ? small : invisible;
      EXPECT_EQ(w, want) << c.what;
    }
  }

  invisible->SetHided(1);
  EXPECT_EQ(WidgetManager->WidgetAt(520, 120), nullptr) << "hidden: neither enabled nor visible";
}

TEST_F(WidgetManagerTest, ClickDeliversRepeatedDownsThenOneUpToThePressedWidget) {
  auto a = Place(New<Probe>(&log_, "a"), 100, 100, 50, 50);
  auto b = Place(New<Probe>(&log_, "b"), 200, 100, 50, 50);
  WidgetManager->AddWidget(a);
  WidgetManager->AddWidget(b);

  Point(120, 120);
  Frame();
  Press(1);
  Frames(3);
  Point(220, 120);  // dragged onto b while held
  Frame();
  Release(1);
  Frame();

  EXPECT_EQ(Only(log_, "a:down"), std::vector<std::string>(3, "a:down 1"));
  EXPECT_EQ(Only(log_, "a:up "), std::vector<std::string>{"a:up 1"}) << "the release goes where the press went";
  EXPECT_TRUE(Only(log_, "b:down").empty());
  EXPECT_TRUE(Only(log_, "b:up ").empty());
  EXPECT_EQ(a->IsOver, 0) << "released away from it";

  // The hovered widget hears MouseEnter in every frame it is under the pointer.
  EXPECT_EQ(Count(log_, "b:enter"), 3);
}

TEST_F(WidgetManagerTest, PressOnEmptySpaceDraggedOntoAWidgetPressesIt) {
  auto a = Place(New<Probe>(&log_, "a"), 100, 100, 50, 50);
  WidgetManager->AddWidget(a);
  Point(10, 10);
  Press(1);
  Frame();
  Point(120, 120);
  Frame();
  Release(1);
  Frame();
  EXPECT_EQ(Only(log_, "a:down"), std::vector<std::string>{"a:down 1"});
  EXPECT_EQ(Only(log_, "a:up "), std::vector<std::string>{"a:up 1"});
}

TEST_F(WidgetManagerTest, HeldButtonsPressWithTheHighestNumberAndReleaseTheLastOneSeen) {
  auto a = Place(New<Probe>(&log_, "a"), 100, 100, 50, 50);
  WidgetManager->AddWidget(a);
  Point(120, 120);
  Press(1);
  Frame();
  Press(2);  // both held: the higher number counts
  Frame();
  Release(2);
  Release(1);
  Frame();
  EXPECT_EQ(Only(log_, "a:down"), (std::vector<std::string>{"a:down 1", "a:down 2"}));
  EXPECT_EQ(Only(log_, "a:up "), (std::vector<std::string>{"a:up 2"}));
}

TEST_F(WidgetManagerTest, ButtonChangesBetweenTwoFramesAreDeliveredInTheirOrder) {
  struct Case {
    const char* what;
    bool heldBefore;           // pressed in an earlier frame and held
    std::vector<bool> events;  // presses and releases of the left button before the frame
    std::vector<std::string> expect;
  };
  const Case cases[] = {
      {"a quick click", false, {true, false}, {"a:down 1", "a:up 1"}},
      {"a double click within one frame presses once", false, {true, false, true, false}, {"a:down 1", "a:up 1"}},
      {"held, let go and pressed again", true, {false, true}, {"a:up 1", "a:down 1"}},
      {"held and let go", true, {false}, {"a:up 1"}},
      {"still held", true, {}, {"a:down 1"}},
  };
  for (const Case& c : cases) {
    InitWidgetManager();
    platform::ResetInput();
    auto a = Place(New<Probe>(&log_, "a"), 100, 100, 50, 50);
    WidgetManager->AddWidget(a);
    Point(120, 120);
    if (c.heldBefore) {
      Press(1);
      Frame();
    }
    log_.clear();
    for (bool down : c.events) platform::InjectMouseButton(1, down);
    Frame();
    std::vector<std::string> got;  // downs and ups in the order delivered
    for (const auto& line : log_)
      if (line.rfind("a:down", 0) == 0 || line.rfind("a:up ", 0) == 0) got.push_back(line);
    EXPECT_EQ(got, c.expect) << c.what;
  }
}

TEST_F(WidgetManagerTest, HoverTrackingSendsLeaveAndEnterOnMoves) {
  auto a = Place(New<Probe>(&log_, "a"), 100, 100, 50, 50);
  auto b = Place(New<Probe>(&log_, "b"), 200, 100, 50, 50);
  WidgetManager->AddWidget(a);
  WidgetManager->AddWidget(b);
  Point(120, 120);
  Frame();
  Point(220, 120);
  log_.clear();
  Frame();
  EXPECT_EQ(Only(log_, "a:leave").size(), 1u);
  EXPECT_EQ(WidgetManager->CurrentWidget.lock(), b);
  Point(500, 500);
  log_.clear();
  Frame();
  EXPECT_EQ(Only(log_, "b:leave").size(), 1u);
  EXPECT_EQ(WidgetManager->CurrentWidget.lock(), nullptr);
}

TEST_F(WidgetManagerTest, ModalWidgetCutsOffUpdatesAndMouseBeforeItButNotDrawingOrMoves) {
  auto screen = Place(New<Probe>(&log_, "screen"), 0, 0, 800, 600);
  auto button = Place(New<Probe>(&log_, "button"), 100, 100, 50, 50);
  auto dialog = Place(New<Probe>(&log_, "dialog"), 300, 200, 200, 200);
  dialog->Modal = 1;
  auto ok = Place(New<Probe>(&log_, "ok"), 350, 300, 40, 20);
  WidgetManager->AddWidget(screen);
  WidgetManager->AddWidget(button);
  WidgetManager->AddWidget(dialog);
  WidgetManager->AddWidget(ok);
  EXPECT_EQ(WidgetManager->TopModalWidget.lock(), dialog);

  Click(120, 120);  // the button behind the dialog
  Click(360, 305);  // the dialog's own control after it
  for (const char* behind : {"screen", "button"}) {
    const std::string p = behind;
    EXPECT_TRUE(Only(log_, p + ":update").empty()) << p;
    EXPECT_TRUE(Only(log_, p + ":down").empty()) << p;
    EXPECT_TRUE(Only(log_, p + ":enter").empty()) << p;
    EXPECT_EQ(Only(log_, p + ":draw").size(), 4u) << p;
    EXPECT_EQ(Only(log_, p + ":move").size(), 4u) << p << ": the move broadcast reaches every widget";
  }
  EXPECT_EQ(Only(log_, "dialog:update").size(), 4u);
  EXPECT_EQ(Only(log_, "ok:down"), std::vector<std::string>{"ok:down 1"});
  EXPECT_EQ(Only(log_, "ok:up "), std::vector<std::string>{"ok:up 1"});

  // Removing the dialog gives the role back to nobody: the screen is live again.
  WidgetManager->RemoveWidget(dialog);
  EXPECT_EQ(WidgetManager->TopModalWidget.lock(), nullptr);
  log_.clear();
  Click(120, 120);
  EXPECT_EQ(Only(log_, "button:down"), std::vector<std::string>{"button:down 1"});
}

// A modal box that slides in from above as the dialogs do.
class SlidingBox : public Probe {
 public:
  using Probe::Probe;
  Ref<TWidgetUpdater> Updater;
  int Update(float dt) override {
    if (Updater) Updater->Update(dt);
    return Probe::Update(dt);
  }
};

TEST_F(WidgetManagerTest, APressBelongsToTheModalWidgetOnTopWhenItBeganAndNotToABoxOnTheMove) {
  // Phases of the box: 0 not open yet, 1 sliding in, 2 at rest, 3 sliding out.
  struct Case {
    const char* what;
    int pressAt, releaseAt;
    int controlClicks;  // downs and ups the box's control hears
  };
  const Case cases[] = {
      {"pressed and let go once it is at rest", 2, 2, 1},
      {"the second click of a double click, while it slides in", 1, 1, 0},
      {"pressed while it slides in, let go once it is at rest", 1, 2, 0},
      {"held from before it opened, let go once it is at rest", 0, 2, 0},
      {"pressed while it slides out", 3, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InitWidgetManager();
    platform::ResetInput();
    log_.clear();
    auto screen = Place(New<Probe>(&log_, "screen"), 0, 0, 800, 600);
    auto box = Place(New<SlidingBox>(&log_, "box"), 300, -200, 200, 200);
    box->Modal = 1;
    auto control = Place(New<Probe>(&log_, "control"), 350, 250, 40, 20);  // where the box comes to rest
    WidgetManager->AddWidget(screen);
    Point(360, 255);
    Frame();

    int phase = 0;
    auto reach = [&](int p) {
      if (p >= 1 && phase < 1) {
        WidgetManager->AddWidget(box);
        WidgetManager->AddWidget(control);
        box->Updater = TWidgetUpdater::Create(box, 0);
        box->Updater->Init(0, 1, 0.9f, 1.5f);
        box->Updater->StartShow(0.0f, 0.0f, 0.0f);
        Frame();
        ASSERT_TRUE(WidgetManager->TopModalSliding());
      }
      if (p >= 2 && phase < 2) {
        for (int i = 0; i < 200 && WidgetManager->TopModalSliding(); ++i) Frame();
        ASSERT_FALSE(WidgetManager->TopModalSliding());
      }
      if (p >= 3 && phase < 3) {
        box->Updater->StartHiding();
        Frame();
      }
      phase = p;
    };
    reach(c.pressAt);
    Press();
    Frame();
    reach(c.releaseAt);
    Release();
    Frame();
    EXPECT_EQ(Only(log_, "control:down").empty() ? 0 : 1, c.controlClicks);
    EXPECT_EQ(Count(log_, "control:up 1"), c.controlClicks);
  }
}

TEST_F(WidgetManagerTest, APressHeldAsItsBoxLeavesPressesNothingUnderIt) {
  auto button = Place(New<Probe>(&log_, "button"), 100, 100, 50, 50);
  auto box = Place(New<Probe>(&log_, "box"), 50, 50, 300, 300);
  box->Modal = 1;
  WidgetManager->AddWidget(button);
  WidgetManager->AddWidget(box);
  Point(120, 120);
  Press();
  Frame();
  WidgetManager->RemoveWidget(box);
  box.reset();  // gone for good, as a closed box is
  Frames(2);
  Release();
  Frame();
  EXPECT_TRUE(Only(log_, "button:down").empty());
  Click(120, 120);
  EXPECT_EQ(Count(log_, "button:up 1"), 1) << "the next press is the button's";
}

TEST_F(WidgetManagerTest, KeysHitWhileBoxesAreOpenAreDroppedWhenTheLastOneLeaves) {
  auto box = New<Probe>(&log_, "box");
  box->Modal = 1;
  auto next = New<Probe>(&log_, "next");
  next->Modal = 1;
  WidgetManager->AddWidget(box);
  Frame();
  Key(platform::VK_ESCAPE);
  Key('B');
  // One box hands over to the next in the same frame: the typing goes on.
  WidgetManager->RemoveWidget(box);
  WidgetManager->AddWidget(next);
  Frame();
  EXPECT_EQ(platform::KeyHit('B'), 1);
  // The last box leaves: the screen under it never sees its keys.
  WidgetManager->RemoveWidget(next);
  Frame();
  EXPECT_EQ(platform::KeyHit(platform::VK_ESCAPE), 0);
  Key(platform::VK_ESCAPE);
  Frame();
  EXPECT_EQ(platform::KeyHit(platform::VK_ESCAPE), 1) << "with no box open, keys stay for the screen";
}

TEST_F(WidgetManagerTest, RemovingTheTopModalWidgetHandsTheRoleToTheLastModalOneLeft) {
  auto first = Place(New<Probe>(&log_, "first"), 0, 0, 10, 10);
  first->Modal = 1;
  auto second = Place(New<Probe>(&log_, "second"), 0, 0, 10, 10);
  second->Modal = 1;
  auto plain = Place(New<Probe>(&log_, "plain"), 0, 0, 10, 10);
  WidgetManager->AddWidget(first);
  WidgetManager->AddWidget(second);
  WidgetManager->AddWidget(plain);
  EXPECT_EQ(WidgetManager->TopModalWidget.lock(), second);
  WidgetManager->RemoveWidget(second);
  EXPECT_EQ(WidgetManager->TopModalWidget.lock(), first);
  EXPECT_EQ(Only(log_, "second:removed").size(), 1u);
  WidgetManager->RemoveWidget(second);  // twice: nothing more happens
  EXPECT_EQ(Only(log_, "second:removed").size(), 1u);
  WidgetManager->RemoveWidget(static_cast<TWidget*>(nullptr));
}

TEST_F(WidgetManagerTest, AddWidgetBeforeInsertsInFrontOrDoesNothingForAnUnlistedWidget) {
  auto a = New<Probe>(&log_, "a");
  auto b = New<Probe>(&log_, "b");
  auto c = New<Probe>(&log_, "c");
  auto stranger = New<Probe>(&log_, "stranger");
  WidgetManager->AddWidget(a);
  WidgetManager->AddWidget(b);
  WidgetManager->AddWidgetBefore(c, b.get());
  WidgetManager->AddWidgetBefore(New<Probe>(&log_, "lost"), stranger.get());
  std::vector<TWidget*> order;
  for (const auto& w : WidgetManager->WidgetsList) order.push_back(w.get());
  EXPECT_EQ(order, (std::vector<TWidget*>{a.get(), c.get(), b.get()}));
  EXPECT_EQ(Count(log_, "c:added"), 1);
  EXPECT_EQ(Count(log_, "lost:added"), 0);
}

TEST_F(WidgetManagerTest, DarkeningFollowsTheFadeableWidgetsState) {
  drawFrames_ = false;
  auto dialog = New<Probe>(&log_, "dialog");
  dialog->Fadeable = 1;
  WidgetManager->AddWidget(dialog);

  struct Step {
    int fade_state;
    int frames;
    float dt;
    float expect;
  };
  const Step steps[] = {
      {1, 4, 1.0f, 0.20f},    // grows by 0.05 a frame
      {1, 20, 1.0f, 0.70f},   // capped
      {2, 2, 2.0f, 0.50f},    // shrinks by 0.05 x dt
      {2, 30, 1.0f, 0.00f},   // floored
      {1, 2, 1.0f, 0.10f},
      {0, 1, 1.0f, 0.00f},    // state 0 clears at once
      {7, 1, 1.0f, 0.00f},    // unknown states leave it
  };
  for (const auto& s : steps) {
    dialog->fade_state = s.fade_state;
    Frames(s.frames, s.dt);
    EXPECT_NEAR(WidgetManager->fade_alpha, s.expect, 1e-4) << "state " << s.fade_state;
  }

  dialog->fade_state = 1;
  Frames(5);
  dialog->Enable = 0;  // no fadeable widget is updated any more
  Frame();
  EXPECT_EQ(WidgetManager->fade_alpha, 0.0f);
}

TEST_F(WidgetManagerTest, FadeableWidgetDarkensWhatIsDrawnBeforeIt) {
  class Fill : public TWidget {
   public:
    int Draw() override {
      platform::DrawRect(0, 0, static_cast<float>(_width), static_cast<float>(_height));
      return 0;
    }
  };
  auto screen = Place(New<Fill>(), 0, 0, 800, 600);
  auto dialog = Place(New<TWidget>(), 300, 200, 100, 100);
  dialog->Fadeable = 1;
  dialog->fade_state = 1;
  WidgetManager->AddWidget(screen);
  WidgetManager->AddWidget(dialog);
  Frames(20);  // 0.7
  auto canvas = platform::GrabCanvas();
  const uint32_t px = canvas->ReadPixel(10, 10) & 0xFF;
  EXPECT_NEAR(static_cast<int>(px), static_cast<int>(255 * 0.3), 3) << "white under 0.7 of black";
}

// Where a widget draws: the origin and viewport it sees inside its Draw.
class ClipProbe : public TWidget {
 public:
  int Draw() override {
    ++draws;
    platform::GetOrigin(ox, oy);
    platform::GetViewport(vx, vy, vw, vh);
    return 0;
  }
  int draws = 0;
  float ox = 0, oy = 0;
  int vx = 0, vy = 0, vw = 0, vh = 0;
};

TEST_F(WidgetManagerTest, ClippedWidgetsDrawInTheirRectangleCutToTheCanvas) {
  struct ClipCase {
    const char* what;
    int clip, x, y, w, h, canvasOffset;
    float shakeX;
    int draws;
    float ox;
    int vx, vy, vw, vh;
  };
  const ClipCase cases[] = {
      {"inside", 1, 100, 50, 200, 100, 0, 0, 1, 100, 100, 50, 200, 100},
      {"partly left", 1, -30, 50, 100, 100, 0, 0, 1, -30, 0, 50, 70, 100},
      {"partly right and below", 1, 750, 550, 100, 100, 0, 0, 1, 750, 750, 550, 50, 50},
      {"partly above", 1, 10, -40, 100, 100, 0, 0, 1, 10, 10, 0, 100, 60},
      {"wholly right of the canvas", 1, 900, 50, 100, 100, 0, 0, 0, 0, 0, 0, 0, 0},
      {"wholly above the canvas", 1, 10, -200, 100, 100, 0, 0, 0, 0, 0, 0, 0, 0},
      {"game area of a wide screen", 2, 60, 50, 100, 100, 80, 0, 1, 60, 80, 50, 80, 100},
      {"game area, right side", 2, 820, 50, 100, 100, 80, 0, 1, 820, 820, 50, 60, 100},
      {"shake moves the origin, not the clip", 1, 100, 50, 200, 100, 0, 3, 1, 103, 100, 50, 200, 100},
  };
  for (const auto& c : cases) {
    InitWidgetManager();
    VirtualWidth = c.canvasOffset ? 960 : 800;
    CanvasOffsetX = c.canvasOffset;
    ShakeOffsetX = c.shakeX;
    auto w = Place(New<ClipProbe>(), c.x, c.y, c.w, c.h);
    w->Clip = c.clip;
    WidgetManager->AddWidget(w);
    WidgetManager->Draw();
    EXPECT_EQ(w->draws, c.draws) << c.what;
    EXPECT_EQ(w->drawed, c.draws) << c.what;
    if (c.draws) {
      EXPECT_EQ(w->ox, c.ox) << c.what;
      EXPECT_EQ(w->vx, c.vx) << c.what;
      EXPECT_EQ(w->vy, c.vy) << c.what;
      EXPECT_EQ(w->vw, c.vw) << c.what;
      EXPECT_EQ(w->vh, c.vh) << c.what;
    }
  }
  ShakeOffsetX = 0;
  CanvasOffsetX = 0;
  VirtualWidth = 800;

  auto free = Place(New<ClipProbe>(), -500, -500, 10, 10);
  free->Clip = 0;
  free->_originx = 7;
  WidgetManager->AddWidget(free);
  WidgetManager->Draw();
  EXPECT_EQ(free->draws, 1) << "unclipped widgets always draw, in canvas coordinates";
  EXPECT_EQ(free->ox, 0.0f);
}

TEST_F(WidgetManagerTest, PartlyOffCanvasWidgetPaintsOnlyItsVisiblePart) {
  class Fill : public TWidget {
   public:
    int Draw() override {
      platform::SetColor(255, 0, 0);
      platform::DrawRect(-1000, -1000, 3000, 3000);  // far beyond its own rectangle
      return 0;
    }
  };
  auto w = Place(New<Fill>(), -20, 100, 60, 40);
  WidgetManager->AddWidget(w);
  WidgetManager->Draw();
  auto canvas = platform::GrabCanvas();
  EXPECT_EQ(canvas->ReadPixel(5, 120) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(canvas->ReadPixel(45, 120) & 0xFFFFFF, 0u);
  EXPECT_EQ(canvas->ReadPixel(5, 90) & 0xFFFFFF, 0u);
}

TEST_F(WidgetManagerTest, ChildIsDrawnJustBeforeItsWidget) {
  auto a = New<Probe>(&log_, "a");
  auto b = New<Probe>(&log_, "b");
  a->child = New<Probe>(&log_, "child");
  WidgetManager->AddWidget(a);
  WidgetManager->AddWidget(b);
  Place(a, 0, 0, 10, 10);
  Place(b, 0, 0, 10, 10);
  Place(a->child, 0, 0, 10, 10);
  WidgetManager->Draw();
  std::vector<std::string> draws;
  for (const auto& l : log_)
    if (l.find(":draw") != std::string::npos) draws.push_back(l);
  EXPECT_EQ(draws, (std::vector<std::string>{"child:draw", "a:draw", "b:draw"}));
}

// Removes a widget from inside its own Update and then keeps using itself.
class SelfRemover : public TWidget {
 public:
  int Update(float) override {
    WidgetManager->RemoveWidget(this);
    ++updates;  // still alive here: the manager holds it through the call
    if (victim) WidgetManager->RemoveWidget(victim);
    return 0;
  }
  int updates = 0;
  TWidget* victim = nullptr;
};

TEST_F(WidgetManagerTest, WidgetRemovedDuringItsOwnUpdateStaysAliveAndTheWalkGoesOn) {
  WeakRef<TWidget> gone;
  auto after = New<Probe>(&log_, "after");
  auto victim = New<Probe>(&log_, "victim");
  {
    auto remover = New<SelfRemover>();
    remover->victim = victim.get();
    gone = remover;
    WidgetManager->AddWidget(remover);
    WidgetManager->AddWidget(victim);
    WidgetManager->AddWidget(after);
  }
  Frame();
  EXPECT_TRUE(gone.expired()) << "released once the walk moved on";
  EXPECT_EQ(Count(log_, "after:update"), 1) << "the walk went on past the removed widgets";
  EXPECT_EQ(Count(log_, "victim:update"), 0) << "a widget removed before its turn is skipped";
  EXPECT_EQ(WidgetManager->WidgetsList.Count(), 1u);
}

TEST_F(WidgetManagerTest, PressedWidgetThatLeftTheListStillGetsItsRelease) {
  auto a = Place(New<Probe>(&log_, "a"), 100, 100, 50, 50);
  WidgetManager->AddWidget(a);
  Point(120, 120);
  Press();
  Frame();
  WidgetManager->RemoveWidget(a);
  Release();
  Frame();
  EXPECT_EQ(Count(log_, "a:up 1"), 1);

  // Once nothing holds it any more, the pending release goes nowhere.
  auto b = Place(New<Probe>(&log_, "b"), 100, 100, 50, 50);
  WidgetManager->AddWidget(b);
  Press();
  Frame();
  WidgetManager->RemoveWidget(b);
  b.reset();
  Release();
  Frame();
  EXPECT_EQ(Count(log_, "b:up 1"), 0);
}

// Sets its result after a number of its own updates.
class Waiter : public TWidget {
 public:
  explicit Waiter(int after) : after_(after) {}
  int Update(float) override {
    if (++updates >= after_) mResult = 7;
    return 0;
  }
  int updates = 0;

 private:
  int after_;
};

TEST_F(WidgetManagerTest, WaitForResultRunsFramesUntilAResultAndRemovesTheWidget) {
  auto w = New<Waiter>(3);
  WidgetManager->AddWidget(w);
  platform::InjectKey('A', true);
  SkipFrame = 0;
  EXPECT_EQ(w->WaitForResult(1), 7);
  EXPECT_EQ(frames_, 3);
  EXPECT_FALSE(WidgetManager->Contains(w.get()));
  EXPECT_EQ(SkipFrame, 1);
  EXPECT_EQ(platform::KeyHit('A'), 0) << "pending key hits were flushed";

  UpdateFrameHook = nullptr;
  auto stuck = New<Waiter>(1000);
  EXPECT_EQ(stuck->WaitForResult(0), -1) << "without a frame function the wait cannot run";
}

// A button handler that opens a nested wait on a dialog which removes itself.
class Opener : public TWidget {
 public:
  int MouseUp(int) override {
    auto dialog = New<Waiter>(2);
    dialog->Modal = 1;
    WidgetManager->AddWidget(dialog);
    result = dialog->WaitForResult(1);
    return 0;
  }
  int result = 0;
};

TEST_F(WidgetManagerTest, NestedWaitInsideAHandlerLeavesTheListConsistent) {
  auto before = New<Probe>(&log_, "before");
  auto opener = Place(New<Opener>(), 100, 100, 50, 50);
  auto after = New<Probe>(&log_, "after");
  WidgetManager->AddWidget(before);
  WidgetManager->AddWidget(opener);
  WidgetManager->AddWidget(after);
  Click(120, 120);
  EXPECT_EQ(opener->result, 7);
  EXPECT_EQ(WidgetManager->WidgetsList.Count(), 3u);
  EXPECT_EQ(WidgetManager->TopModalWidget.lock(), nullptr);
  log_.clear();
  Frame();
  EXPECT_EQ(Count(log_, "before:update"), 1);
  EXPECT_EQ(Count(log_, "after:update"), 1);
}

// A dialog that, during the frames of a wait, takes other widgets out of the list.
class Sweeper : public TWidget {
 public:
  int Update(float) override {
    for (TWidget* w : victims) WidgetManager->RemoveWidget(w);
    victims.clear();
    mResult = 1;
    return 0;
  }
  std::vector<TWidget*> victims;
};

// Waits on a sweeper from inside its own Update, while the frame's walk stands on it.
class UpdateWaiter : public TWidget {
 public:
  int Update(float) override {
    if (done) return 0;
    done = 1;
    auto dialog = New<Sweeper>();
    dialog->Modal = 1;
    dialog->victims = victims;
    WidgetManager->AddWidget(dialog);
    dialog->WaitForResult(1);
    ++afterWait;  // this widget left the list during the wait
    return 0;
  }
  int done = 0, afterWait = 0;
  std::vector<TWidget*> victims;
};

TEST_F(WidgetManagerTest, WidgetsRemovedDuringANestedWaitStayAliveUntilTheOuterWalkMovesOn) {
  WeakRef<TWidget> waiterGone, nextGone;
  auto last = New<Probe>(&log_, "last");
  {
    auto waiter = New<UpdateWaiter>();
    auto next = New<Probe>(&log_, "next");
    waiter->victims = {waiter.get(), next.get()};
    waiterGone = waiter;
    nextGone = next;
    WidgetManager->AddWidget(waiter);
    WidgetManager->AddWidget(next);
    WidgetManager->AddWidget(last);
  }
  Frame();
  EXPECT_TRUE(waiterGone.expired());
  EXPECT_TRUE(nextGone.expired());
  EXPECT_EQ(Count(log_, "next:update"), 0) << "removed before its turn in the outer walk";
  EXPECT_EQ(Count(log_, "last:update"), 1) << "cut off by the dialog in the nested frame, updated in the outer one";
  EXPECT_EQ(WidgetManager->WidgetsList.Count(), 1u);
  EXPECT_EQ(WidgetManager->TopModalWidget.lock(), nullptr);
}

TEST_F(WidgetManagerTest, SetPositionAndSetHidedGoThroughTheVirtualSlots) {
  class Recorder : public TWidget {
   public:
    int Resize(int px, int py, int w, int h) override {
      ++resizes;
      return TWidget::Resize(px, py, w, h);
    }
    int SetEnable(int flag) override {
      enables.push_back(flag);
      return TWidget::SetEnable(flag);
    }
    int resizes = 0;
    std::vector<int> enables;
  };
  auto r = New<Recorder>();
  r->Resize(1, 2, 30, 40);
  r->SetPosition(5, 6);
  EXPECT_EQ(r->resizes, 2);
  EXPECT_EQ(r->_x, 5.0f);
  EXPECT_EQ(r->_width, 30);
  r->SetHided(1);
  EXPECT_EQ(r->enables, std::vector<int>{0});
  EXPECT_EQ(r->Visible, 0);
}

}  // namespace
