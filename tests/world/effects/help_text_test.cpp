#include "world/effects/help_text.h"

#include "draw_probe.h"
#include "overlay_test_env.h"
#include "world/resource_bindings.h"

namespace kelp {
namespace {

class HelpText : public overlay_env::Overlay {};

TEST_F(HelpText, MadeEmptyWithTheHelpFontWhiteAndAShadow) {
  FontHelp = testsupport::MakeFont();
  THelpText h;
  EXPECT_EQ(h.font, FontHelp);
  EXPECT_EQ(h.color, ColorWhite);
  EXPECT_EQ(h.shadow, 1);
  EXPECT_EQ(h.state, 0);
  EXPECT_EQ(h.text, "");
  EXPECT_EQ(h.alpha, 0.0f);
  FontHelp.reset();
}

TEST_F(HelpText, SetTextDependsOnTheState) {
  struct Row {
    int state;
    std::string shown, asked;
    int newState;
    std::string newText;
  };
  const Row rows[] = {
      {0, "", "Drop it", 1, "Drop it"},  // taken, fading in
      {0, "", "", 0, ""},                // nothing to show
      {0, "old", "", 0, "old"},          // a faded-out text is not replaced by nothing
      {1, "a", "b", 1, "a"},             // fading in: ignored
      {2, "a", "a", 2, "a"},             // the same text stays
      {2, "a", "b", 3, "a"},             // another fades the old one out, not stored
      {2, "a", "", 3, "a"},              // nothing: fade out
      {3, "a", "b", 3, "a"},             // fading out: ignored
  };
  for (const Row& r : rows) {
    THelpText h;
    h.state = r.state;
    h.text = r.shown;
    h.SetText(r.asked);
    EXPECT_EQ(h.state, r.newState) << r.state << " '" << r.asked << "'";
    EXPECT_EQ(h.text, r.newText) << r.state << " '" << r.asked << "'";
  }
}

TEST_F(HelpText, FadesInOverflowsThenShowsAndFadesOutByTheFrameFactor) {
  for (float dt : {1.0f, 2.0f}) {
    THelpText h;
    h.SetText("hint");
    h.Update(dt);
    EXPECT_FLOAT_EQ(h.alpha, dt / 10.0f);
    int n = 1;
    while (h.state == 1) {
      h.Update(dt);
      ++n;
    }
    EXPECT_EQ(h.state, 2);
    EXPECT_EQ(h.alpha, 1.0f);  // ran on to 1.5, then shown at 1
    EXPECT_NEAR(n, dt == 1.0f ? 15 : 8, 1);
    h.Update(dt);
    EXPECT_EQ(h.alpha, 1.0f);
    h.SetText("next");
    EXPECT_EQ(h.state, 3);
    while (h.state == 3) h.Update(dt);
    EXPECT_EQ(h.state, 0);
    EXPECT_EQ(h.alpha, 0.0f);
    // Asked again once the old one has gone, the new text is taken.
    h.SetText("next");
    EXPECT_EQ(h.text, "next");
    EXPECT_EQ(h.state, 1);
  }
}

TEST_F(HelpText, HidingOrFlushingEmptiesIt) {
  THelpText h;
  h.SetText("hint");
  for (int i = 0; i < 20; ++i) h.Update(1.0f);
  h.Flush();
  EXPECT_EQ(h.state, 0);
  EXPECT_EQ(h.text, "");
  EXPECT_EQ(h.alpha, 0.0f);
  EXPECT_EQ(h.Visible, 1);
  h.SetText("hint");
  h.SetHided(1);
  EXPECT_EQ(h.Visible, 0);
  EXPECT_EQ(h.state, 0);
  EXPECT_EQ(h.text, "");
  h.SetHided(0);
  EXPECT_EQ(h.Visible, 1);
}

class HelpTextCanvas : public overlay_env::OverlayCanvas {
 protected:
  void SetUp() override {
    OverlayCanvas::SetUp();
    ColorDark = CreateColor(0, 0, 255);  // told apart from the white text
  }
};

TEST_F(HelpTextCanvas, ShadowSitsTwoPixelsDownRightAndGoesWithTheText) {
  THelpText h;
  h.font = testsupport::MakeFont();
  h._width = 400;
  h.align = 0;
  h.SetText("I");
  for (int i = 0; i < 20; ++i) h.Update(1.0f);
  ASSERT_EQ(h.state, 2);
  h.Draw();
  platform::Pixmap p = Grab();
  // The glyph is 8 x 10 at the origin; its shadow shows below and right of it.
  EXPECT_GE(draw_probe::RGB(p, 4, 5), 0xF0F0F0u);
  EXPECT_NE(draw_probe::RGB(p, 9, 11), 0u);
  EXPECT_EQ(draw_probe::RGB(p, 9, 11) & 0xFF0000u, 0u);  // shadow colour, not text
  // Faded out: neither the text nor its shadow is left on screen.
  h.SetText("");
  while (h.state == 3) h.Update(1.0f);
  platform::Cls();
  h.Draw();
  EXPECT_TRUE(draw_probe::IsBlank(Grab()));
}

}  // namespace
}  // namespace kelp
