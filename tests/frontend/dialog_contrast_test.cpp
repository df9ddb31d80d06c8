// Every dialog's text reads on its art: for each dialog, the ink its text is
// drawn in against the mean colour of the generated art behind the text's
// box has a contrast of at least 4.5:1 (relative luminance, as the web's
// accessibility guidelines measure it).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "framework/ui/controls.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "framework/ui/text_ink.h"
#include "frontend/level_select.h"
#include "platform/image.h"
#include "play/dialog_phrase.h"
#include "play/dialog_printer.h"
#include "test_env.h"
#include "village/upgrade_dialog.h"

namespace kelp {
namespace {

double Linear(double channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(double r, double g, double b) { return 0.2126 * Linear(r) + 0.7152 * Linear(g) + 0.0722 * Linear(b); }

double Contrast(double l1, double l2) { return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05); }

struct Box {
  int x, y, w, h;
};

struct Mean {
  double r = 0, g = 0, b = 0;
  bool any = false;
};

// The mean colour of the art's pixels in the box, each weighted by its opacity.
Mean MeanColour(const platform::Pixmap& art, const Box& box) {
  Mean m;
  double weight = 0;
  for (int y = box.y; y < box.y + box.h; ++y)
    for (int x = box.x; x < box.x + box.w; ++x) {
      const uint32_t p = art.ReadPixel(x, y);
      const double a = static_cast<double>(p >> 24) / 255.0;
      m.r += a * static_cast<double>((p >> 16) & 0xff);
      m.g += a * static_cast<double>((p >> 8) & 0xff);
      m.b += a * static_cast<double>(p & 0xff);
      weight += a;
    }
  if (weight > 0) m = {m.r / weight, m.g / weight, m.b / weight, true};
  return m;
}

struct DialogText {
  const char* dialog;
  const char* art;  // under the program folder
  Box text;         // where the dialog draws its text on that art
  TextInk ink;
};

void ExpectReadable(const DialogText& c) {
  SCOPED_TRACE(c.dialog);
  {
    const platform::PixmapRef art = platform::LoadPixmap(std::string(KELP_DATA_ROOT) + "/" + c.art);
    ASSERT_TRUE(art) << c.art;
    ASSERT_LE(c.text.x + c.text.w, art->Width());
    ASSERT_LE(c.text.y + c.text.h, art->Height());
    const Mean back = MeanColour(*art, c.text);
    ASSERT_TRUE(back.any) << "no art behind the text";
    const double contrast = Contrast(Luminance(c.ink.r, c.ink.g, c.ink.b), Luminance(back.r, back.g, back.b));
    EXPECT_GE(contrast, 4.5) << "ink (" << int{c.ink.r} << ", " << int{c.ink.g} << ", " << int{c.ink.b}
                             << ") on art (" << std::lround(back.r) << ", " << std::lround(back.g) << ", " << std::lround(back.b) << ")";
  }
}

TEST(DialogContrast, EveryDialogsTextReadsOnItsArt) {
  const DialogText cases[] = {
      {"message box (the quit box)", "data/img/gui/dialogs/message_box.png", {30, 75, 354, 90}, TMessageBox::kInk},
      {"name box", "data/img/gui/dialogs/name.png", {36, 78, 186, 30}, kInputInk},
      {"player list", "data/img/gui/dialogs/players.png", {56, 100, 194, 108}, TListbox{}.Ink},
      {"player list's selected row", "data/img/gui/dialogs/player_selector.png", {8, 6, 184, 18}, TListbox{}.Ink},
      {"level select's records", "data/img/gui/level_select/frame.png", {40, 30, 320, 90}, TLevelSelect::kInk},
      {"level select's level numbers", "data/img/gui/level_select/border.png", {110, 18, 46, 24}, TLevelIcon::kInk},
      {"upgrade's coins caption", "data/img/gui/village/build_form.png", {55, 90, 80, 18}, TUpgradeDialog::kInk},
      {"upgrade's building name", "data/img/gui/village/build_form.png", {100, 305, 290, 24}, TUpgradeDialog::kInk},
      {"upgrade's description", "data/img/gui/village/build_form.png", {100, 330, 290, 80}, TUpgradeDialog::kInk},
  };
  for (const DialogText& c : cases) ExpectReadable(c);
}

// The story dialogs print their plain text and every colour the story's
// texts mark (<Red>...</Red>) on a level's cloud and on the village's window.
TEST(DialogContrast, EveryStoryColourReadsOnTheDialogs) {
  const std::string story = testenv::ReadFile(std::string(KELP_SOURCE_DATA) + "/lang/Dialogs.dat");
  ASSERT_FALSE(story.empty());
  const TDialogPrinter printer;
  std::vector<std::pair<std::string, TextInk>> inks = {
      {"plain", {static_cast<uint8_t>(printer.plain_r), static_cast<uint8_t>(printer.plain_g),
                 static_cast<uint8_t>(printer.plain_b)}}};
  for (int mode = 1; mode < 9; ++mode) {
    int r = 0, g = 0, b = 0;
    if (story.find("<" + std::string(DialogColorNames[mode]) + ">") == std::string::npos) continue;
    ASSERT_TRUE(DialogColor(mode, r, g, b));
    inks.push_back({DialogColorNames[mode], {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)}});
  }
  for (const auto& [name, ink] : inks) {
    SCOPED_TRACE(name);
    ExpectReadable({"a level's story cloud", "data/img/gui/dialogs/speech_cloud.png", {24, 18, 212, 80}, ink});
    ExpectReadable({"the village's story window", "data/img/dialogs/window.png", {110, 40, 300, 110}, ink});
  }
}

// ---- captions and counters drawn with their own outline ----

double LuminanceOf(uint32_t p) {
  return Luminance(static_cast<double>((p >> 16) & 0xff), static_cast<double>((p >> 8) & 0xff),
                   static_cast<double>(p & 0xff));
}

struct OutlinedText {
  const char* screen;
  const char* text;  // a caption picture, or a font's glyph page, white tinted by `ink`
  TextInk ink;
  const char* art;   // what it is drawn on; "" for the black screen
  Box under;         // where: the picture starts at the box's corner, wrapping inside it
};

// What the player reads: the letters' fill against what is right round them
// past their smoothed edge (their outline where they have one, else the art).
// The fill is the lighter half of the picture's opaque pixels; what is round
// it, the pixels two pixels away from the fill, as drawn on the art.
void ExpectOutlinedTextReads(const OutlinedText& c) {
  SCOPED_TRACE(std::string(c.screen) + ": " + c.text);
  const platform::PixmapRef text = platform::LoadPixmap(std::string(KELP_DATA_ROOT) + "/" + c.text);
  ASSERT_TRUE(text);
  platform::PixmapRef art;
  if (*c.art) {
    art = platform::LoadPixmap(std::string(KELP_DATA_ROOT) + "/" + c.art);
    ASSERT_TRUE(art) << c.art;
    ASSERT_LE(c.under.x + c.under.w, art->Width());
    ASSERT_LE(c.under.y + c.under.h, art->Height());
  }
  const int w = text->Width(), h = text->Height();
  auto tinted = [&](uint32_t p) {
    const uint32_t r = ((p >> 16) & 0xff) * c.ink.r / 255, g = ((p >> 8) & 0xff) * c.ink.g / 255,
                   b = (p & 0xff) * c.ink.b / 255;
    return (p & 0xff000000u) | r << 16 | g << 8 | b;
  };
  // The picture drawn over the art, pixel by pixel.
  auto drawn = [&](int x, int y) {
    const uint32_t t = tinted(text->ReadPixel(x, y));
    const uint32_t a = art ? art->ReadPixel(c.under.x + x % c.under.w, c.under.y + y % c.under.h) : 0xff000000u;
    const double ta = static_cast<double>(t >> 24) / 255.0;
    uint32_t out = 0xff000000u;
    for (int shift : {16, 8, 0}) {
      const double v = ta * ((t >> shift) & 0xff) + (1 - ta) * ((a >> shift) & 0xff);
      out |= static_cast<uint32_t>(std::lround(v)) << shift;
    }
    return out;
  };
  // Each line of the picture (rows between empty rows) on its own: lines
  // may differ in colour.
  auto opaque = [&](int x, int y) { return (text->ReadPixel(x, y) >> 24) >= 250; };
  int lines = 0;
  for (int top = 0; top < h;) {
    auto rowEmpty = [&](int y) {
      for (int x = 0; x < w; ++x)
        if (opaque(x, y)) return false;
      return true;
    };
    while (top < h && rowEmpty(top)) ++top;
    int bottom = top;
    while (bottom < h && !rowEmpty(bottom)) ++bottom;
    if (top >= h) break;
    double lo = 1, hi = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < w; ++x)
        if (opaque(x, y)) {
          const double l = LuminanceOf(tinted(text->ReadPixel(x, y)));
          lo = std::min(lo, l);
          hi = std::max(hi, l);
        }
    const double middle = (lo + hi) / 2;
    auto isFill = [&](int x, int y) {
      return x >= 0 && y >= top && x < w && y < bottom && opaque(x, y) &&
             LuminanceOf(tinted(text->ReadPixel(x, y))) >= middle;
    };
    double fillSum = 0, rimSum = 0;
    int fillCount = 0, rimCount = 0;
    for (int y = std::max(0, top - 2); y < std::min(h, bottom + 2); ++y)
      for (int x = 0; x < w; ++x) {
        if (isFill(x, y)) {
          fillSum += LuminanceOf(tinted(text->ReadPixel(x, y)));
          ++fillCount;
          continue;
        }
        bool touching = false, near = false;
        for (int dy = -2; dy <= 2; ++dy)
          for (int dx = -2; dx <= 2; ++dx) {
            if (!isFill(x + dx, y + dy)) continue;
            near = true;
            if (std::abs(dx) <= 1 && std::abs(dy) <= 1) touching = true;
          }
        if (!near || touching) continue;
        rimSum += LuminanceOf(drawn(x, y));
        ++rimCount;
      }
    const int first = top;
    top = bottom;
    if (fillCount < 20 || rimCount == 0) continue;  // a stray speck, not a line
    ++lines;
    const double contrast = Contrast(fillSum / fillCount, rimSum / rimCount);
    EXPECT_GE(contrast, 4.5) << "the line at rows " << first << ".." << bottom << ": fill luminance "
                             << fillSum / fillCount << " against " << rimSum / rimCount;
  }
  EXPECT_GT(lines, 0) << "no letters";
}

constexpr TextInk kWhite{255, 255, 255};

TEST(DialogContrast, OutlinedCaptionsAndCountersReadOnTheirScreens) {
  const char* const complete = "data/img/gui/complete/frame.png";
  const char* const gameOver = "data/img/gui/game_over/back.png";
  const OutlinedText cases[] = {
      {"results", "data/img/gui/complete/score.png", kWhite, complete, {20, 100, 140, 30}},
      {"results", "data/img/gui/complete/combos.png", kWhite, complete, {20, 135, 140, 30}},
      {"results", "data/img/gui/complete/max_combo.png", kWhite, complete, {20, 170, 150, 30}},
      {"results", "data/img/gui/complete/creatures.png", kWhite, complete, {20, 207, 140, 30}},
      {"results", "data/img/gui/complete/time_bonus.png", kWhite, complete, {20, 282, 150, 30}},
      {"results", "data/img/gui/complete/total.png", kWhite, complete, {20, 329, 140, 30}},
      {"results", "data/img/gui/complete/none.png", kWhite, complete, {200, 329, 80, 30}},
      {"results' counters", "data/fonts/complete_scores_0.png", kWhite, complete, {170, 99, 120, 250}},
      {"game over", "data/img/gui/game_over/level_failed.png", kWhite, gameOver, {120, 405, 560, 90}},
      {"game over", "data/img/gui/game_over/game_over.png", kWhite, gameOver, {120, 405, 560, 90}},
      {"game over", "data/img/gui/game_over/skips_1.png", kWhite, gameOver, {386, 546, 200, 30}},
      {"game over", "data/img/gui/game_over/skips_3.png", kWhite, gameOver, {386, 546, 200, 30}},
      {"credits", "data/img/gui/credits/text.png", kWhite, "data/img/gui/credits/back_01.png", {150, 50, 500, 500}},
      {"credits", "data/img/gui/credits/text.png", kWhite, "data/img/gui/credits/back_02.png", {150, 50, 500, 500}},
      {"credits' hint", "data/fonts/hi_0.png", kWhite, "", {0, 0, 800, 50}},
      {"trophy room's description", "data/fonts/comics_0.png", kWhite, "data/img/gui/village/trophy_room.png",
       {425, 480, 360, 110}},
  };
  for (const OutlinedText& c : cases) ExpectOutlinedTextReads(c);
}

}  // namespace
}  // namespace kelp
