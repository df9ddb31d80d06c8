#include "play/dialog_phrase.h"

#include <algorithm>
#include <string_view>

#include "framework/core/frame_clock.h"
#include "framework/core/utf8.h"

namespace kelp {

int PhraseCounter = 0;

const char* const DialogColorNames[9] = {"", "Blue", "Red", "Yellow", "Black", "White", "Sky", "Brown", "Green"};

namespace {

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

Ref<TDialogPhrase> TDialogPhrase::Create(const std::string& content, const std::string& author) {
  auto p = New<TDialogPhrase>();
  p->id = ++PhraseCounter;
  p->Content = content;
  p->Author = author;
  p->Time = 70 * static_cast<int>(utf8::Length(content)) + 1000;
  return p;
}

Ref<TDialogTag> TDialogTag::Create(int mode, int pos_in, int pos_out) {
  auto t = New<TDialogTag>();
  t->mode = mode;
  t->pos_in = pos_in;
  t->pos_out = pos_out;
  return t;
}

const std::vector<std::string>& LevelSpeakers() {
  static const std::vector<std::string> speakers = {"Redrice", "Ello"};
  return speakers;
}

const std::vector<std::string>& VillageSpeakers() {
  static const std::vector<std::string> speakers = {"Redrice", "Ello",      "NamelessOne", "Orbus",
                                                    "Brownie1", "Brownie2", "Brownie3",    "Snowball",
                                                    "Mechanicus", "Parazite", "Empty"};
  return speakers;
}

void SplitPhrases(const std::string& text, const std::vector<std::string>& speakers,
                  ObjectList<TDialogPhrase>& phrases) {
  PhraseCounter = 0;
  // Every tag ends in '>', so only that character can end one: the tags are
  // made once and looked for there, in the text not yet spent (from `start`).
  std::vector<std::string> opening;
  opening.reserve(speakers.size());
  for (const std::string& s : speakers) opening.push_back("<" + s + ">");
  size_t start = 0;
  const std::string* speaker = nullptr;  // the open phrase's
  std::string closing;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '>') continue;
    const std::string_view buffer(text.data() + start, i + 1 - start);
    if (!speaker) {
      for (size_t k = 0; k < speakers.size(); ++k) {
        if (!EndsWith(buffer, opening[k])) continue;
        speaker = &speakers[k];
        closing = "</" + *speaker + ">";
        start = i + 1;
        break;
      }
    } else if (EndsWith(buffer, closing)) {
      phrases.AddLast(TDialogPhrase::Create(std::string(buffer.substr(0, buffer.size() - closing.size())), *speaker));
      // What the phrase said is spent: a speaker tag written inside it must
      // not open a phrase of its own afterwards.
      start = i + 1;
      speaker = nullptr;
    }
  }
}

void PacePhrases(const TDialogPhrase* phrase, const ObjectList<TDialogPhrase>& phrases, const std::string& author,
                 std::string& nextAuthor, float& alpha, float alphaSpeed, float dt, const std::function<void()>& next) {
  if (!phrase || GameTime <= phrase->BirthTime + phrase->Time) {
    alpha = std::min(1.0f, alpha + alphaSpeed * dt);
    return;
  }
  nextAuthor.clear();
  if (phrases.Count() >= 2) nextAuthor = phrases.ValueAt(1)->Author;
  if (author != nextAuthor) {
    alpha -= alphaSpeed * dt;
    if (alpha > 0.0f) return;
    alpha = 0.0f;
    next();
  } else {
    next();
    alpha = 1.0f;
  }
}

bool DialogColor(int mode, int& r, int& g, int& b) {
  // Deep enough to read on the light clouds and parchment the dialogs stand on.
  static constexpr int kColors[9][3] = {{20, 20, 20}, {0, 0, 200},     {200, 0, 0},   {150, 72, 0}, {0, 0, 0},
                                        {255, 255, 255}, {0, 105, 165}, {94, 65, 17}, {0, 105, 40}};
  if (mode < 0 || mode > 8) return false;
  r = kColors[mode][0];
  g = kColors[mode][1];
  b = kColors[mode][2];
  return true;
}

}  // namespace kelp
