#include "framework/files/xml.h"

#include <cstring>
#include <algorithm>
#include <deque>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/debug_output.h"
#include "framework/core/fields.h"
#include "framework/core/geometry.h"
#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/core/utf8.h"
#include "framework/files/pak.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace kelp {

int XMLFileId = 0;

// The storage of one tree: every node and attribute made for it stays here
// until the last Ref into the tree goes away.
struct XMLDocument : std::enable_shared_from_this<XMLDocument> {
  std::deque<sdXMLnode> nodes;
  std::deque<sdXMLattr> attrs;
};

namespace {

// Game files nest a handful of levels; anything deeper is hostile. Paths are
// copied into every node, so their total is bounded too.
constexpr int MaxXMLDepth = 256;
constexpr size_t kMostIndentLevels = 16;
constexpr size_t MaxPathBytes = size_t{16} << 20;
constexpr size_t MaxDocumentBytes = size_t{64} << 20;

void Complain(const std::string& what) { DebugOutput("[XML ERROR : ParseXMLStream] " + what); }

char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  return true;
}

Ref<sdXMLnode> NodeRef(sdXMLnode* n) {
  if (!n) return nullptr;
  return Ref<sdXMLnode>(n->doc->shared_from_this(), n);
}

sdXMLnode* NewNode(XMLDocument& doc) {
  sdXMLnode& n = doc.nodes.emplace_back();
  n.doc = &doc;
  n.fileid = XMLFileId;
  return &n;
}

void Link(sdXMLnode* parent, sdXMLnode* child) {
  if (parent) {
    child->PrevNode = parent->lastchild;
    if (parent->lastchild) parent->lastchild->NextNode = child;
    else parent->firstchild = child;
    parent->lastchild = child;
    ++parent->childcount;
    child->path = parent->path + parent->Tag;
  }
  child->parent = parent;
  child->path += "/";
}

// Control characters read as blanks.
unsigned char Blanked(unsigned char c) { return c < 32 ? ' ' : c; }

sdXMLnode* FindNodeIn(sdXMLnode* start, std::string_view path) {
  const size_t slash = path.find('/');
  if (slash == std::string_view::npos) return nullptr;
  const std::string_view name = path.substr(0, slash);
  const std::string_view rest = path.substr(slash + 1);
  for (sdXMLnode* n = start; n; n = n->NextNode) {
    if (!EqualNoCase(n->Tag, name)) continue;
    if (rest.empty()) return n;
    if (sdXMLnode* found = FindNodeIn(n->firstchild, rest)) return found;
  }
  return nullptr;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Ref<sdXMLnode> Run() {
    doc_ = std::make_shared<XMLDocument>();
    const size_t end = text_.size();
    for (size_t i = 0; i < end; ++i) {
      const unsigned char c = Blanked(static_cast<unsigned char>(text_[i]));
      switch (state_) {
        case 0:
          if (c == '<') Open(0);
          break;
        case 1:
          if (c == '?' || c == '!') {
            i = SkipMarkup(i);
            if (i >= end) return Finish();
            Resume();
          } else if (c == '/') {
            if (cur_) cur_->endtag.assign(1, '/');
            state_ = 2;
          } else {
            if (!StartElement(c)) return Finish();
          }
          break;
        case 2:
          if (c == '>') {
            if (cur_) {
              cur_ = cur_->parent;
              --depth_;
            }
            state_ = 0;
          } else if (cur_) {
            cur_->endtag += static_cast<char>(c);
          }
          break;
        case 3:
          if (c == ' ') state_ = 4;
          else if (c == '/') { cur_->endtag = cur_->Tag; state_ = 2; }
          else if (c == '>') EnterContent();
          else cur_->Tag += static_cast<char>(c);
          break;
        case 4:
          if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            attrName_.assign(1, static_cast<char>(c));
            state_ = 5;
          } else if (c == '>') {
            cur_->Value.clear();
            EnterContent();
          } else if (c == '/') {
            cur_->endtag.assign(1, '/');
            state_ = 2;
          }
          break;
        case 5:
          if (c == '=') { attrValue_.clear(); state_ = 6; }
          else attrName_ += static_cast<char>(c);
          break;
        case 6:
          if (c == '"') state_ = 7;
          else if (c > 32) attrValue_ += static_cast<char>(c);
          else { AddAttr(cur_, attrName_, DecodeXMLEntities(attrValue_)); state_ = 4; }
          break;
        case 7:
          if (c == '"') { AddAttr(cur_, attrName_, DecodeXMLEntities(attrValue_)); state_ = 4; }
          else attrValue_ += static_cast<char>(c);
          break;
        case 20:
          if (c == '<') {
            CloseContent();
            Open(20);
          } else {
            // The whole run of text up to the next '<' at once.
            const size_t stop = std::min(text_.find('<', i), end);
            std::string& v = cur_->Value;
            const size_t from = v.size();
            v.append(text_, i, stop - i);
            for (size_t k = from; k < v.size(); ++k) v[k] = static_cast<char>(Blanked(static_cast<unsigned char>(v[k])));
            i = stop - 1;
          }
          break;
      }
    }
    return Finish();
  }

 private:
  void Open(int from) {
    resume_ = from;
    state_ = 1;
  }

  void EnterContent() {
    state_ = 20;
    segment_ = cur_->Value.size();
  }

  // Entities are decoded per run of text, once the run is complete.
  void CloseContent() {
    if (!cur_ || segment_ >= cur_->Value.size()) return;
    const std::string tail = DecodeXMLEntities(std::string_view(cur_->Value).substr(segment_));
    cur_->Value.resize(segment_);
    cur_->Value += tail;
  }

  void Resume() {
    if (resume_ == 20 && cur_) EnterContent();
    else state_ = 0;
  }

  // i stands on the "?" or "!" after "<". Returns the index of the markup's
  // last character, or the end when it is never closed. Skipped whole, so
  // markup commented out in a data file never turns into live elements.
  size_t SkipMarkup(size_t i) {
    size_t close;
    size_t len;
    if (text_.compare(i, 3, "!--") == 0) {
      close = text_.find("-->", i + 3);
      len = 3;
    } else if (text_[i] == '?') {
      close = text_.find("?>", i + 1);
      len = 2;
    } else {
      close = text_.find('>', i + 1);
      len = 1;
    }
    return close == std::string_view::npos ? text_.size() : close + len - 1;
  }

  bool StartElement(unsigned char c) {
    const size_t pathLen = cur_ ? cur_->path.size() + cur_->Tag.size() + 1 : 1;
    if (depth_ >= MaxXMLDepth || pathBytes_ + pathLen > MaxPathBytes) {
      Complain("elements nested too deep; the rest of the document is skipped");
      return false;
    }
    pathBytes_ += pathLen;
    sdXMLnode* n = NewNode(*doc_);
    Link(cur_, n);
    if (!cur_) result_ = n;
    n->Tag.assign(1, static_cast<char>(c));
    cur_ = n;
    ++depth_;
    state_ = 3;
    return true;
  }

  Ref<sdXMLnode> Finish() {
    if (state_ == 20) CloseContent();
    return NodeRef(result_);
  }

  std::string_view text_;
  std::shared_ptr<XMLDocument> doc_;
  sdXMLnode* cur_ = nullptr;
  sdXMLnode* result_ = nullptr;
  int state_ = 0;
  int resume_ = 0;
  int depth_ = 0;
  size_t pathBytes_ = 0;
  size_t segment_ = 0;
  std::string attrName_, attrValue_;
};

}  // namespace

// ---- entities ----

std::string DecodeXMLEntities(std::string_view s) {
  if (s.find('&') == std::string_view::npos) return std::string(s);
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const size_t amp = s.find('&', i);
    if (amp == std::string_view::npos) break;
    out.append(s, i, amp - i);
    const size_t semi = s.find(';', amp + 1);
    bool done = false;
    if (semi != std::string_view::npos && semi - amp <= 10) {
      const std::string_view name = s.substr(amp + 1, semi - amp - 1);
      const char* named = nullptr;
      if (name == "amp") named = "&";
      else if (name == "lt") named = "<";
      else if (name == "gt") named = ">";
      else if (name == "quot") named = "\"";
      else if (name == "apos") named = "'";
      if (named) {
        out += named;
        done = true;
      } else if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        uint32_t cp = 0;
        bool ok = !digits.empty();
        for (char d : digits) {
          int v;
          if (d >= '0' && d <= '9') v = d - '0';
          else if (hex && d >= 'a' && d <= 'f') v = d - 'a' + 10;
          else if (hex && d >= 'A' && d <= 'F') v = d - 'A' + 10;
          else { ok = false; break; }
          cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(v);
          if (cp > 0x10FFFF) { ok = false; break; }
        }
        if (ok && cp != 0 && !(cp >= 0xD800 && cp <= 0xDFFF)) {
          utf8::Append(out, cp);
          done = true;
        }
      }
    }
    if (done) {
      i = semi + 1;
    } else {
      out += '&';  // not an entity we know: kept as written
      i = amp + 1;
    }
  }
  out.append(s.substr(i));
  return out;
}

std::string EscapeXMLText(std::string_view s, bool attribute) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s) {
    const unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"':
        if (attribute) out += "&quot;";
        else out += ch;
        break;
      default:
        // Control characters would be lost as blanks on reading.
        if (c < 32) out += "&#" + std::to_string(c) + ";";
        else out += ch;
    }
  }
  return out;
}

std::string StripControlChars(std::string_view s) {
  std::string out(s);
  out.erase(std::remove_if(out.begin(), out.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }), out.end());
  return out;
}

// ---- reading ----

Ref<sdXMLnode> ParseXMLText(std::string_view text) {
  XMLFileId = platform::Millisecs();
  const size_t end = text.find(static_cast<char>(TextEndByte));
  if (end != std::string_view::npos) text = text.substr(0, end);
  return Parser(text).Run();
}

Ref<sdXMLnode> ParseXMLStream(platform::Stream& stream) {
  std::string text;
  char buf[1 << 16];
  for (;;) {
    const size_t got = stream.Read(buf, sizeof buf);
    if (got == 0) break;
    const void* stop = std::memchr(buf, TextEndByte, got);
    if (stop) {
      text.append(buf, static_cast<const char*>(stop) - buf);
      break;
    }
    text.append(buf, got);
    if (text.size() > MaxDocumentBytes) {
      Complain("document larger than " + std::to_string(MaxDocumentBytes) + " bytes; the rest is skipped");
      break;
    }
  }
  return ParseXMLText(text);
}

Ref<sdXMLnode> ParseXMLFile(const platform::StreamRef& stream) {
  if (!stream) {
    XMLFileId = platform::Millisecs();
    return nullptr;
  }
  return ParseXMLStream(*stream);
}

Ref<sdXMLnode> ParseXMLFile(const std::string& path) { return ParseXMLFile(OpenPakStream(path)); }

// ---- writing ----

void WriteXMLNode(platform::Stream& stream, XMLNodeArg node, const std::string& indent) {
  if (!node.p) return;
  struct Frame {
    sdXMLnode* n;
    size_t depth;
    sdXMLnode* next;
  };
  // Deeper levels stay at the last indent: blanks for every level would make
  // a deep tree's file grow with its depth times its size.
  auto pad = [&](size_t depth) { return indent + std::string(2 * std::min(depth, kMostIndentLevels), ' '); };
  // Writes the start line; true when a closing line has to follow the children.
  auto open = [&](sdXMLnode* n, size_t depth) {
    std::string line = "<" + n->Tag;
    for (sdXMLattr* a = n->firstattr; a; a = a->sibattr)
      line.append(" ").append(Lower(a->name)).append("=\"").append(EscapeXMLText(a->Value, true)).append("\"");
    bool closing = false;
    if (!n->firstchild) {
      // A leaf with text closes on the same line, so its text reads back without line-end blanks.
      if (n->Value.empty()) line += "/>";
      else line.append(">").append(EscapeXMLText(n->Value, false)).append("</").append(n->Tag).append(">");
    } else {
      line.append(">").append(EscapeXMLText(n->Value, false));
      closing = true;
    }
    stream.WriteLine(StripControlChars(pad(depth) + line));
    return closing;
  };
  std::vector<Frame> stack;
  if (open(node.p, 0)) stack.push_back({node.p, 0, node.p->firstchild});
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (sdXMLnode* child = top.next) {
      top.next = child->NextNode;
      const size_t depth = top.depth + 1;
      if (open(child, depth)) stack.push_back({child, depth, child->firstchild});
    } else {
      stream.WriteLine(StripControlChars(pad(top.depth) + "</" + top.n->Tag + ">"));
      stack.pop_back();
    }
  }
}

bool SaveXMLFile(const std::string& path, XMLNodeArg root) {
  return platform::SaveFileAtomic(path, [&](platform::Stream& s) {
    s.WriteLine("<?xml version=\"1.0\" ?>");
    WriteXMLNode(s, root, "");
    return s.Ok();
  });
}

// ---- building ----

Ref<sdXMLnode> AddChild(XMLNodeArg parent, const std::string& tag) {
  std::shared_ptr<XMLDocument> doc =
      parent.p ? parent.p->doc->shared_from_this() : std::make_shared<XMLDocument>();
  sdXMLnode* n = NewNode(*doc);
  n->Tag = tag;
  Link(parent.p, n);
  return Ref<sdXMLnode>(doc, n);
}

bool LinkChild(XMLNodeArg parent, XMLNodeArg child) {
  sdXMLnode* c = child.p;
  if (!c || c->parent || c->PrevNode || c->NextNode) return false;
  if (parent.p) {
    if (parent.p->doc != c->doc) return false;
    for (sdXMLnode* up = parent.p; up; up = up->parent)
      if (up == c) return false;  // would make a cycle
  }
  c->path.clear();
  Link(parent.p, c);
  return true;
}

sdXMLattr* AddAttr(XMLNodeArg node, const std::string& name, const std::string& value) {
  sdXMLnode* n = node.p;
  if (!n) return nullptr;
  sdXMLattr& a = n->doc->attrs.emplace_back();
  a.name = name;
  a.Value = value;
  a.parent = n;
  if (n->lastattr) n->lastattr->sibattr = &a;
  else n->firstattr = &a;
  n->lastattr = &a;
  ++n->attrcount;
  return &a;
}

void FreeNode(XMLNodeArg node) {
  sdXMLnode* n = node.p;
  if (!n) return;
  if (sdXMLnode* p = n->parent) {
    if (p->firstchild == n) p->firstchild = n->NextNode;
    if (p->lastchild == n) p->lastchild = n->PrevNode;
    --p->childcount;
  }
  if (n->PrevNode) n->PrevNode->NextNode = n->NextNode;
  if (n->NextNode) n->NextNode->PrevNode = n->PrevNode;
  n->parent = n->PrevNode = n->NextNode = nullptr;
}

sdXMLnode* GetNextNode(XMLNodeArg node) { return node.p ? node.p->NextNode : nullptr; }
sdXMLnode* GetPrevNode(XMLNodeArg node) { return node.p ? node.p->PrevNode : nullptr; }
sdXMLnode* GetParent(XMLNodeArg node) { return node.p ? node.p->parent : nullptr; }

// ---- lookups ----

sdXMLattr* FindAttr(XMLNodeArg node, const std::string& name) {
  if (!node.p) return nullptr;
  for (sdXMLattr* a = node.p->firstattr; a; a = a->sibattr)
    if (EqualNoCase(a->name, name)) return a;
  return nullptr;
}

std::string GetAttr(XMLNodeArg node, const std::string& name, const std::string& def) {
  const sdXMLattr* a = FindAttr(node, name);
  return a ? a->Value : def;
}

std::string GetAttrText(XMLNodeArg node, const std::string& name) { return GetAttr(node, name, ""); }

int GetAttrInt(XMLNodeArg node, const std::string& name, int def) {
  const sdXMLattr* a = FindAttr(node, name);
  return a ? ToInt(a->Value) : def;
}

float GetAttrFloat(XMLNodeArg node, const std::string& name, float def) {
  const sdXMLattr* a = FindAttr(node, name);
  return a ? ToFloat(a->Value) : def;
}

Ref<TVector> GetAttrVector(XMLNodeArg node, const std::string& name, const Ref<TVector>& def) {
  sdXMLattr* a = FindAttr(node, name);
  if (!a) return def;
  a->Value = CollapseSeparator(a->Value, " ");
  return CreateVector(ToFloat(GetField(1, a->Value, " ")), ToFloat(GetField(2, a->Value, " ")));
}

Ref<TColor> GetAttrColor(XMLNodeArg node, const std::string& name, const Ref<TColor>& def) {
  sdXMLattr* a = FindAttr(node, name);
  if (!a) return def;
  a->Value = CollapseSeparator(a->Value, " ");
  const std::string& v = a->Value;
  // The alpha is a fraction: read as a float, so "0.5" stays 0.5.
  return CreateColorAlpha(ToInt(GetField(1, v, " ")), ToInt(GetField(2, v, " ")), ToInt(GetField(3, v, " ")),
                          ToFloat(GetField(4, v, " ")));
}

sdXMLnode* FindNode(XMLNodeArg start, const std::string& path) { return FindNodeIn(start.p, path); }

// Only the node's own children: a later sibling's child of the same name
// must not stand in for a missing one.
sdXMLnode* FindChild(XMLNodeArg node, const std::string& name) {
  return node.p ? FindNodeIn(node.p->firstchild, name) : nullptr;
}

std::string GetChildAttr(XMLNodeArg node, const std::string& child, const std::string& attr,
                         const std::string& def) {
  sdXMLnode* c = FindChild(node, child);
  return c ? GetAttr(c, attr, def) : def;
}

int GetChildAttrInt(XMLNodeArg node, const std::string& child, const std::string& attr, int def) {
  sdXMLnode* c = FindChild(node, child);
  return c ? GetAttrInt(c, attr, def) : def;
}

float GetChildAttrFloat(XMLNodeArg node, const std::string& child, const std::string& attr, float def) {
  sdXMLnode* c = FindChild(node, child);
  return c ? GetAttrFloat(c, attr, def) : def;
}

std::string GetChildValue(XMLNodeArg node, const std::string& child) {
  sdXMLnode* c = FindChild(node, child);
  return c ? c->Value : std::string();
}

int GetChildInt(XMLNodeArg node, const std::string& child) {
  sdXMLnode* c = FindChild(node, child);
  return c ? ToInt(c->Value) : 0;
}

int GetChildFloatInt(XMLNodeArg node, const std::string& child) {
  sdXMLnode* c = FindChild(node, child);
  return c ? Int(ToFloat(c->Value)) : 0;
}

sdXMLnodelist::~sdXMLnodelist() {
  // Unchained one by one: a long chain must not recurse through its links.
  Ref<sdXMLnodelist> next = std::move(NextNode);
  while (next) {
    next->PrevNode = nullptr;
    if (next.use_count() > 1) break;
    Ref<sdXMLnodelist> after = std::move(next->NextNode);
    next = std::move(after);
  }
}

Ref<sdXMLnodelist> FindNodes(XMLNodeArg start, const std::string& path, int recursive) {
  if (path.find('/') == std::string::npos) return nullptr;
  Ref<sdXMLnodelist> first;
  sdXMLnodelist* last = nullptr;
  // Whether the node's full path (path, tag, "/") ends with `path`, read from
  // its pieces: no copy of the path for every node of the tree.
  auto ends = [&](sdXMLnode* n) {
    size_t k = path.size();
    for (const std::string_view piece : {std::string_view("/"), std::string_view(n->Tag), std::string_view(n->path)}) {
      const size_t m = std::min(k, piece.size());
      if (!EqualNoCase(piece.substr(piece.size() - m), std::string_view(path).substr(k - m, m))) return false;
      k -= m;
    }
    return k == 0;
  };
  auto visit = [&](sdXMLnode* n) {
    if (!ends(n)) return;
    auto item = New<sdXMLnodelist>();
    item->NODE = NodeRef(n);
    item->PrevNode = last;
    if (last) last->NextNode = item;
    else first = item;
    last = item.get();
  };
  for (sdXMLnode* sib = start.p; sib; sib = sib->NextNode) {
    visit(sib);
    if (!recursive) continue;
    sdXMLnode* n = sib->firstchild;
    while (n) {
      visit(n);
      if (n->firstchild) {
        n = n->firstchild;
        continue;
      }
      while (n != sib && !n->NextNode) n = n->parent;
      n = n == sib ? nullptr : n->NextNode;
    }
  }
  return first;
}

void FreeNodeList(Ref<sdXMLnodelist>& first) { first.reset(); }

}  // namespace kelp
