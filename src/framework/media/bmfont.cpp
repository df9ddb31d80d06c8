#include "framework/media/bmfont.h"

#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/core/path.h"
#include "framework/core/utf8.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/files/xml.h"
#include "platform/draw.h"
#include "platform/graphics_state.h"
#include "platform/message_box.h"

namespace kelp {

Ref<TBMFont> CurrentBMFont;

namespace {

// More pages than any font needs; a larger "pages" count is a broken file.
constexpr int kMaxPages = 64;
constexpr int kPageFlags = platform::FILTEREDIMAGE | platform::MIPMAPPEDIMAGE;

// "a,b,c" into out[0..n-1]; missing pieces stay 0.
template <size_t N>
void ReadCommaList(const std::string& text, int (&out)[N]) {
  for (int& v : out) v = 0;
  size_t start = 0;
  for (size_t i = 0; i < N && start <= text.size(); ++i) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    out[i] = ToInt(text.substr(start, comma - start));
    start = comma + 1;
  }
}

uint64_t PairKey(int first, int second) {
  return (uint64_t{static_cast<uint32_t>(first)} << 32) | static_cast<uint32_t>(second);
}

}  // namespace

Ref<TKerning> TKerning::Create(int first, int second, int amount) {
  auto k = New<TKerning>();
  k->first = first;
  k->second = second;
  k->amount = amount;
  return k;
}

platform::ImageRef LoadImage2(const std::string& path, int flags) {
  platform::StreamRef s = OpenPakStream(path);
  platform::ImageRef image = s ? platform::LoadImagePow2(*s, flags) : nullptr;
  if (!image) {
    platform::MessageBox("Error", "LoadImage2 failed");
    WriteLog("LoadImage2 failed: " + path, LOG_ERROR);
    return nullptr;
  }
  image->SetHandle(0, 0);
  return image;
}

Ref<TBMFont> TBMFont::Load(const std::string& path) {
  platform::StreamRef s = OpenPakStream(path);
  if (!s) {
    platform::MessageBox("Error", "Font not found: " + path);
    return nullptr;
  }
  return Load(*s, path);
}

Ref<TBMFont> TBMFont::Load(platform::Stream& stream, const std::string& path) {
  Ref<sdXMLnode> root = ParseXMLStream(stream);
  if (!root) {
    WriteLog("font file holds no element: " + path, LOG_ERROR);
    return nullptr;
  }
  if (root->endtag.empty()) {
    WriteLog("font file cut short: " + path, LOG_ERROR);
    return nullptr;
  }

  auto font = New<TBMFont>();
  font->Path = path;
  for (sdXMLnode* c = root->firstchild; c; c = c->NextNode) {
    const std::string tag = Lower(c->Tag);
    if (tag == "info") {
      font->Name = GetAttr(c, "face");
      font->StretchHeight = GetAttrInt(c, "stretchh");
      ReadCommaList(GetAttr(c, "spacing"), font->Spacing);
      ReadCommaList(GetAttr(c, "padding"), font->Padding);
    } else if (tag == "common") {
      font->PageWidth = GetAttrInt(c, "scaleW");
      font->PageHeight = GetAttrInt(c, "scaleH");
      font->PageCount = GetAttrInt(c, "pages");
      if (font->PageCount < 0 || font->PageCount > kMaxPages) {
        WriteLog(path + ": page count " + std::to_string(font->PageCount) + " out of range", LOG_ERROR);
        font->PageCount = 0;
      }
      font->Pages.assign(static_cast<size_t>(font->PageCount), nullptr);
      font->Height = GetAttrInt(c, "lineHeight");
    } else if (tag == "pages") {
      for (sdXMLnode* p = c->firstchild; p; p = p->NextNode) {
        const int id = GetAttrInt(p, "id");
        if (id < 0 || id >= static_cast<int>(font->Pages.size())) {
          WriteLog(path + ": page id " + std::to_string(id) + " beyond the page count", LOG_ERROR);
          continue;
        }
        platform::ImageRef page = LoadImage2(JoinPath(FolderOf(path), GetAttr(p, "file")), kPageFlags);
        font->Pages[static_cast<size_t>(id)] = page;
        if (page) {
          font->PageWidth = page->Width();
          font->PageHeight = page->Height();
        }
      }
    } else if (tag == "chars") {
      // Sized by the entries present, not by the count the file claims.
      font->Chars.clear();
      for (sdXMLnode* ch = c->firstchild; ch; ch = ch->NextNode) {
        auto bc = New<TBMChar>();
        bc->id = GetAttrInt(ch, "id");
        bc->x = GetAttrInt(ch, "x");
        bc->y = GetAttrInt(ch, "y");
        bc->width = GetAttrInt(ch, "width");
        bc->height = GetAttrInt(ch, "height");
        bc->xoffset = GetAttrInt(ch, "xoffset");
        bc->yoffset = GetAttrInt(ch, "yoffset");
        bc->xadvance = GetAttrInt(ch, "xadvance");
        bc->page = GetAttrInt(ch, "page");
        bc->chnl = GetAttrInt(ch, "chnl");
        font->Chars.push_back(std::move(bc));
      }
      const int count = GetAttrInt(c, "count");
      font->CharCount = static_cast<int>(font->Chars.size());
      if (count != font->CharCount)
        WriteLog(path + ": " + std::to_string(font->CharCount) + " chars, count says " + std::to_string(count),
                 LOG_WARNING);
    } else if (tag == "kernings") {
      font->Kernings.clear();
      for (sdXMLnode* k = c->firstchild; k; k = k->NextNode)
        font->Kernings.push_back(
            TKerning::Create(GetAttrInt(k, "first"), GetAttrInt(k, "second"), GetAttrInt(k, "amount")));
      const int count = GetAttrInt(c, "count");
      font->KerningCount = static_cast<int>(font->Kernings.size());
      if (count != font->KerningCount)
        WriteLog(path + ": " + std::to_string(font->KerningCount) + " kernings, count says " +
                     std::to_string(count),
                 LOG_WARNING);
    }
  }
  CurrentBMFont = font;
  return font;
}

TBMChar* TBMFont::FindCode(uint32_t code) const {
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1 || !charIndex_.Current(Chars)) {
      charIndex_.Remake(Chars);
      for (size_t i = 0; i < Chars.size(); ++i)
        if (Chars[i] && Chars[i]->id >= 0) charIndex_.map.emplace(static_cast<uint64_t>(Chars[i]->id), i);
    }
    const auto it = charIndex_.map.find(code);
    if (it == charIndex_.map.end()) return nullptr;
    TBMChar* c = Chars[it->second].get();
    if (c && static_cast<int64_t>(c->id) == static_cast<int64_t>(code)) return c;
  }
  return nullptr;
}

TBMChar* TBMFont::FindChar(std::string_view oneCharText) const {
  if (oneCharText.empty()) return nullptr;
  size_t pos = 0;
  return FindCode(utf8::Next(oneCharText, pos));
}

int TBMFont::GetKerning(const TBMChar* a, const TBMChar* b) const {
  if (KerningCount == 0 || !a || !b) return 0;
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1 || !kerningIndex_.Current(Kernings)) {
      kerningIndex_.Remake(Kernings);
      for (size_t i = 0; i < Kernings.size(); ++i)
        if (Kernings[i]) kerningIndex_.map.emplace(PairKey(Kernings[i]->first, Kernings[i]->second), i);
    }
    const auto it = kerningIndex_.map.find(PairKey(a->id, b->id));
    if (it == kerningIndex_.map.end()) return 0;
    const TKerning* k = Kernings[it->second].get();
    if (k && k->first == a->id && k->second == b->id) return k->amount;
  }
  return 0;
}

int TBMFont::StringWidth(std::string_view text) const {
  int64_t w = 0;
  for (size_t pos = 0; pos < text.size();)
    if (const TBMChar* c = FindCode(utf8::Next(text, pos))) w += int64_t(c->xadvance) + Padding[1] + Padding[3];
  return Int(static_cast<double>(w));
}

double TBMFont::StringHeight(std::string_view text) const {
  // Averaged over the text's length (the length minus one would divide a
  // single character by zero).
  const size_t len = utf8::Length(text);
  if (len == 0) return 0.0;
  double sum = 0.0;
  for (size_t pos = 0; pos < text.size();)
    if (const TBMChar* c = FindCode(utf8::Next(text, pos))) sum += double(c->height) + Padding[0] + Padding[2];
  return sum / static_cast<double>(len);
}

void TBMFont::DrawText(std::string_view text, float x, float y, int centre, int right) const {
  float sx = 1.0f, sy = 1.0f;
  platform::GetScale(sx, sy);
  if (centre) x -= static_cast<float>(StringWidth(text) / 2) * sx;
  if (right) x -= static_cast<float>(StringWidth(text)) * sx;

  std::vector<uint32_t> codes;
  codes.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) codes.push_back(utf8::Next(text, pos));

  const TBMChar* next = nullptr;
  for (size_t i = 0; i < codes.size(); ++i) {
    const TBMChar* c = FindCode(codes[i]);
    if (i + 1 < codes.size()) next = FindCode(codes[i + 1]);
    if (!c) continue;
    if (c->page >= 0 && c->page < static_cast<int>(Pages.size()) && Pages[static_cast<size_t>(c->page)]) {
      // In doubles: the numbers come from the file and may be anything.
      const double dx = double(Padding[3]) + c->xoffset, dy = double(Padding[0]) + c->yoffset;
      platform::DrawSubImageRect(Pages[static_cast<size_t>(c->page)], static_cast<float>(x + dx * sx),
                                 static_cast<float>(y + dy * sy), static_cast<float>(c->width),
                                 static_cast<float>(c->height), static_cast<float>(c->x), static_cast<float>(c->y),
                                 static_cast<float>(c->width), static_cast<float>(c->height), 0);
    }
    const int kern = next ? GetKerning(c, next) : 0;
    x += static_cast<float>((double(kern) + c->xadvance + Padding[3] + Padding[1]) * sx);
  }
}

Ref<TBMFont> LoadBMFont(const std::string& path) {
  Ref<TBMFont> font = TBMFont::Load(path);
  if (font) SetBMFont(font);
  return font;
}

void DrawBMText(std::string_view text, float x, float y, int centre, int right) {
  if (CurrentBMFont) CurrentBMFont->DrawText(text, x, y, centre, right);
}

int BMTextWidth(std::string_view text) { return CurrentBMFont ? CurrentBMFont->StringWidth(text) : 0; }

int BMLineHeight() {
  if (!CurrentBMFont) return 0;
  return Int(double(CurrentBMFont->Height) + CurrentBMFont->Padding[0] + CurrentBMFont->Padding[2]);
}

int BMTextHeight(std::string_view text) { return CurrentBMFont ? Int(CurrentBMFont->StringHeight(text)) : 0; }

void SetBMFont(const Ref<TBMFont>& font) { CurrentBMFont = font; }

}  // namespace kelp
