#include "play/dialog_printer.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "framework/core/frame_clock.h"
#include "framework/core/utf8.h"
#include "framework/media/bmfont.h"
#include "framework/media/sound.h"
#include "platform/graphics_state.h"

namespace kelp {

std::function<std::string()> CurrentPlayerName;

namespace {

constexpr char32_t kBreak = 13;
constexpr char32_t kNamePlace = 0xE000;  // where "<Name>" stood, until the markup is read
constexpr int kCharDelay = 40;
constexpr int kPauseDelay = 800;

std::u32string Decode(std::string_view s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) out += static_cast<char32_t>(utf8::Next(s, i));
  return out;
}

std::string Encode(std::u32string_view s) {
  std::string out;
  for (const char32_t c : s) utf8::Append(out, c);
  return out;
}

void ReplaceAll(std::u32string& s, std::u32string_view what, std::u32string_view with) {
  for (size_t at = s.find(what); at != std::u32string::npos; at = s.find(what, at + with.size()))
    s.replace(at, what.size(), with);
}

bool EndsWith(const std::u32string& s, std::u32string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::u32string Wide(const std::string& ascii) { return std::u32string(ascii.begin(), ascii.end()); }

// The character number of position i: line breaks are not counted.
int NumberAt(const std::u32string& s, size_t i) {
  int n = 1;
  for (size_t k = 0; k < i && k < s.size(); ++k)
    if (s[k] != kBreak) ++n;
  return n;
}

int CharWidth(const TBMFont* font, char32_t c) {
  if (!font) return 0;
  std::string one;
  utf8::Append(one, c);
  return font->StringWidth(one);
}

// The colour tags as wide text, "<Blue>" and "</Blue>" for each mode 1..8,
// made once: the markup loop asks for them at every character.
struct ColorTag {
  std::u32string open, close;
};
const std::array<ColorTag, 9>& ColorTags() {
  static const std::array<ColorTag, 9> tags = [] {
    std::array<ColorTag, 9> t;
    for (int mode = 1; mode <= 8; ++mode) {
      const std::string name = DialogColorNames[mode];
      t[static_cast<size_t>(mode)] = {Wide("<" + name + ">"), Wide("</" + name + ">")};
    }
    return t;
  }();
  return tags;
}

// Moves the tags behind character number `at` by `by` characters; a tag at
// `at` itself stays (it now names the character that took that place).
void ShiftTags(ObjectList<TDialogTag>& tags, int at, int by) {
  for (const Ref<TDialogTag>& t : tags) {
    if (t->pos_in > at) t->pos_in += by;
    if (t->pos_out > at) t->pos_out += by;
  }
}

}  // namespace

Ref<TDialogChar> TDialogChar::Create(const std::string& c, int x, int y, int id, int time) {
  auto ch = New<TDialogChar>();
  ch->char_ = c;
  ch->x = x;
  ch->y = y;
  ch->id = id;
  ch->time = time;
  ch->birthtime = GameTime;
  return ch;
}

bool TDialogChar::Update(float) {
  if (visible || GameTime <= birthtime + time) return false;
  visible = 1;
  return true;
}

void TDialogChar::Draw() const { DrawBMText(char_, static_cast<float>(x), static_cast<float>(y)); }

Ref<TDialogPrinter> TDialogPrinter::Create(float x, float y, const Ref<TDialogPhrase>& phrase, int width,
                                           int centred, int, const Ref<TBMFont>& font, int delay) {
  auto p = New<TDialogPrinter>();
  p->Over = 1;
  p->Drawable = 0;
  p->time = delay;

  std::u32string text = Decode(phrase ? phrase->Content : std::string());
  ReplaceAll(text, U"<Name>", std::u32string(1, kNamePlace));
  ReplaceAll(text, U"\\n", std::u32string(1, kBreak));
  text += U' ';
  if (centred == 1) x += static_cast<float>(width / 2);
  if (font) SetBMFont(font);

  // The markup: only a tag that ends at the character just read counts, so a
  // tag left as text (another colour inside an open span) stays text.
  std::u32string out;
  int count = 0;  // characters of `out` that take a number
  int open = 0, openStart = 0, pauses = 0;
  auto take = [&](std::u32string_view tag) {
    if (!EndsWith(out, tag)) return false;
    out.resize(out.size() - tag.size());
    count -= static_cast<int>(tag.size());
    return true;
  };
  for (const char32_t c : text) {
    out += c;
    if (c != kBreak) ++count;
    for (int mode = 1; mode <= 8; ++mode) {
      const ColorTag& tag = ColorTags()[static_cast<size_t>(mode)];
      if (!open && take(tag.open)) {
        open = mode;
        openStart = count + 1;
        break;
      }
      if (open == mode && take(tag.close)) {
        p->tags.AddLast(TDialogTag::Create(mode, openStart, count + 1));
        open = 0;
        break;
      }
    }
    if (take(U"<Pause>")) {
      p->tags.AddLast(TDialogTag::Create(9, count + 1, count + 1));
      ++pauses;
    }
  }

  // The name goes in as plain text now that the markup has been read.
  std::u32string name;
  for (const char32_t c : Decode(CurrentPlayerName ? CurrentPlayerName() : std::string()))
    if (c >= 32 && c != kNamePlace) name += c;
  for (size_t at = out.find(kNamePlace); at != std::u32string::npos; at = out.find(kNamePlace, at + name.size())) {
    ShiftTags(p->tags, NumberAt(out, at), static_cast<int>(name.size()) - 1);
    out.replace(at, 1, name);
  }

  if (phrase) {
    phrase->Time = 70 * static_cast<int>(out.size()) + kPauseDelay * pauses + 1000;
    phrase->Content = Encode(out);
  }

  // Wrapping at blanks. The width of the character just added counts twice in
  // the test, and the first character of a wrapped word starts the new line
  // without counting.
  const TBMFont* f = font.get();
  int w = 0, lw = 0;
  size_t q = std::u32string::npos;  // the last blank passed
  for (size_t b = out.find(U' '); b != std::u32string::npos; b = out.find(U' ', b + 1)) {
    for (size_t i = q == std::u32string::npos ? 0 : q + 1; i <= b; ++i) {
      const char32_t c = out[i];
      if (c == kBreak) {
        w = 0;
        lw = 0;
        q = i;
        continue;
      }
      const int cw = CharWidth(f, c);
      if (c >= 32) w += cw;
      if (w + cw >= width && lw > 0 && q != std::u32string::npos && out[q] == U' ') {
        const int number = NumberAt(out, q);
        out[q] = kBreak;
        // Characters after the blank move back by one; a tag at the blank
        // itself now names the first character of the wrapped word.
        ShiftTags(p->tags, number, -1);
        w = 0;
        lw = 0;
        i = q + 1;  // the word's first character is passed without counting
      }
    }
    q = b;
    lw = w;
  }
  out += kBreak;

  // Placement, line by line.
  const int lineHeight = font ? font->Height : 0;
  float py = y;
  int number = 0;
  size_t start = 0;
  for (size_t end = out.find(kBreak); end != std::u32string::npos; end = out.find(kBreak, start)) {
    float px = x;
    if (centred == 1) {
      int lineWidth = 0;
      for (size_t i = start; i < end; ++i)
        if (out[i] >= 32) lineWidth += CharWidth(f, out[i]);
      px = x - static_cast<float>(lineWidth) / 2.0f;
    }
    for (size_t i = start; i < end; ++i) {
      ++number;
      if (out[i] < 32) continue;
      std::string one;
      utf8::Append(one, out[i]);
      p->AddChar(one, static_cast<int>(px), static_cast<int>(py), number);
      px += static_cast<float>(CharWidth(f, out[i]));
    }
    py += static_cast<float>(lineHeight);
    start = end + 1;
  }

  VisualsList.AddLast(p);
  return p;
}

void TDialogPrinter::AddChar(const std::string& c, int x, int y, int number) {
  time += kCharDelay;
  // Every pause before this character waits its own 800 ms; its tag is spent.
  tags.RemoveIf([&](const Ref<TDialogTag>& t) {
    if (t->mode != 9 || t->pos_in != number) return false;
    time += kPauseDelay;
    return true;
  });
  chars.AddLast(TDialogChar::Create(c, x, y, number, time));
}

void TDialogPrinter::Update(float dt) {
  bool hidden = false;
  bool revealed = false;
  for (const Ref<TDialogChar>& c : chars) {
    if (c->visible) continue;
    hidden = true;
    revealed = c->Update(dt) || revealed;
  }
  if (revealed) PlaySoundEffect("SOUND_DIALOG_PRINT", 0.0f, 0);
  done = hidden ? 0 : 1;
}

void TDialogPrinter::Draw() {
  // Each frame starts in the default colour: a span that ends where no
  // character stands must not tint the text before it in the next frame.
  mode = 0;
  int r = 0, g = 0, b = 0;
  for (const Ref<TDialogChar>& c : chars) {
    for (const Ref<TDialogTag>& t : tags) {
      if (t->pos_in == c->id) mode = t->mode;
      if (t->pos_out == c->id) mode = 0;
    }
    if (mode == 0) r = plain_r, g = plain_g, b = plain_b;
    if (mode == 0 || DialogColor(mode, r, g, b))
      platform::SetColor(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
    if (c->visible) c->Draw();
  }
}

void TDialogPrinter::Skip() {
  for (const Ref<TDialogChar>& c : chars) c->time = static_cast<int>(static_cast<float>(c->time) * 0.25f);
}

void TDialogPrinter::Empty() {
  tags.Clear();
  chars.Clear();
}

}  // namespace kelp
