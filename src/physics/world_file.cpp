// Physics world and group files: the XML world, the line-per-element world of
// the level packs, single groups, and the writers for worlds and groups.

#include <cmath>
#include <functional>
#include <string>

#include "framework/core/debug_output.h"
#include "framework/core/file_numbers.h"
#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/files/line_reader.h"
#include "framework/files/pak.h"
#include "framework/files/xml.h"
#include "physics/engine.h"
#include "platform/files.h"

namespace kelp {
namespace {

// Numbers beyond this are no sensible coordinate, size or setting of a world.
constexpr double kLargestNumber = 1e6;
constexpr float kLargest = 1e6f;

// Ranges the step makes sense of. A friction above 1 or a stiffness above 1
// adds energy on every contact or pass; a position outside the field's margin
// is nowhere a player can see.
constexpr float kMostGravity = 500.0f;    // the levels use 100
constexpr float kMostTimestep = 0.1f;     // the levels use 0.05
constexpr float kMostMass = 1000.0f;
constexpr float kMostRadius = 500.0f;
constexpr float kMostLength = 5000.0f;

bool IsDigit(char c, int base) {
  if (base == 16) return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  return c >= '0' && c < static_cast<char>('0' + base);
}

// Whether the text starts with a number (blanks and a sign first); other text
// reads as 0, which is no value a file means to give.
bool HasNumber(const std::string& s, bool integer) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  int base = 10;
  if (integer && i < s.size() && (s[i] == '$' || s[i] == '%')) base = s[i++] == '$' ? 16 : 2;
  if (!integer && i < s.size() && s[i] == '.') ++i;
  return i < s.size() && IsDigit(s[i], base);
}

// An element's attributes, read from an XML node or from a tag line. An empty
// text means absent: empty attributes are not applied.
using AttrGetter = std::function<std::string(const char*)>;

AttrGetter XMLAttrs(sdXMLnode* node) {
  return [node](const char* name) { return GetAttrText(node, name); };
}

AttrGetter LineAttrs(const std::string& line) {
  return [&line](const char* name) { return GetLineAttr(line, name); };
}

// Reading one file: where messages come from, and the attribute helpers.
class Reader {
 public:
  Reader(TPhysEngine& engine, const char* op, bool groupFile) : e_(engine), op_(op), groupFile_(groupFile) {}

  void Warn(const std::string& text) { DebugOutput("[TPhysEngine WARNING : " + std::string(op_) + "] " + text); }

  // A float attribute; false (and the target untouched) when absent or too
  // large for the step's arithmetic. Text without digits reads as the
  // conversion gives it (0), and is reported. A number outside [low, high],
  // the range the simulation makes sense of, is clamped into it and reported.
  bool ReadFloat(const AttrGetter& get, const char* element, const char* name, float& out, float low = -kLargest,
                 float high = kLargest, bool ranged = true) {
    const std::string text = get(name);
    if (text.empty()) return false;
    const double v = ToDouble(text);
    if (!std::isfinite(v) || (ranged && std::fabs(v) > kLargestNumber) || !std::isfinite(static_cast<float>(v))) {
      Warn("Bad number \"" + text + "\" for " + name + " of " + element + " skipped!");
      return false;
    }
    if (!HasNumber(text, false)) Warn("Bad number \"" + text + "\" for " + name + " of " + element + "!");
    float f = ToFloat(text);
    if (f < low || f > high) {
      f = f < low ? low : high;
      Warn("Number \"" + text + "\" for " + name + " of " + element + " is out of range; " + FloatToString(f) +
           " is used!");
    }
    out = f;
    return true;
  }

  bool ReadInt(const AttrGetter& get, const char* element, const char* name, int& out) {
    const std::string text = get(name);
    if (text.empty()) return false;
    if (!HasNumber(text, true)) Warn("Bad number \"" + text + "\" for " + name + " of " + element + "!");
    out = ToInt(text);
    return true;
  }

  static void Flag(const AttrGetter& get, const char* name, int& out) {
    const std::string v = Lower(get(name));
    if (v == "true") out = 1;
    else if (v == "false") out = 0;
  }

  void World(const AttrGetter& get) {
    ReadFloat(get, "world", "gravity", e_.GRAVITY, -kMostGravity, kMostGravity);
    float it = 0;
    if (ReadFloat(get, "world", "iterations", it, -kLargest, kLargest, false))
      e_.ITERATIONS = static_cast<uint8_t>(Int(it) & 0xFF);
    ReadFloat(get, "world", "timestep", e_.TIMESTEP, 0.0f, kMostTimestep);
  }

  Ref<TPhysEngine_Group> Group(const AttrGetter& get) {
    auto g = TPhysEngine_Group::Create(&e_);
    const std::string name = get("name");
    if (!name.empty()) g->name = name;
    Flag(get, "collisions", g->docollisions);
    Flag(get, "selfcollision", g->selfcollision);
    return g;
  }

  void Particle(TPhysEngine_Group* g, const AttrGetter& get) {
    auto p = TPhysEngine_Particle::Create(g, 0, 0, &e_);
    const std::string name = get("name");
    if (!name.empty()) p->name = name;
    ReadFloat(get, "particle", "x", p->x, kFieldLeft, kFieldRight);
    ReadFloat(get, "particle", "y", p->y, kFieldTop, kFieldBottom);
    ReadFloat(get, "particle", "mass", p->mass, 0.0f, kMostMass);
    ReadFloat(get, "particle", "friction", p->friction, 0.0f, 1.0f);
    ReadFloat(get, "particle", "radius", p->radius, 0.0f, kMostRadius);
    ReadInt(get, "particle", "static", p->static_);
    p->ox = p->x;
    p->oy = p->y;
  }

  Ref<TPhysEngine_Particle> Resolve(TPhysEngine_Group* g, const std::string& ref) {
    const size_t at = ref.find('@');
    if (at == std::string::npos) return TPhysEngine_Particle::Find(g, ref);
    if (groupFile_) {
      Warn("Constraint pointing to a particle in another group!");
      return TPhysEngine_Particle::Find(g, ref);
    }
    auto other = TPhysEngine_Group::Find(ref.substr(at + 1), &e_);
    return TPhysEngine_Particle::Find(other.get(), ref.substr(0, at));
  }

  void Constraint(TPhysEngine_Group* g, const AttrGetter& get) {
    const std::string r1 = get("particle1"), r2 = get("particle2");
    auto c = TPhysEngine_Constraint::Create(g, Resolve(g, r1), Resolve(g, r2), &e_);
    if (!c) {
      Warn("Constraint between \"" + r1 + "\" and \"" + r2 + "\" skipped: a particle is missing or already joined!");
      return;
    }
    const std::string name = get("name");
    if (!name.empty()) c->name = name;
    ReadFloat(get, "constraint", "length", c->length, 0.0f, kMostLength);
    ReadFloat(get, "constraint", "stiffness", c->stiffness, 0.0f, 1.0f);
    const std::string type = get("type");
    if (!type.empty()) {
      if (type == "pull") c->ctype = TPhysEngine::PULL;
      else if (type == "push") c->ctype = TPhysEngine::PUSH;
      else c->ctype = TPhysEngine::PULLPUSH;
    }
  }

  void Static(const AttrGetter& get) {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ReadFloat(get, "static", "x1", x1, kFieldLeft, kFieldRight);
    ReadFloat(get, "static", "y1", y1, kFieldTop, kFieldBottom);
    ReadFloat(get, "static", "x2", x2, kFieldLeft, kFieldRight);
    ReadFloat(get, "static", "y2", y2, kFieldTop, kFieldBottom);
    auto s = TPhysEngine_Static::Create(x1, y1, x2, y2, 1.0f, 1.0f, 1, &e_);
    ReadFloat(get, "static", "friction", s->friction, 0.0f, 1.0f);
    ReadFloat(get, "static", "radius", s->radius, 0.0f, kMostRadius);
    ReadInt(get, "static", "path", s->path);
    ReadInt(get, "static", "obstacle", s->obstacle);
    ReadInt(get, "static", "hp", s->hp);
    int parazite = 0;
    if (ReadInt(get, "static", "parazite", parazite)) s->Parazite = static_cast<uint8_t>(parazite & 0xFF);
    // A thick static's box must cover its radius, or particles sink into it
    // until it first moves.
    s->Update();
  }

  // The particles and constraints of an XML group element.
  void GroupChildren(TPhysEngine_Group* g, sdXMLnode* node) {
    for (sdXMLnode* c = node->firstchild; c; c = c->NextNode) {
      const std::string tag = Lower(c->Tag);
      if (tag == "particle") Particle(g, XMLAttrs(c));
      else if (tag == "constraint") Constraint(g, XMLAttrs(c));
      else Warn("Unknown element \"" + c->Tag + "\" in group skipped!");
    }
  }

 private:
  TPhysEngine& e_;
  const char* op_;
  bool groupFile_;
};

std::string Num(float v) { return FloatToG9(v); }

std::string Num(int v) { return std::to_string(v); }

std::string Attr(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + EscapeXMLText(value, true) + "\"";
}

const char* Bool(int v) { return v == 1 ? "true" : "false"; }

const char* TypeName(int ctype) {
  switch (ctype) {
    case TPhysEngine::PULLPUSH: return "pull-push";
    case TPhysEngine::PULL: return "pull";
    case TPhysEngine::PUSH: return "push";
    default: return "unknown";
  }
}

std::string WithExtension(const std::string& path) {
  return path.find('.') == std::string::npos ? path + ".xml" : path;
}

void Line(std::string& out, const std::string& text) { out.append(text).append("\r\n"); }

std::string GroupTag(const TPhysEngine_Group& g) {
  return "<group" + Attr("name", g.name) + Attr("collisions", Bool(g.docollisions)) +
         Attr("selfcollision", Bool(g.selfcollision)) + ">";
}

std::string ParticleTag(const TPhysEngine_Particle& p, bool withStatic) {
  std::string s = "<particle" + Attr("name", p.name) + Attr("x", Num(p.x)) + Attr("y", Num(p.y)) +
                  Attr("mass", Num(p.mass)) + Attr("friction", Num(p.friction)) + Attr("radius", Num(p.radius));
  if (withStatic) s += Attr("static", Num(p.static_));
  return s + "/>";
}

std::string Reference(const TPhysEngine_Particle* p, const TPhysEngine_Group& g, bool withGroup) {
  if (!p) return "";
  if (withGroup && p->grp && p->grp != &g) return p->name + "@" + p->grp->name;
  return p->name;
}

std::string ConstraintTag(const TPhysEngine_Constraint& c, const TPhysEngine_Group& g, bool withGroup) {
  return "<constraint" + Attr("name", c.name) + Attr("particle1", Reference(c.p1.get(), g, withGroup)) +
         Attr("particle2", Reference(c.p2.get(), g, withGroup)) + Attr("length", Num(c.length)) +
         Attr("stiffness", Num(c.stiffness)) + Attr("type", TypeName(c.ctype)) + "/>";
}

// Writes `text` to `path` unless it exists and may not be replaced.
int WriteFile(const std::string& path, int overwrite, const std::string& text, const char* op) {
  if (!overwrite && platform::IsFile(path)) {
    DebugOutput(std::string("[TPhysEngine ERROR : ") + op +
                "] Path already exists, and overwrite = False was specified!");
    return 0;
  }
  if (!platform::SaveFileAtomic(path, text)) {
    DebugOutput(std::string("[TPhysEngine ERROR : ") + op + "] Failed to create/overwrite the specified path!");
    return 0;
  }
  return 1;
}

}  // namespace

platform::StreamRef OpenPhysicsSource(const PhysicsSource& source) {
  if (source.stream) return source.stream;
  if (source.path.empty()) return nullptr;
  return OpenPakStream(source.path);
}

int TPhysEngine::LoadWorld(const PhysicsSource& source) {
  platform::StreamRef stream = OpenPhysicsSource(source);
  if (!stream) {
    DebugOutput("[TPhysEngine ERROR : LoadWorld] Failed to load the specified path!");
    return 0;
  }
  Ref<sdXMLnode> root = ParseXMLStream(*stream);
  if (!root || root->Tag != "world") {
    DebugOutput("[TPhysEngine ERROR : LoadWorld] The file does not begin with a world tag!");
    return 0;
  }
  ClearWorld();
  Reader r(*this, "LoadWorld", false);
  r.World(XMLAttrs(root.get()));
  for (sdXMLnode* c = root->firstchild; c; c = c->NextNode) {
    const std::string tag = Lower(c->Tag);
    if (tag == "group") {
      auto g = r.Group(XMLAttrs(c));
      r.GroupChildren(g.get(), c);
    } else if (tag == "static") {
      r.Static(XMLAttrs(c));
    } else {
      r.Warn("Unknown element \"" + c->Tag + "\" skipped!");
    }
  }
  return 1;
}

int TPhysEngine::LoadWorldOld(const PhysicsSource& source) {
  platform::StreamRef stream = OpenPhysicsSource(source);
  if (!stream) {
    DebugOutput("[TPhysEngine ERROR : LoadWorld] Failed to load the specified path!");
    return 0;
  }
  std::string line = ReadTagLine(*stream);
  if (GetLineTag(line) != "world") {
    DebugOutput("[TPhysEngine ERROR : LoadWorld] The file does not begin with a world tag!");
    return 0;
  }
  ClearWorld();
  Reader r(*this, "LoadWorld", false);
  r.World(LineAttrs(line));
  Ref<TPhysEngine_Group> group;
  // Closing tags never reach here: the line reader skips them, so a world
  // written by SaveWorld reads back whole.
  for (line = ReadTagLine(*stream); !line.empty(); line = ReadTagLine(*stream)) {
    const std::string tag = GetLineTag(line);
    if (tag == "group") {
      group = r.Group(LineAttrs(line));
    } else if (tag == "particle" || tag == "constraint") {
      if (!group) {
        r.Warn("A " + tag + " before the first group skipped!");
        continue;
      }
      if (tag == "particle") r.Particle(group.get(), LineAttrs(line));
      else r.Constraint(group.get(), LineAttrs(line));
    } else if (tag == "static") {
      r.Static(LineAttrs(line));
    } else {
      break;
    }
  }
  return 1;
}

Ref<TPhysEngine_Group> TPhysEngine::LoadGroup(const PhysicsSource& source, const std::string& name) {
  platform::StreamRef stream = OpenPhysicsSource(source);
  if (!stream) {
    DebugOutput("[TPhysEngine ERROR : LoadGroup] Failed to load the specified path!");
    return nullptr;
  }
  Ref<sdXMLnode> root = ParseXMLStream(*stream);
  if (!root || Lower(root->Tag) != "group") {
    DebugOutput("[TPhysEngine ERROR : LoadGroup] The file does not begin with a group tag!");
    return nullptr;
  }
  if (!name.empty() && name != GetAttrText(root, "name")) return nullptr;
  Reader r(*this, "LoadGroup", true);
  auto g = r.Group(XMLAttrs(root.get()));
  r.GroupChildren(g.get(), root.get());
  return g;
}

int TPhysEngine::SaveWorld(const std::string& path, int overwrite) {
  std::string out;
  Line(out, "<world" + Attr("gravity", Num(GRAVITY)) + Attr("iterations", Num(static_cast<int>(ITERATIONS))) +
                Attr("timestep", Num(TIMESTEP)) + ">");
  for (const auto& g : Groups) {
    if (g->class_ != 0) continue;  // boxes are made by the level, never saved
    Line(out, "   " + GroupTag(*g));
    for (auto p = g->frstp.get(); p; p = p->nxt.get()) Line(out, "      " + ParticleTag(*p, true));
    for (auto c = g->frstc.get(); c; c = c->nxt.get()) Line(out, "      " + ConstraintTag(*c, *g, true));
    Line(out, "   </group>");
  }
  for (const auto& s : Statics) {
    Line(out, "   <static" + Attr("x1", Num(s->x1)) + Attr("y1", Num(s->y1)) + Attr("x2", Num(s->x2)) +
                  Attr("y2", Num(s->y2)) + Attr("radius", Num(s->radius)) + Attr("friction", Num(s->friction)) +
                  Attr("obstacle", Num(s->obstacle)) + Attr("hp", Num(s->hp)) +
                  Attr("parazite", Num(static_cast<int>(s->Parazite))) + Attr("path", Num(s->path)) + "/>");
  }
  Line(out, "</world>");
  return WriteFile(WithExtension(path), overwrite, out, "SaveWorld");
}

int TPhysEngine_Group::Save(const std::string& path, int overwrite) {
  std::string out;
  Line(out, GroupTag(*this));
  for (auto p = frstp.get(); p; p = p->nxt.get()) Line(out, "   " + ParticleTag(*p, false));
  for (auto c = frstc.get(); c; c = c->nxt.get()) Line(out, "   " + ConstraintTag(*c, *this, false));
  Line(out, "</group>");
  return WriteFile(WithExtension(path), overwrite, out, "SaveGroup");
}

}  // namespace kelp
