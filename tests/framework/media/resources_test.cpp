// The resource manager and the binding of resources to globals, on small resource lists and
// data files written into a fresh working folder.
#include "framework/media/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/core/random.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/media/bmfont.h"
#include "framework/media/particles.h"
#include "platform/message_box.h"
#include "reset_rooms.h"
#include "test_env.h"
#include "framework/media/resource_bindings.h"

using namespace kelp;

namespace {

void SavePng(const std::string& path, int w, int h, uint32_t argb) {
  platform::Pixmap p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.WritePixel(x, y, argb);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  ASSERT_TRUE(platform::SavePixmapPNG(p, path));
}

std::string Le(uint32_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 255);
  return s;
}

// A short 16-bit stereo PCM WAV file.
std::string Wav(int frames) {
  const uint32_t data = static_cast<uint32_t>(frames) * 4;
  return "RIFF" + Le(36 + data, 4) + "WAVE" + "fmt " + Le(16, 4) + Le(1, 2) + Le(2, 2) + Le(22050, 4) +
         Le(22050 * 4, 4) + Le(4, 2) + Le(16, 2) + "data" + Le(data, 4) + std::string(data, '\0');
}

const char* const kEffect = R"(<effect><GenSpeed value="10"/><LifeTime min="100" max="100"/></effect>)";
const char* const kFont =
    R"(<font><common lineHeight="9" pages="0"/><chars count="1"><char id="65" xadvance="5"/></chars></font>)";

class Resources : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMediaRooms();
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    SeedRnd(99);
    platform::SetMessageBoxHandler([this](const std::string&, const std::string& text, platform::MessageButtons) {
      boxes_.push_back(text);
      return 0;
    });
    std::filesystem::create_directories("log");
    ASSERT_TRUE(OpenLog(dir_.path() + "/log"));
  }
  void TearDown() override {
    platform::SetMessageBoxHandler(nullptr);
    testsupport::ResetMediaRooms();
    std::filesystem::current_path(old_);
  }

  std::string LogText() { return testenv::ReadFile(dir_.path() + "/log/log.xml"); }

  std::vector<Ref<TRes>> All() {
    std::vector<Ref<TRes>> v;
    for (const auto& r : ResManager->Resources) v.push_back(r);
    return v;
  }

  // Registers the list text as "res.xml".
  void ReadList(const std::string& xml) {
    testenv::WriteFile(dir_ / "res.xml", xml);
    ASSERT_TRUE(ReadResourceList("res.xml"));
  }

  testenv::TempDir dir_;
  std::filesystem::path old_;
  std::vector<std::string> boxes_;
};

}  // namespace

TEST_F(Resources, ListRegistersEntriesWithGroupDefaultsWithoutLoading) {
  ReadList(R"(<?xml version="1.0" ?>
<reslist>
  <Resources ID="Init">
    <setdefaults path="data/img/" idprefix="IMAGE_"/>
    <IMAGE ID="Loading_Full" PATH="Full.PNG" midhandle="1" mipmapped="1"/>
    <image id="HANDLED" path="h.png" handlex="3" handley="4" mask="h_mask.png"/>
    <setdefaults idprefix="FX_"/>
    <effect id="SPARK" path="spark.xml"/>
    <setdefaults path="#NONE#" idprefix="SND_"/>
    <sound id="CLICK" path="click.wav" loop="1"/>
    <bmfont id="FONT" path="f.xml"/>
    <animimage id="STRIP" path="s.png" width="8" height="9" frames="3"/>
    <unknown id="X" path="x"/>
  </Resources>
  <resources id="Music">
    <music id="MUSIC_MENU" path="menu.ogg"/>
    <image id="PLAIN" path="plain.png"/>
  </resources>
  <other><resources id="Nested"><image id="NO" path="no.png"/></resources></other>
</reslist>
)");
  auto all = All();
  ASSERT_EQ(all.size(), 8u);
  struct Want {
    const char* name;
    const char* file;
    const char* scope;
  };
  const Want want[] = {
      {"image_loading_full", "data/img/full.png", "init"}, {"image_handled", "data/img/h.png", "init"},
      {"fx_spark", "data/img/spark.xml", "init"},          {"snd_click", "data/img/click.wav", "init"},
      {"snd_font", "data/img/f.xml", "init"},              {"snd_strip", "data/img/s.png", "init"},
      {"music_menu", "menu.ogg", "music"},                 {"plain", "plain.png", "music"},
  };
  for (size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i]->Name, want[i].name) << i;
    EXPECT_EQ(all[i]->FileName, want[i].file) << i;
    EXPECT_EQ(all[i]->Scope, want[i].scope) << i;
    EXPECT_FALSE(all[i]->Loaded()) << i;
  }
  auto full = As<TResImage>(all[0]);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->MidHandle, 1);
  EXPECT_EQ(full->Mipmapped, 1);
  EXPECT_EQ(full->Mask, "data/img/0");  // the default mask "0" behind the default path
  auto handled = As<TResImage>(all[1]);
  EXPECT_EQ(handled->HandleX, 3);
  EXPECT_EQ(handled->HandleY, 4);
  EXPECT_EQ(handled->Mask, "data/img/h_mask.png");
  ASSERT_TRUE(As<TResEffect>(all[2]));
  EXPECT_EQ(As<TResSound>(all[3])->Loop, 1);
  EXPECT_EQ(As<TResImageFont>(all[4])->Size, 12);
  auto strip = As<TResAnimImage>(all[5]);
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->FrameWidth, 8);
  EXPECT_EQ(strip->FrameHeight, 9);
  EXPECT_EQ(strip->FramesNum, 3);
  EXPECT_EQ(strip->AnimSpeed, -1);
  ASSERT_TRUE(As<TResMusic>(all[6]));
}

TEST_F(Resources, ListWithoutGroupsOrFileRegistersNothing) {
  ReadList(R"(<resources id="Init"><image id="A" path="a.png"/></resources>)");
  EXPECT_EQ(ResManager->Resources.Count(), 0u);
  EXPECT_FALSE(ReadResourceList("none.xml"));
  EXPECT_EQ(ResManager->Resources.Count(), 0u);
  EXPECT_NE(LogText().find("resource list not found: none.xml"), std::string::npos);
  // A cut-off list registers what was read and says so.
  ReadList(R"(<list><resources id="Init"><image id="A" path="a.png"/><image id="B")");
  EXPECT_EQ(ResManager->Resources.Count(), 2u);
  EXPECT_NE(LogText().find("resource list cut short: res.xml"), std::string::npos);
}

TEST_F(Resources, ScopeLoadsInOrderWithProgressBeforeEachAndLogs) {
  SavePng("data/a.png", 4, 2, 0xFF102030u);
  SavePng("data/b.png", 6, 4, 0xFF102030u);
  SavePng("data/strip.png", 12, 5, 0xFF00FF00u);
  testenv::WriteFile("data/spark.xml", kEffect);
  testenv::WriteFile("data/font.xml", kFont);
  testenv::WriteFile("data/click.wav", Wav(16));
  ReadList(R"(<list>
  <resources id="Menu">
    <image id="IMAGE_A" path="data/a.png" midhandle="1"/>
    <image id="IMAGE_B" path="data/b.png" handlex="1" handley="2"/>
    <animimage id="IMAGE_STRIP" path="data/strip.png" width="4" height="5" frames="3" animspeed="80"/>
  </resources>
  <resources id="Map">
    <effect id="EFFECT_SPARK" path="data/spark.xml"/>
    <bmfont id="FONT_X" path="data/font.xml"/>
    <sound id="SOUND_CLICK" path="data/click.wav"/>
    <music id="MUSIC_MAP" path="data/map.ogg"/>
  </resources>
</list>)");
  std::vector<std::pair<float, int>> progress;  // percent, resources loaded at the call
  ResManager->DrawLoading = [&](float pos) {
    int loaded = 0;
    for (const auto& r : ResManager->Resources) loaded += r->Loaded();
    progress.push_back({pos, loaded});
  };
  ResManager->ResetLoadingPanel();
  ResManager->LoadingPanelAddScope("MENU");
  ResManager->LoadingPanelAddScope("map");
  EXPECT_EQ(ResManager->LoadingMax, 7);
  ResManager->LoadScope("Menu");
  ResManager->LoadScope("Map");
  ResManager->DrawLoading = nullptr;
  ASSERT_EQ(progress.size(), 7u);
  for (size_t i = 0; i < progress.size(); ++i) {
    EXPECT_NEAR(progress[i].first, 100.0f * (i + 1) / 7, 1e-3) << i;
    EXPECT_EQ(progress[i].second, static_cast<int>(i)) << "called before resource " << i << " loads";
  }
  EXPECT_NEAR(ResManager->LoadingPos, 100.0f, 1e-3);

  platform::ImageRef a = ResManager->GetImage("image_a");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->HandleX(), 2.0f);
  EXPECT_EQ(a->HandleY(), 1.0f);
  platform::ImageRef b = ResManager->GetImage("Image_B");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->HandleX(), 1.0f);
  EXPECT_EQ(b->HandleY(), 2.0f);
  platform::ImageRef strip = ResManager->GetImage("IMAGE_STRIP");
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->Frames(), 3);
  EXPECT_EQ(strip->Width(), 4);
  EXPECT_EQ(As<TResAnimImage>(ResManager->GetRes("IMAGE_STRIP"))->AnimSpeed, 80);
  Ref<TEffect> spark = ResManager->GetEffect("EFFECT_SPARK");
  ASSERT_TRUE(spark);
  EXPECT_EQ(spark->GenSpeed, 10.0f);
  Ref<TBMFont> font = ResManager->GetBMFont("FONT_X");
  ASSERT_TRUE(font);
  EXPECT_EQ(font->Height, 9);
  platform::SoundRef click = ResManager->GetSound("SOUND_CLICK");
  ASSERT_TRUE(click);
  EXPECT_EQ(ResManager->GetMusic("MUSIC_MAP"), "data/map.ogg");
  EXPECT_TRUE(boxes_.empty());

  const std::string log = LogText();
  EXPECT_NE(log.find("<message>load scope  \"menu\" finished. </message>"), std::string::npos) << log;
  EXPECT_NE(log.find("<message>load scope  \"map\" finished. </message>"), std::string::npos) << log;

  // Loading again makes new pictures, effects and fonts, but keeps sounds and music.
  ResManager->LoadScope("menu");
  ResManager->LoadScope("map");
  EXPECT_NE(ResManager->GetImage("IMAGE_A"), a);
  EXPECT_NE(ResManager->GetEffect("EFFECT_SPARK"), spark);
  EXPECT_NE(ResManager->GetBMFont("FONT_X"), font);
  EXPECT_EQ(ResManager->GetSound("SOUND_CLICK"), click);

  // Unloading empties the scope; objects held elsewhere stay alive.
  ResManager->UnLoadScope("Map");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(ResManager->GetEffect("EFFECT_SPARK"));
  EXPECT_EQ(ResManager->GetMusic("MUSIC_MAP"), "");
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Not found effect_spark\nNot found music_map\n");
  EXPECT_EQ(spark->GenSpeed, 10.0f);
  EXPECT_TRUE(ResManager->GetImage("IMAGE_A"));
  EXPECT_NE(LogText().find("<message>unload scope  \"map\" finished. </message>"), std::string::npos);

  // A scope with no entries still logs.
  ResManager->LoadScope("Nothing");
  EXPECT_NE(LogText().find("load scope  \"nothing\" finished. "), std::string::npos);
}

TEST_F(Resources, LookupsPickAmongDuplicatesAndCheckTheKind) {
  ReadList(R"(<list><resources id="Init">
    <music id="MUSIC_X" path="one.ogg"/>
    <music id="MUSIC_X" path="two.ogg"/>
    <music id="music_x" path="three.ogg"/>
  </resources></list>)");
  ResManager->LoadScope("Init");
  std::map<std::string, int> seen;
  for (int i = 0; i < 300; ++i) ++seen[ResManager->GetMusic("Music_X")];
  ASSERT_EQ(seen.size(), 3u);
  for (const auto& [path, n] : seen) EXPECT_GT(n, 60) << path;

  testing::internal::CaptureStdout();
  EXPECT_FALSE(ResManager->GetImage("MUSIC_X"));  // another kind
  EXPECT_FALSE(ResManager->GetSound("MUSIC_X"));
  EXPECT_EQ(ResManager->GetMusic("MUSIC_Unknown"), "");
  EXPECT_FALSE(ResManager->GetRes("Image_Unknown"));
  EXPECT_FALSE(ResManager->GetImage("IMAGE_NONE"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Not found music_unknown\nNot found image_unknown\nNot found image_none\n");
}

TEST_F(Resources, MissingFilesGiveMessageErrorAndNullResource) {
  SavePng("data/ok.png", 2, 2, 0xFFFFFFFFu);
  ReadList(R"(<list><resources id="Init">
    <setdefaults path="data/"/>
    <image id="IMAGE_GONE" path="gone.png"/>
    <animimage id="IMAGE_NOFRAMES" path="ok.png" width="2" height="2"/>
    <animimage id="IMAGE_TOOMANY" path="ok.png" width="2" height="2" frames="9"/>
    <effect id="EFFECT_GONE" path="gone.xml"/>
    <bmfont id="FONT_GONE" path="gone.xml"/>
    <sound id="SOUND_GONE" path="gone.wav"/>
    <image id="IMAGE_OK" path="ok.png"/>
  </resources></list>)");
  ResManager->LoadScope("init");
  EXPECT_EQ(boxes_, (std::vector<std::string>{"data/gone.png not found", "data/ok.png not found",
                                              "data/ok.png not found", "data/gone.xml not found",
                                              "Font not found: data/gone.xml", "data/gone.xml not found",
                                              "data/gone.wav not found"}));
  const std::string log = LogText();
  EXPECT_NE(log.find("<error>data/gone.png not found</error>"), std::string::npos) << log;
  EXPECT_NE(log.find("<error>data/gone.wav not found</error>"), std::string::npos) << log;
  EXPECT_NE(log.find("animation strip without frames"), std::string::npos) << log;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(ResManager->GetImage("IMAGE_GONE"));
  EXPECT_FALSE(ResManager->GetImage("IMAGE_NOFRAMES"));
  EXPECT_FALSE(ResManager->GetSound("SOUND_GONE"));
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(ResManager->GetImage("IMAGE_OK"));

  // Files that are there but broken: a null resource too.
  testenv::WriteFile("data/cut.xml", "<effect><GenSpeed value=\"3\"/>");
  testenv::WriteFile("data/junk.png", "not a picture");
  testenv::WriteFile("data/junk.wav", "RIFF....WAVEjunk");
  ReadList(R"(<list><resources id="Bad">
    <effect id="EFFECT_CUT" path="data/cut.xml"/>
    <bmfont id="FONT_CUT" path="data/cut.xml"/>
    <image id="IMAGE_JUNK" path="data/junk.png"/>
    <sound id="SOUND_JUNK" path="data/junk.wav"/>
  </resources></list>)");
  boxes_.clear();
  ResManager->LoadScope("bad");
  EXPECT_EQ(boxes_.size(), 4u);
  for (const auto& r : ResManager->Resources) {
    if (r->Scope == "bad") {
      EXPECT_FALSE(r->Loaded()) << r->Name;
    }
  }
}

TEST_F(Resources, MaskedImagesTakeAlphaFromTheMaskBlue) {
  // Colour: opaque on the left column, half transparent on the right.
  platform::Pixmap color(2, 2);
  color.WritePixel(0, 0, 0xFF112233u);
  color.WritePixel(0, 1, 0xFF112233u);
  color.WritePixel(1, 0, 0x80445566u);
  color.WritePixel(1, 1, 0x80445566u);
  std::filesystem::create_directories("data");
  ASSERT_TRUE(platform::SavePixmapPNG(color, "data/pic.png"));
  ASSERT_TRUE(platform::SavePixmapPNG(color, "data/plain.png"));
  ASSERT_TRUE(platform::SavePixmapPNG(color, "data/small.png"));
  platform::Pixmap mask(2, 2);
  mask.WritePixel(0, 0, 0xFF0000C0u);
  mask.WritePixel(0, 1, 0xFFFFFF00u);
  mask.WritePixel(1, 0, 0xFF000010u);
  mask.WritePixel(1, 1, 0xFF0000FFu);
  ASSERT_TRUE(platform::SavePixmapPNG(mask, "data/pic_.png"));  // the companion
  std::filesystem::create_directories("data/m.v2");
  ASSERT_TRUE(platform::SavePixmapPNG(mask, "data/m.v2/alpha.png"));
  SavePng("data/tiny_mask.png", 1, 1, 0xFF0000FFu);

  ReadList(R"(<list><resources id="Init">
    <image id="IMAGE_PIC" path="data/pic.png"/>
    <image id="IMAGE_EXPLICIT" path="data/plain.png" mask="data/m.v2/alpha.png"/>
    <image id="IMAGE_DOTTED_FOLDER" path="data/plain.png" mask="data/m.v2/0"/>
    <image id="IMAGE_SMALL_MASK" path="data/small.png" mask="data/tiny_mask.png"/>
    <image id="IMAGE_NO_MASK" path="data/small.png" mask="data/missing.png"/>
  </resources></list>)");
  ResManager->LoadScope("Init");
  for (const char* id : {"IMAGE_PIC", "IMAGE_EXPLICIT"}) {
    platform::ImageRef image = ResManager->GetImage(id);
    ASSERT_TRUE(image) << id;
    const platform::Pixmap& p = *image->Frame(0);
    EXPECT_EQ(p.ReadPixel(0, 0), 0xC0112233u) << id;  // opaque colour: alpha = mask blue
    EXPECT_EQ(p.ReadPixel(0, 1), 0x00112233u) << id;
    EXPECT_EQ(p.ReadPixel(1, 0), (uint32_t((0x80 ^ 0xFF) ^ 0x10) << 24) | 0x445566u) << id;
    EXPECT_EQ(p.ReadPixel(1, 1), (uint32_t((0x80 ^ 0xFF) ^ 0xFF) << 24) | 0x445566u) << id;
  }
  // A mask path whose folder has a dot but the file no extension is no mask.
  platform::ImageRef plain = ResManager->GetImage("IMAGE_DOTTED_FOLDER");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->Frame(0)->ReadPixel(0, 0), 0xFF112233u);
  // Beyond a smaller mask the alpha counts as from mask 0.
  platform::ImageRef small = ResManager->GetImage("IMAGE_SMALL_MASK");
  ASSERT_TRUE(small);
  EXPECT_EQ(small->Frame(0)->ReadPixel(0, 0) >> 24, 0xFFu);
  EXPECT_EQ(small->Frame(0)->ReadPixel(0, 1) >> 24, 0u);
  EXPECT_EQ(boxes_, (std::vector<std::string>{"LoadMaskedImage failed: mask not found", "data/small.png not found"}));
  boxes_.clear();
  EXPECT_FALSE(LoadMaskedImage("data/none.png", "data/pic_.png"));
  EXPECT_FALSE(LoadMaskedImageAnim("data/none.png", "data/pic_.png", 1, 1, 0, 1));
  EXPECT_EQ(boxes_, (std::vector<std::string>{"LoadMaskedImage failed: color not found",
                                              "LoadMaskedImageAnim failed: color not found"}));

  // An animation strip with a companion mask: cells cut from the masked picture.
  platform::ImageRef anim = LoadMaskedImageAnim("data/pic.png", "data/pic_.png", 1, 2, 1, 1);
  ASSERT_TRUE(anim);
  EXPECT_EQ(anim->Frames(), 1);
  EXPECT_EQ(anim->Frame(0)->ReadPixel(0, 1), (uint32_t((0x80 ^ 0xFF) ^ 0xFF) << 24) | 0x445566u);
  EXPECT_FALSE(LoadMaskedImageAnim("data/pic.png", "data/pic_.png", 1, 2, 1, 5));  // too few cells
}

namespace {

platform::ImageRef gLoading, gFlash;
Ref<TBMFont> gComics, gPopup;
Ref<TEffect> gSalute;

const TBinding kTable[] = {
    {BIND_IMAGE, "IMAGE_LOADING_FULL", &gLoading},
    {BIND_IMAGE, "IMAGE_FLASH", &gFlash},
    {BIND_IMAGE, "IMAGE_SKY"},
    {BIND_FONT, "FONT_COMICS", nullptr, &gComics},
    {BIND_FONT, "FONT_POPUP", nullptr, &gPopup},
    {BIND_EFFECT, "EFFECT_SALUTE", nullptr, nullptr, &gSalute},
    {BIND_EFFECT, "EFFECT_STARS_02_CHILD"},
    {BIND_EFFECT, "EFFECT_RAIN"},
};

}  // namespace

TEST_F(Resources, BindersStoreObjectsAndLeaveMissingIdsNull) {
  SavePng("data/flash.png", 2, 2, 0xFFFFFFFFu);
  testenv::WriteFile("data/fx.xml", kEffect);
  testenv::WriteFile("data/font.xml", kFont);
  ReadList(R"(<list><resources id="Init">
    <image id="IMAGE_FLASH" path="data/flash.png"/>
    <image id="IMAGE_SKY" path="data/flash.png"/>
    <bmfont id="FONT_COMICS" path="data/font.xml"/>
    <effect id="EFFECT_SALUTE" path="data/fx.xml"/>
    <effect id="EFFECT_STARS_02_CHILD" path="data/fx.xml"/>
  </resources></list>)");
  ResManager->LoadScope("Init");
  gLoading = platform::CreateImage(1, 1);  // a stale object is released
  std::vector<TResData> kept;
  testing::internal::CaptureStdout();
  BindTable(kTable, kept);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_TRUE(gFlash);
  EXPECT_TRUE(gComics);
  EXPECT_TRUE(gSalute);
  EXPECT_FALSE(gLoading);
  EXPECT_FALSE(gPopup);
  // Every row was tried: misses are printed, found ids are not.
  EXPECT_NE(out.find("Not found image_loading_full\n"), std::string::npos);
  EXPECT_NE(out.find("Not found effect_rain\n"), std::string::npos);
  EXPECT_EQ(out.find("Not found image_flash\n"), std::string::npos);
  EXPECT_EQ(out.find("Not found image_sky\n"), std::string::npos);
  EXPECT_EQ(out.find("Not found effect_stars_02_child\n"), std::string::npos);
  // Rows without a global are kept by the table.
  EXPECT_EQ(std::count_if(kept.begin(), kept.end(), [](const TResData& d) { return d.index() != 0; }), 2);

  // The binding outlives the scope.
  Ref<TEffect> salute = gSalute;
  ResManager->UnLoadScope("Init");
  EXPECT_EQ(gSalute, salute);
  gFlash = nullptr;
  gComics = nullptr;
  gSalute = nullptr;
}

TEST_F(Resources, AnIdRegisteredTwiceBindsEitherEntry) {
  SavePng("data/one.png", 2, 2, 0xFFFFFFFFu);
  SavePng("data/two.png", 3, 3, 0xFFFFFFFFu);
  ReadList(R"(<list><resources id="Init">
    <image id="IMAGE_FLASH" path="data/one.png"/>
    <image id="IMAGE_FLASH" path="data/two.png"/>
  </resources></list>)");
  ResManager->LoadScope("Init");
  std::set<int> widths;
  std::vector<TResData> kept;
  testing::internal::CaptureStdout();  // the other rows' "Not found" lines
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SeedRnd(seed);
    BindTable(kTable, kept);
    ASSERT_TRUE(gFlash) << seed;
    widths.insert(gFlash->Width());
  }
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(widths, (std::set<int>{2, 3}));
  gFlash = nullptr;
}
