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

}  // namespace
}  // namespace kelp
