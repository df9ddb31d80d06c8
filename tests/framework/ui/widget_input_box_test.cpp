// The name entry box with a scripted keyboard: which keys type what, the
// eight-character limit, Backspace, when Enter counts, what a confirmed name
// leads to (a new profile, or the "name taken" box), and the caret.
#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>

#include "framework/files/language.h"
#include "framework/media/anim_image.h"
#include "framework/media/resources.h"
#include "framework/media/visuals.h"
#include "framework/ui/controls.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "framework/ui/widget_updater.h"
#include "platform/events.h"
#include "platform/input.h"
#include "widget_test_env.h"
#include "world/resource_bindings.h"

using namespace widgettest;

namespace {

class InputBoxTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    drawFrames_ = false;
    for (const char* id : {"IMAGE_GUI_BT_OK"}) {
      auto res = New<TResAnimImage>();
      ResManager->ResAddData("", id, res, "test");
      res->Data = platform::CreateImage(80, 30, 3);
      res->FramesNum = 3;
    }
    auto frame = New<TResImage>();
    ResManager->ResAddData("", "IMAGE_MAINMENU_NAME_FRAME", frame, "test");
    frame->Data = platform::CreateImage(300, 200);
    ImageGuiMessageBox = platform::CreateImage(400, 250);
    FontUserlist = MakeTestFont(16);
    FontPopup = FontUserlist;
    GameTexts.Resize(50);
    GameTexts.Set(10, "Hello");
    GameTexts.Set(17, "Have fun!");
    GameTexts.Set(43, "That name is taken.");
    menu_ = Place(New<Probe>(&log_, "menu"), 0, 0, 800, 600);
    WidgetManager->AddWidget(menu_);
    ProfileNameTakenHook = [this](const std::string& name) { return name == taken_; };
    CreateProfileHook = [this](const std::string& name, const std::string& greeting) {
      created_.push_back(name + "|" + greeting);
    };
    NameBoxClosedHook = [this] { ++menuBack_; };
    ShowUserOptionsHook = [this] { ++userOptions_; };
  }

  // One frame in which these keys are hit, with Shift held or not.
  void Typed(std::initializer_list<int> keys, bool shift = false) {
    if (shift) KeyDown(platform::VK_LSHIFT);
    for (int k : keys) Key(k);
    Frame();
    if (shift) KeyUp(platform::VK_LSHIFT);
  }

  Ref<Probe> menu_;
  std::string taken_;
  std::vector<std::string> created_;
  int menuBack_ = 0;
  int userOptions_ = 0;
};

struct TypingCase {
  const char* what;
  // Presses in order: a small letter its key, a capital its key under Shift,
  // a digit its key on the main row; "^" puts the next key under Shift, "#"
  // on the number pad; "*" makes the next key the system's repeat of a held
  // key (two quick presses can come so); "<" Backspace; "|" ends a frame.
  const char* keys;
  const char* name;
};

TEST_F(InputBoxTest, KeysTypeInTheOrderTheyWerePressed) {
  const TypingCase cases[] = {
      {"Shift for the capital only", "A|b|1|", "Ab1"},
      {"no digits under Shift, not even later", "A^1||", "A"},
      {"two letters in a frame, in their order", "qc|", "qc"},
      {"a small letter and a capital in a frame", "aB|", "aB"},
      {"a letter repeated in a frame", "oo|", "oo"},
      {"a digit and a letter in a frame", "5z|", "5z"},
      {"number pad digits", "#7|#0|", "70"},
      {"other keys type nothing", " -.|", ""},
      {"repeats type and erase", "s*s*s|*<|", "ss"},
      {"Backspace between letters of a frame", "xy<z|", "xz"},
      {"Backspace first, then a letter", "ab|<c|", "ac"},
      {"Backspace on an empty name", "<|", ""},
      {"a ninth character is refused; Backspace frees a place", "abcdefghi<j|", "abcdefgj"},
      {"a refused character does not turn up later", "abcdefgh|i|<|", "abcdefg"},
  };
  for (const auto& c : cases) {
    auto box = ShowInputBox2(0);
    bool shift = false, pad = false, repeat = false;
    for (const char* k = c.keys; *k; ++k) {
      const char ch = *k;
      if (ch == '|') {
        Frame();
        continue;
      }
      if (ch == '^' || ch == '#') {
        (ch == '^' ? shift : pad) = true;
        continue;
      }
      if (ch == '*') {
        repeat = true;
        continue;
      }
      int vk = ch == '<' ? platform::VK_BACK : ch == '-' ? platform::VK_OEM_MINUS : ch == '.' ? platform::VK_OEM_PERIOD : ch;
      if (ch >= 'a' && ch <= 'z') vk = ch - 'a' + 'A';
      if (ch >= 'A' && ch <= 'Z') shift = true;
      if (pad) vk = platform::VK_NUMPAD0 + (ch - '0');
      if (shift) KeyDown(platform::VK_LSHIFT);
      if (repeat)
        platform::InjectKey(vk, true, true);
      else
        Key(vk);
      if (shift) KeyUp(platform::VK_LSHIFT);
      shift = pad = repeat = false;
    }
    EXPECT_EQ(box->Name, c.name) << c.what;
    WidgetManager->RemoveWidget(box);
  }
}

// Names become file names: of what the keyboard types, letters and digits only.
TEST_F(InputBoxTest, TheSystemsTextTypesOnlyLettersAndDigits) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
  auto box = ShowInputBox2(0);
  const std::pair<SDL_Scancode, const char*> typed[] = {
      {SDL_SCANCODE_1, "!"}, {SDL_SCANCODE_E, "\xc3\xa9"}, {SDL_SCANCODE_SLASH, "/"},
      {SDL_SCANCODE_PERIOD, "."}, {SDL_SCANCODE_A, "a"}, {SDL_SCANCODE_7, "7"}, {SDL_SCANCODE_Q, "Q"}};
  for (const auto& [key, text] : typed) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.scancode = key;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    e = SDL_Event{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, text, sizeof(e.text.text));
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
  }
  platform::PollEvents();
  Frame();
  EXPECT_EQ(box->Name, "a7Q");
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

TEST_F(InputBoxTest, KeysPressedWhileNoBoxWasOpenTypeNothing) {
  Key('X');
  Frame();
  Key('Y');  // between two frames, as the box opens
  auto box = ShowInputBox2(0);
  Frame();
  Key('Z');
  Frame();
  EXPECT_EQ(box->Name, "yz");
}

TEST_F(InputBoxTest, EnterCountsOnlyOnceArrivedAndWithAName) {
  auto box = ShowInputBox2(0);
  EXPECT_EQ(box->_x, 250.0f);
  EXPECT_EQ(box->_y, -200.0f);
  EXPECT_EQ(box->Modal, 1);
  Typed({'K'}, true);
  Typed({platform::VK_RETURN});  // still sliding in
  Frames(60);
  EXPECT_TRUE(box->Updater->IsShowing());
  EXPECT_EQ(box->Button_OK->_x, 250.0f + 70);
  EXPECT_EQ(box->Button_OK->_y, 200.0f + 127);

  box->Name.clear();
  Typed({platform::VK_RETURN});
  Frames(40);
  EXPECT_TRUE(box->Updater->IsShowing()) << "an empty name cannot be confirmed";
  auto ok = box->Button_OK;
  Click(ok->_x + 10, ok->_y + 10);
  EXPECT_TRUE(box->Updater->IsShowing()) << "not with the button either";
  EXPECT_TRUE(created_.empty());
}

TEST_F(InputBoxTest, ConfirmedNameMakesTheProfileAndReturnsToTheMenu) {
  auto box = ShowInputBox2(0);
  Typed({'K'}, true);
  Typed({'I'});
  Typed({'M'});
  Frames(60);
  Mouse->Bt1Up = 1;
  Typed({platform::VK_RETURN});
  ASSERT_TRUE(box->Updater->IsHiding());
  Typed({platform::VK_BACK});  // too late: the name is settled
  Typed({'Z'});
  Frames(40);
  EXPECT_EQ(created_, std::vector<std::string>{"Kim|Hello Kim!\\nHave fun!"});
  EXPECT_FALSE(WidgetManager->Contains(box.get()));
  EXPECT_EQ(WidgetManager->WidgetsList.Count(), 1u) << "the OK button went too";
  EXPECT_EQ(menuBack_, 1);
  EXPECT_EQ(userOptions_, 0);
  EXPECT_EQ(Mouse->Bt1Up, 0) << "the menu does not see the closing release";
}

TEST_F(InputBoxTest, NameBoxOpenedFromThePlayerSelectionReturnsThere) {
  auto box = ShowInputBox2(1);
  Typed({'B'});
  Frames(60);
  Click(box->Button_OK->_x + 10, box->Button_OK->_y + 10);
  Frames(40);
  EXPECT_EQ(created_.size(), 1u);
  EXPECT_EQ(userOptions_, 1);
  EXPECT_EQ(menuBack_, 0);
}

TEST_F(InputBoxTest, TakenNameShowsAMessageBoxThatLeadsToThePlayerSelection) {
  taken_ = "bob";
  WeakRef<TWidget> nameBox;
  {
    auto box = ShowInputBox2(0);
    nameBox = box;
  }
  Typed({'B'});
  Typed({'O'});
  Typed({'B'});
  Frames(60);
  Typed({platform::VK_RETURN});
  Frames(40);
  EXPECT_TRUE(created_.empty());
  EXPECT_EQ(menuBack_, 1);
  ASSERT_EQ(WidgetManager->WidgetsList.Count(), 3u) << "the menu, the message box and its button";
  auto message = As<TMessageBox>(WidgetManager->WidgetsList.ValueAt(1));
  ASSERT_TRUE(message);
  EXPECT_EQ(message->ID, 1);
  EXPECT_EQ(message->options, 1);
  EXPECT_EQ(message->Text, "That name is taken.");

  Frames(60);
  Typed({platform::VK_RETURN});
  Frames(40);
  EXPECT_EQ(userOptions_, 1);
  EXPECT_EQ(menuBack_, 1) << "the name box left only once";
  EXPECT_EQ(WidgetManager->WidgetsList.Count(), 1u);
  EXPECT_TRUE(created_.empty());
  message.reset();
  EXPECT_TRUE(nameBox.expired());
}

TEST_F(InputBoxTest, NameAndCaretAreDrawnCentredInTheBox) {
  auto box = ShowInputBox2(0);
  Typed({'W'}, true);
  Typed({'I'});
  Frames(60);
  platform::Cls();
  WidgetManager->DrawWidget(box);
  auto canvas = platform::GrabCanvas();
  // "Wi" is 18 wide: it starts at 150 - 9 = 141 inside the box at (250, 200);
  // the line's top is 100 - 16 + 12 = 96.
  int left = 800, right = 0, top = 600;
  for (int y = 200; y < 400; ++y)
    for (int x = 250; x < 550; ++x)
      if ((canvas->ReadPixel(x, y) & 0xFFFFFF) == 0xFFFFFF) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
      }
  EXPECT_NEAR(left, 250 + 141, 1);
  EXPECT_NEAR(right, 250 + 141 + 18 - 2, 1);
  EXPECT_NEAR(top, 200 + 96, 1);
}

TEST_F(InputBoxTest, CaretFadesDownAndUpAgain) {
  auto caret = TBlinkLine::Create(13.7f);
  EXPECT_EQ(caret->height, 13);
  int n = 0;
  while (caret->state == 0 && n < 100) {
    caret->Update(1.0f);
    ++n;
  }
  EXPECT_EQ(n, 23) << "0.04 a frame from 1 to 0.1 or below";
  n = 0;
  while (caret->state == 1 && n < 100) {
    caret->Update(1.0f);
    ++n;
  }
  EXPECT_NEAR(n, 23, 1);
}

}  // namespace
