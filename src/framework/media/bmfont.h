#pragma once
// Bitmap fonts described in XML (the BMFont description format): one or more
// page images, each character a rectangle of a page. One font is current;
// every text of the game is drawn and measured in it. Text is UTF-8; glyphs
// are looked up by code point.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/core/object.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TBMChar : public Object {
 public:
  int id = 0;  // character code
  int x = 0, y = 0, width = 0, height = 0;
  int xoffset = 0, yoffset = 0;
  int xadvance = 0;
  int page = 0;
  int chnl = 0;
};

class TKerning : public Object {
 public:
  int first = 0, second = 0;
  int amount = 0;
  static Ref<TKerning> Create(int first, int second, int amount);
};

class TBMFont : public Object {
 public:
  std::string Path;
  std::string Name;
  int Height = 0;  // lineHeight
  int CharCount = 0, PageCount = 0, KerningCount = 0;
  int PageWidth = 0, PageHeight = 0;
  int StretchHeight = 0;
  int Padding[4] = {0, 0, 0, 0};  // top, right, bottom, left
  int Spacing[2] = {0, 0};
  std::vector<platform::ImageRef> Pages;  // by page id; empty where a page is missing
  // File order; where ids repeat, the first entry counts. The lookups below
  // index these lists again whenever one changes size or storage, or an entry
  // found no longer has the key it was indexed under.
  std::vector<Ref<TBMChar>> Chars;
  std::vector<Ref<TKerning>> Kernings;

  // The font, which also becomes current; null when the file is missing
  // (with a message box), holds no element or is cut short (with a log line).
  static Ref<TBMFont> Load(const std::string& path);
  // The same from an open stream; pages are looked for beside `path`.
  static Ref<TBMFont> Load(platform::Stream& stream, const std::string& path);
  // Sum of the advances (plus left and right padding) of the characters the
  // font has; kerning is not applied.
  int StringWidth(std::string_view text) const;
  // Average character height with padding; 0 for a text without known characters.
  double StringHeight(std::string_view text) const;
  // Draws with the current draw state; centre and right shift the start left
  // by half or all of the width, at the current draw scale.
  void DrawText(std::string_view text, float x, float y, int centre, int right) const;
  // The entry of the text's first character, or null.
  TBMChar* FindChar(std::string_view oneCharText) const;
  TBMChar* FindCode(uint32_t code) const;
  int GetKerning(const TBMChar* a, const TBMChar* b) const;

 private:
  // Every text is drawn and measured a character at a time: a search of the
  // lists for each would cost the length of the font per character.
  // Key to the place of its first entry in the list.
  struct Index {
    std::unordered_map<uint64_t, size_t> map;
    const void* data = nullptr;
    size_t size = 0;
    bool made = false;
    // True when made from this list as it is now.
    template <class List>
    bool Current(const List& list) const {
      return made && data == list.data() && size == list.size();
    }
    // Emptied and marked as made from the list, for the caller to fill.
    template <class List>
    void Remake(const List& list) {
      map.clear();
      made = true;
      data = list.data();
      size = list.size();
    }
  };
  mutable Index charIndex_;
  mutable Index kerningIndex_;
};

extern Ref<TBMFont> CurrentBMFont;

Ref<TBMFont> LoadBMFont(const std::string& path);
// All of these do nothing (or give 0) while no font is current.
void DrawBMText(std::string_view text, float x, float y, int centre = 0, int right = 0);
int BMTextWidth(std::string_view text);
int BMLineHeight();
int BMTextHeight(std::string_view text);
void SetBMFont(const Ref<TBMFont>& font);

// The picture padded to power-of-two sides (the padding transparent), handle
// at 0, 0; null after a message box when it cannot be loaded.
platform::ImageRef LoadImage2(const std::string& path, int flags);

}  // namespace kelp
