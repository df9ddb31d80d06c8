// Bitmap fonts: a one-page font written into a temporary folder, drawn on the
// headless canvas and read back.
#include "framework/media/bmfont.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/files/pak.h"
#include "framework/media/png_font.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "reset_rooms.h"
#include "test_env.h"

using namespace kelp;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;

void Fill(platform::Pixmap& p, int x, int y, int w, int h, uint32_t argb) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) p.WritePixel(i, j, argb);
}

// 100 x 50 page: "A" a red 8 x 10 block at (0, 0), "B" a green 6 x 10 block
// at (10, 0), "é" a blue 4 x 4 block at (20, 0).
void WritePage(const std::string& path) {
  platform::Pixmap page(100, 50);
  Fill(page, 0, 0, 8, 10, kRed);
  Fill(page, 10, 0, 6, 10, kGreen);
  Fill(page, 20, 0, 4, 4, kBlue);
  ASSERT_TRUE(platform::SavePixmapPNG(page, path));
}

const char* const kFontXml = R"(<?xml version="1.0"?>
<font>
  <info face="Test Face" size="12" stretchH="100" padding="1,2,3,4" spacing="5,6"/>
  <common lineHeight="12" base="10" scaleW="100" scaleH="50" pages="1"/>
  <pages>
    <page id="0" file="test_0.png"/>
  </pages>
  <chars count="3">
    <char id="65" x="0" y="0" width="8" height="10" xoffset="1" yoffset="2" xadvance="9" page="0" chnl="15"/>
    <char id="66" x="10" y="0" width="6" height="10" xoffset="0" yoffset="0" xadvance="7" page="0" chnl="15"/>
    <char id="233" x="20" y="0" width="4" height="4" xoffset="0" yoffset="0" xadvance="5" page="0" chnl="15"/>
  </chars>
  <kernings count="1">
    <kerning first="65" second="66" amount="-2"/>
  </kernings>
</font>
)";

struct Box {
  int x0, y0, x1, y1;  // x1, y1 exclusive; empty when x0 >= x1
};

// Bounding box of the canvas pixels of one colour.
Box BoxOf(const platform::Pixmap& p, uint32_t rgb) {
  Box b{p.Width(), p.Height(), 0, 0};
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x)
      if ((p.ReadPixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF)) {
        b.x0 = std::min(b.x0, x);
        b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x + 1);
        b.y1 = std::max(b.y1, y + 1);
      }
  return b;
}

void ExpectBox(const Box& got, const Box& want, const std::string& what) {
  EXPECT_NEAR(got.x0, want.x0, 1) << what;
  EXPECT_NEAR(got.y0, want.y0, 1) << what;
  EXPECT_NEAR(got.x1, want.x1, 1) << what;
  EXPECT_NEAR(got.y1, want.y1, 1) << what;
}

// Each test runs in a fresh working folder holding "fonts/test.xml" and its page.
class FontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    std::filesystem::create_directories("fonts");
    WritePage("fonts/test_0.png");
    testenv::WriteFile("fonts/test.xml", kFontXml);
    platform::SetMessageBoxHandler([this](const std::string&, const std::string& text, platform::MessageButtons) {
      boxes_.push_back(text);
      return 0;
    });
  }
  void TearDown() override {
    platform::SetMessageBoxHandler(nullptr);
    testsupport::ResetMediaRooms();
    std::filesystem::current_path(old_);
  }

  testenv::TempDir dir_;
  std::filesystem::path old_;
  std::vector<std::string> boxes_;
};

class FontCanvas : public FontTest {
 protected:
  void SetUp() override {
    FontTest::SetUp();
    ASSERT_TRUE(platform::OpenGraphics(800, 600, 0, 60, true));
    platform::ResetDrawState();
    platform::SetClearColor(0, 0, 0);
    platform::Cls();
  }
  void TearDown() override {
    platform::CloseGraphics();
    platform::ResetDrawState();
    FontTest::TearDown();
  }
  platform::Pixmap Grab() {
    platform::PixmapRef p = platform::GrabCanvas();
    EXPECT_TRUE(p);
    return p ? *p : platform::Pixmap(0, 0);
  }
};

}  // namespace

TEST_F(FontTest, FontLoadReadsDescriptionAndBecomesCurrent) {
  Ref<TBMFont> f = LoadBMFont("fonts/test.xml");
  ASSERT_TRUE(f);
  EXPECT_EQ(CurrentBMFont, f);
  EXPECT_EQ(f->Path, "fonts/test.xml");
  EXPECT_EQ(f->Name, "Test Face");
  EXPECT_EQ(f->Height, 12);
  EXPECT_EQ(f->StretchHeight, 100);
  EXPECT_EQ(std::vector<int>(f->Padding, f->Padding + 4), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(std::vector<int>(f->Spacing, f->Spacing + 2), (std::vector<int>{5, 6}));
  EXPECT_EQ(f->PageCount, 1);
  ASSERT_EQ(f->Pages.size(), 1u);
  ASSERT_TRUE(f->Pages[0]);
  // The page is padded to powers of two and the font reports the padded size.
  EXPECT_EQ(f->PageWidth, 128);
  EXPECT_EQ(f->PageHeight, 64);
  ASSERT_EQ(f->CharCount, 3);
  EXPECT_EQ(f->Chars[1]->id, 66);
  EXPECT_EQ(f->Chars[0]->chnl, 15);
  ASSERT_EQ(f->KerningCount, 1);
  EXPECT_EQ(f->Kernings[0]->amount, -2);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(FontTest, FontWidthsCountAdvancesAndPaddingButNoKerning) {
  ASSERT_TRUE(LoadBMFont("fonts/test.xml"));
  struct Case {
    const char* text;
    int width;
  };
  const Case cases[] = {
      {"", 0},
      {"xyz", 0},          // only characters the font lacks
      {"A", 9 + 2 + 4},    // advance + right and left padding
      {"AB", 15 + 13},     // the A-B kerning is not applied
      {"BA", 13 + 15},
      {"AxB", 15 + 13},    // unknown characters add nothing
      {"\xC3\xA9", 5 + 6}, // "é", looked up by code point
  };
  for (const Case& c : cases) EXPECT_EQ(BMTextWidth(c.text), c.width) << c.text;
  EXPECT_EQ(BMLineHeight(), 12 + 1 + 3);
  // Average height with padding over the text's length; one character divides by 1.
  EXPECT_EQ(BMTextHeight("A"), 10 + 1 + 3);
  EXPECT_EQ(BMTextHeight(""), 0);
}

// Lookups go through an index of the lists; the index must follow the lists
// as they are changed after a lookup.
TEST(FontLookup, CharsAndKerningsAreFoundAsTheListsChange) {
  auto font = New<TBMFont>();
  auto add = [&](int id, int advance) {
    auto c = New<TBMChar>();
    c->id = id;
    c->xadvance = advance;
    font->Chars.push_back(c);
    return c.get();
  };
  TBMChar* a = add(65, 9);
  TBMChar* b = add(66, 7);
  TBMChar* a2 = add(65, 99);  // a repeated id: the first entry counts
  add(-1, 1);                 // never a code point
  EXPECT_EQ(font->FindCode(65), a);
  EXPECT_EQ(font->FindCode(66), b);
  EXPECT_EQ(font->FindCode(0xFFFFFFFFu), nullptr);
  EXPECT_EQ(font->FindCode(67), nullptr);

  TBMChar* c = add(67, 5);  // added after a lookup
  EXPECT_EQ(font->FindCode(67), c);
  EXPECT_EQ(font->FindChar("C"), c);
  a->id = 70;  // the entry found for 65 now has another id
  EXPECT_EQ(font->FindCode(65), a2);
  EXPECT_EQ(font->FindCode(70), a);
  font->Chars = {font->Chars[1]};  // other storage
  EXPECT_EQ(font->FindCode(66), b);
  EXPECT_EQ(font->FindCode(67), nullptr);
  EXPECT_EQ(font->StringWidth("BBC"), 14);

  TBMChar* k = add(75, 1);
  font->Kernings = {TKerning::Create(66, 75, -2), TKerning::Create(66, 75, -5), TKerning::Create(75, 75, 4)};
  EXPECT_EQ(font->GetKerning(b, k), 0) << "no kerning while the count says none";
  font->KerningCount = 3;
  EXPECT_EQ(font->GetKerning(b, k), -2);
  EXPECT_EQ(font->GetKerning(k, b), 0);
  EXPECT_EQ(font->GetKerning(k, k), 4);
  font->Kernings.push_back(TKerning::Create(75, 66, 3));
  EXPECT_EQ(font->GetKerning(k, b), 3);
  font->Kernings[0]->amount = -7;  // an amount changed in place is read, not remembered
  EXPECT_EQ(font->GetKerning(b, k), -7);
}

TEST_F(FontTest, FontCallsWithoutCurrentFontDoNothing) {
  DrawBMText("AB", 10, 10, 1, 0);
  EXPECT_EQ(BMTextWidth("AB"), 0);
  EXPECT_EQ(BMLineHeight(), 0);
  EXPECT_EQ(BMTextHeight("AB"), 0);
}

TEST_F(FontTest, FontMissingFileShowsMessageAndKeepsCurrentFont) {
  Ref<TBMFont> f = LoadBMFont("fonts/test.xml");
  ASSERT_TRUE(f);
  EXPECT_FALSE(LoadBMFont("fonts/none.xml"));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], "Font not found: fonts/none.xml");
  EXPECT_EQ(CurrentBMFont, f);
}

TEST_F(FontTest, FontMalformedFilesLoadSafely) {
  struct Case {
    const char* name;
    std::string xml;
    bool loads;
    int chars, pages;
  };
  const std::string chars1 =
      R"(<chars count="1"><char id="65" x="0" y="0" width="8" height="10" xadvance="9" page="0"/></chars>)";
  const Case cases[] = {
      {"count larger than the entries",
       R"(<font><common pages="1"/><chars count="900000000"><char id="65" xadvance="9"/></chars></font>)", true, 1, 1},
      {"count smaller than the entries",
       R"(<font><chars count="1"><char id="65"/><char id="66"/><char id="67"/></chars></font>)", true, 3, 0},
      {"negative counts", R"(<font><common pages="-5"/><chars count="-1"/><kernings count="-7"/></font>)", true, 0, 0},
      {"huge page count", R"(<font><common pages="2000000000"/></font>)", true, 0, 0},
      {"page id beyond the count",
       R"(<font><common pages="1"/><pages><page id="7" file="test_0.png"/><page id="-1" file="test_0.png"/></pages>)" +
           chars1 + "</font>",
       true, 1, 1},
      {"pages before common", R"(<font><pages><page id="0" file="test_0.png"/></pages><common pages="1"/></font>)",
       true, 0, 1},
      {"short padding list", R"(<font><info padding="3" spacing=""/>)" + chars1 + "</font>", true, 1, 0},
      {"cut short", R"(<font><common pages="1"/><chars count="2"><char id="65"/>)", false, 0, 0},
      {"no element", "just text", false, 0, 0},
  };
  for (const Case& c : cases) {
    testenv::WriteFile("fonts/bad.xml", c.xml);
    Ref<TBMFont> f = TBMFont::Load("fonts/bad.xml");
    ASSERT_EQ(bool(f), c.loads) << c.name;
    if (!f) continue;
    EXPECT_EQ(f->CharCount, c.chars) << c.name;
    EXPECT_EQ(static_cast<int>(f->Chars.size()), c.chars) << c.name;
    EXPECT_EQ(static_cast<int>(f->Pages.size()), c.pages) << c.name;
    // Measuring and drawing a text of these characters stays safe.
    EXPECT_GE(f->StringWidth("ABC"), 0) << c.name;
    f->DrawText("ABC", 10, 10, 1, 1);
  }
  // The short padding list gave the missing pieces as 0.
  testenv::WriteFile("fonts/bad.xml", R"(<font><info padding="3,7"/></font>)");
  Ref<TBMFont> f = TBMFont::Load("fonts/bad.xml");
  ASSERT_TRUE(f);
  EXPECT_EQ(std::vector<int>(f->Padding, f->Padding + 4), (std::vector<int>{3, 7, 0, 0}));
}

TEST_F(FontTest, FontMissingPageShowsMessageAndItsCharactersDrawNothing) {
  std::string xml = kFontXml;
  xml.replace(xml.find("test_0.png"), 10, "gone.png");
  testenv::WriteFile("fonts/nopage.xml", xml);
  Ref<TBMFont> f = TBMFont::Load("fonts/nopage.xml");
  ASSERT_TRUE(f);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], "LoadImage2 failed");
  ASSERT_EQ(f->Pages.size(), 1u);
  EXPECT_FALSE(f->Pages[0]);
  f->DrawText("AB", 0, 0, 0, 0);
  EXPECT_EQ(f->StringWidth("AB"), 28);
}

TEST_F(FontTest, LoadImage2PadsToPowersOfTwo) {
  struct Case {
    int w, h, pw, ph;
  };
  const Case cases[] = {{100, 50, 128, 64}, {64, 64, 64, 64}, {1, 4, 1, 4}, {1, 3, 2, 4}, {3, 1, 4, 2}};
  for (const Case& c : cases) {
    platform::Pixmap p(c.w, c.h);
    Fill(p, 0, 0, c.w, c.h, kRed);
    ASSERT_TRUE(platform::SavePixmapPNG(p, "fonts/pic.png"));
    platform::ImageRef image = LoadImage2("fonts/pic.png", 6);
    ASSERT_TRUE(image) << c.w << "x" << c.h;
    EXPECT_EQ(image->Width(), c.pw) << c.w << "x" << c.h;
    EXPECT_EQ(image->Height(), c.ph) << c.w << "x" << c.h;
    EXPECT_EQ(image->HandleX(), 0.0f);
    EXPECT_EQ(image->Frame(0)->ReadPixel(c.w - 1, c.h - 1), kRed);
    EXPECT_EQ(image->Frame(0)->ReadPixel(c.pw - 1, c.ph - 1) >> 24, c.pw == c.w && c.ph == c.h ? 255u : 0u);
  }
  EXPECT_FALSE(LoadImage2("fonts/missing.png", 6));
  EXPECT_EQ(boxes_, std::vector<std::string>{"LoadImage2 failed"});
}

TEST_F(FontCanvas, FontGlyphsLandAtOffsetWithPaddingAndKerning) {
  ASSERT_TRUE(LoadBMFont("fonts/test.xml"));
  // "AB" at (100, 100): A at x + left padding + xoffset, y + top padding + yoffset;
  // the pen then moves by kerning(A, B) + advance + both paddings = -2 + 9 + 6.
  DrawBMText("AB", 100, 100);
  platform::Pixmap p = Grab();
  ExpectBox(BoxOf(p, kRed), {105, 103, 113, 113}, "A of AB");
  ExpectBox(BoxOf(p, kGreen), {117, 101, 123, 111}, "B of AB");

  // The reversed pair has no kerning.
  platform::Cls();
  DrawBMText("BA", 100, 100);
  p = Grab();
  ExpectBox(BoxOf(p, kGreen), {104, 101, 110, 111}, "B of BA");
  ExpectBox(BoxOf(p, kRed), {118, 103, 126, 113}, "A of BA");

  // An unknown character in between is skipped without moving the pen, and
  // A is no longer kerned against B.
  platform::Cls();
  DrawBMText("A?B", 100, 100);
  p = Grab();
  ExpectBox(BoxOf(p, kGreen), {119, 101, 125, 111}, "B of A?B");
}

TEST_F(FontCanvas, FontAlignmentUsesWidthAtDrawScale) {
  ASSERT_TRUE(LoadBMFont("fonts/test.xml"));
  struct Case {
    const char* name;
    float scale;
    int centre, right;
    float startX;  // where the pen starts for text "A" (width 15) drawn at 200
  };
  const Case cases[] = {
      {"left", 1, 0, 0, 200},
      {"right", 1, 0, 1, 200 - 15},
      {"right at scale 2", 2, 0, 1, 200 - 2 * 15},
      {"centre of odd width moves by width div 2", 1, 1, 0, 200 - 7},
      {"centre at scale 2", 2, 1, 0, 200 - 2 * 7},
      {"centre and right together", 1, 1, 1, 200 - 7 - 15},
  };
  for (const Case& c : cases) {
    platform::Cls();
    platform::SetScale(c.scale, c.scale);
    DrawBMText("A", 200, 100, c.centre, c.right);
    platform::SetScale(1, 1);
    const int x0 = static_cast<int>(c.startX + 5 * c.scale);
    const int y0 = static_cast<int>(100 + 3 * c.scale);
    ExpectBox(BoxOf(Grab(), kRed),
              {x0, y0, x0 + static_cast<int>(8 * c.scale), y0 + static_cast<int>(10 * c.scale)}, c.name);
  }
}

// ---------------------------------------------------------------------------
// PNG sheet fonts

namespace {

std::string Int32(int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
  return s;
}

std::string FntTable(int kearning, int height, const std::vector<std::vector<int>>& glyphs, int count = -1) {
  std::string s = Int32(kearning) + Int32(height) + Int32(count < 0 ? int(glyphs.size()) : count) + Int32(0);
  for (const auto& g : glyphs)
    for (int v : g) s += Int32(v);
  return s;
}

}  // namespace

TEST_F(FontTest, PngFontReadsGlyphTableAndAveragesHeight) {
  platform::Pixmap sheet(32, 16);
  Fill(sheet, 0, 0, 8, 12, kRed);
  Fill(sheet, 8, 0, 6, 10, kGreen);
  ASSERT_TRUE(platform::SavePixmapPNG(sheet, "fonts/sheet.png"));
  testenv::WriteFile("fonts/sheet.fnt", FntTable(1, 14, {{65, 0, 0, 8, 12}, {66, 8, 0, 6, 10}, {400, 0, 0, 2, 2}}));

  auto f = TPNGFont::LoadPNGFont("fonts/sheet");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Kearning, 1);
  // The file's height and every glyph's height, summed, over the glyph count.
  EXPECT_EQ(f->FHeight, (14 + 12 + 10 + 2) / 3);
  EXPECT_EQ(f->height(), f->FHeight);
  EXPECT_EQ(f->CharToGlyph(65), 65);
  EXPECT_EQ(f->CharToGlyph(67), -1);
  EXPECT_EQ(f->CharToGlyph(400), -1);  // beyond the table: left out
  ASSERT_TRUE(f->LoadGlyph(65));
  EXPECT_EQ(f->LoadGlyph(65)->w, 8 + 1);
  EXPECT_EQ(f->LoadGlyph(65)->h, 12);
  EXPECT_EQ(f->LoadGlyph(65)->image->Frame(0)->ReadPixel(7, 11), kRed);
  // The space has no image and a quarter of the file's height as advance.
  ASSERT_TRUE(f->LoadGlyph(32));
  EXPECT_FALSE(f->LoadGlyph(32)->image);
  EXPECT_EQ(f->LoadGlyph(32)->w, 14 / 4);

  struct Case {
    const char* text;
    int width;
  };
  const Case cases[] = {
      {"", 0},
      {"A", 8},            // the last character counts its image width
      {"AB", 9 + 6},       // the others their advance
      {"A ", 9},           // a last space has no image
      {" A", 3 + 8},
      {"AzB", 9 + 6},      // characters without a glyph add nothing
  };
  for (const Case& c : cases) EXPECT_EQ(f->TextWidth(c.text), c.width) << c.text;
}

TEST_F(FontTest, PngFontRejectsBrokenTables) {
  platform::Pixmap sheet(8, 8);
  ASSERT_TRUE(platform::SavePixmapPNG(sheet, "fonts/s.png"));
  struct Case {
    const char* name;
    std::string table;
  };
  const Case cases[] = {
      {"no glyphs", FntTable(0, 10, {})},
      {"negative count", FntTable(0, 10, {}, -3)},
      {"count beyond the file", FntTable(0, 10, {{65, 0, 0, 2, 2}}, 1000000)},
      {"header cut short", Int32(0) + Int32(10)},
  };
  for (const Case& c : cases) {
    testenv::WriteFile("fonts/s.fnt", c.table);
    EXPECT_FALSE(TPNGFont::LoadPNGFont("fonts/s")) << c.name;
  }
  testenv::WriteFile("fonts/t.fnt", FntTable(0, 10, {{65, 0, 0, 2, 2}}));
  EXPECT_FALSE(TPNGFont::LoadPNGFont("fonts/t")) << "no sheet";
  // Glyphs with hostile codes or sizes are left out; the rest loads.
  testenv::WriteFile("fonts/s.fnt", FntTable(0, 10, {{-1, 0, 0, 2, 2}, {65, 0, 0, -4, 2}, {66, 100, 100, 2, 2},
                                                       {67, 2147483646, -2147483647, 8, 12}}));
  auto f = TPNGFont::LoadPNGFont("fonts/s");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->CharToGlyph(65), -1);
  // Cut from outside the sheet, however far: transparent.
  for (int code : {66, 67}) {
    ASSERT_EQ(f->CharToGlyph(code), code);
    EXPECT_EQ(f->LoadGlyph(code)->image->Frame(0)->ReadPixel(1, 1), 0u);
  }
}

TEST_F(FontCanvas, PngFontDrawsGlyphsAtThePen) {
  platform::Pixmap sheet(32, 16);
  Fill(sheet, 0, 0, 8, 12, kRed);
  Fill(sheet, 8, 0, 6, 10, kGreen);
  ASSERT_TRUE(platform::SavePixmapPNG(sheet, "fonts/sheet.png"));
  testenv::WriteFile("fonts/sheet.fnt", FntTable(2, 12, {{65, 0, 0, 8, 12}, {66, 8, 0, 6, 10}}));
  auto f = TPNGFont::LoadPNGFont("fonts/sheet");
  ASSERT_TRUE(f);
  platform::SetImageFont(f);
  platform::DrawText("A B", 50, 60);
  platform::Pixmap p = Grab();
  ExpectBox(BoxOf(p, kRed), {50, 60, 58, 72}, "A");
  // A advances 8 + 2, the space 12 / 4.
  ExpectBox(BoxOf(p, kGreen), {63, 60, 69, 70}, "B");
  EXPECT_EQ(platform::TextWidth("A B"), 10 + 3 + 6);
}
