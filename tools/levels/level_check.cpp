#include "level_check.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <tuple>

namespace levels {

namespace fs = std::filesystem;

namespace {

struct Tag {
  int line = 0;
  std::string name;
  std::map<std::string, std::string> attrs;
};

class Faults {
 public:
  Faults(std::vector<std::string>& out, std::string file) : out_(out), file_(std::move(file)) {}
  void Add(int line, const std::string& what) {
    out_.push_back(file_ + (line > 0 ? ":" + std::to_string(line) : "") + ": " + what);
  }

 private:
  std::vector<std::string>& out_;
  std::string file_;
};

// One tag a line: `<name a="v" b="w">` or `.../>`; blank lines, comments and
// closing tags are skipped as the game's line reader skips them.
std::vector<Tag> ReadTags(const fs::path& file, Faults& faults) {
  std::vector<Tag> tags;
  std::ifstream in(file);
  std::string text;
  for (int n = 1; std::getline(in, text); ++n) {
    const size_t a = text.find_first_not_of(" \t\r");
    if (a == std::string::npos) continue;
    const size_t b = text.find_last_not_of(" \t\r");
    const std::string s = text.substr(a, b - a + 1);
    if (s.rfind("<!--", 0) == 0 || s.rfind("</", 0) == 0) continue;
    if (s.front() != '<' || s.back() != '>') {
      faults.Add(n, "not a tag line: \"" + s + "\"");
      continue;
    }
    std::string body = s.substr(1, s.size() - 2);
    if (!body.empty() && body.back() == '/') body.pop_back();
    Tag t;
    t.line = n;
    size_t i = body.find_first_of(" \t");
    t.name = body.substr(0, i);
    bool ok = !t.name.empty();
    while (ok && i != std::string::npos) {
      i = body.find_first_not_of(" \t", i);
      if (i == std::string::npos) break;
      const size_t eq = body.find('=', i);
      if (eq == std::string::npos || eq + 1 >= body.size() || body[eq + 1] != '"') {
        ok = false;
        break;
      }
      const size_t close = body.find('"', eq + 2);
      if (close == std::string::npos) {
        ok = false;
        break;
      }
      t.attrs[body.substr(i, eq - i)] = body.substr(eq + 2, close - eq - 2);
      i = close + 1;
      if (i < body.size() && body[i] != ' ' && body[i] != '\t') ok = false;
    }
    if (!ok) {
      faults.Add(n, "malformed tag line (want <tag name=\"value\" ...>): \"" + s + "\"");
      continue;
    }
    tags.push_back(std::move(t));
  }
  return tags;
}

std::optional<double> Number(const Tag& t, const std::string& name, Faults& faults, bool required = true) {
  const auto it = t.attrs.find(name);
  if (it == t.attrs.end()) {
    if (required) faults.Add(t.line, "<" + t.name + "> lacks \"" + name + "\"");
    return std::nullopt;
  }
  char* end = nullptr;
  const double v = std::strtod(it->second.c_str(), &end);
  if (it->second.empty() || *end != '\0' || !std::isfinite(v)) {
    faults.Add(t.line, "\"" + name + "\" of <" + t.name + "> is not a number: \"" + it->second + "\"");
    return std::nullopt;
  }
  return v;
}

bool First(const std::vector<Tag>& tags, const std::string& name, Faults& faults) {
  if (tags.empty() || tags.front().name != name) {
    faults.Add(tags.empty() ? 1 : tags.front().line, "the file must begin with <" + name + ">");
    return false;
  }
  return true;
}

void CheckDescription(const fs::path& file, std::vector<std::string>& out) {
  Faults f(out, file.string());
  const auto tags = ReadTags(file, f);
  if (!First(tags, "level", f)) return;
  if (tags.size() < 2 || tags[1].name != "params") {
    f.Add(tags.size() < 2 ? tags[0].line : tags[1].line, "the second line must be <params ...>");
    return;
  }
  for (size_t i = 1; i < tags.size(); ++i) {
    const Tag& t = tags[i];
    if (t.name == "params") {
      if (auto v = Number(t, "stage", f); v && *v < 1) f.Add(t.line, "\"stage\" must be 1 or more");
      if (auto v = Number(t, "time", f); v && *v <= 0) f.Add(t.line, "\"time\" must be above 0 (ms)");
      if (auto v = Number(t, "gametype", f)) {
        static const std::set<int> winnable{1, 2, 4, 10, 20, 100, 200};
        if (!winnable.count(static_cast<int>(*v))) f.Add(t.line, "\"gametype\" is none the game can win");
      }
      Number(t, "num", f);
      Number(t, "blocks", f, false);
      Number(t, "gentime", f, false);
      if (auto v = Number(t, "waterlevel", f, false); v && (*v < 0 || *v >= 600))
        f.Add(t.line, "\"waterlevel\" must lie in 0..599");
      const auto ts = t.attrs.find("tileset");
      if (ts == t.attrs.end() || (ts->second != "desert" && ts->second != "snow"))
        f.Add(t.line, "\"tileset\" must be desert or snow");
    } else if (t.name == "image") {
      if (!t.attrs.count("path")) f.Add(t.line, "<image> lacks \"path\"");
      for (const char* a : {"x", "y", "scale", "alpha", "layer"}) Number(t, a, f);
    } else {
      f.Add(t.line, "unknown tag <" + t.name + "> (the game stops reading here)");
      return;
    }
  }
}

using Ends = std::tuple<double, double, double, double>;

std::set<Ends> CheckWorld(const fs::path& file, std::vector<std::string>& out) {
  std::set<Ends> statics;
  Faults f(out, file.string());
  const auto tags = ReadTags(file, f);
  if (!First(tags, "world", f)) return statics;
  int count = 0;
  for (size_t i = 1; i < tags.size(); ++i) {
    const Tag& t = tags[i];
    if (t.name == "static") {
      auto x1 = Number(t, "x1", f), y1 = Number(t, "y1", f), x2 = Number(t, "x2", f), y2 = Number(t, "y2", f);
      if (x1 && y1 && x2 && y2) statics.insert({*x1, *y1, *x2, *y2});
      ++count;
    } else if (t.name != "group" && t.name != "particle" && t.name != "constraint") {
      f.Add(t.line, "unknown tag <" + t.name + "> (the game stops reading here)");
      break;
    }
  }
  if (count == 0) f.Add(0, "the world has no statics");
  return statics;
}

void CheckBlocks(const fs::path& file, std::vector<std::string>& out) {
  Faults f(out, file.string());
  const auto tags = ReadTags(file, f);
  if (!First(tags, "blocks", f)) return;
  static const std::set<std::string> corners{"UpRight", "UpLeft", "DownRight", "DownLeft", "Center"};
  int open = 0, children = 0;
  auto close = [&] {
    if (open && children != 5) f.Add(open, "the box has " + std::to_string(children) + " of its 5 corner lines");
  };
  for (size_t i = 1; i < tags.size(); ++i) {
    const Tag& t = tags[i];
    if (t.name == "block") {
      close();
      open = t.line;
      children = 0;
      if (auto v = Number(t, "scale", f); v && *v <= 0) f.Add(t.line, "\"scale\" must be above 0");
      if (auto v = Number(t, "class", f); v && *v < 1) f.Add(t.line, "\"class\" must be 1 or more");
    } else if (corners.count(t.name)) {
      if (!open) f.Add(t.line, "<" + t.name + "> outside a <block>");
      ++children;
      Number(t, "x", f);
      Number(t, "y", f);
    } else {
      f.Add(t.line, "unknown tag <" + t.name + "> (the game stops reading here)");
      return;
    }
  }
  close();
}

void CheckFloor(const fs::path& file, const std::set<Ends>& statics, std::vector<std::string>& out) {
  Faults f(out, file.string());
  const auto tags = ReadTags(file, f);
  if (!First(tags, "floor", f)) return;
  Number(tags[0], "dy", f);
  int matched = 0;
  for (size_t i = 1; i < tags.size(); ++i) {
    const Tag& t = tags[i];
    if (t.name != "element") {
      f.Add(t.line, "unknown tag <" + t.name + ">");
      return;
    }
    auto x1 = Number(t, "x1", f), y1 = Number(t, "y1", f), x2 = Number(t, "x2", f), y2 = Number(t, "y2", f);
    if (x1 && y1 && x2 && y2) {
      if (statics.count({*x1, *y1, *x2, *y2}))
        ++matched;
      else
        f.Add(t.line, "the element matches no static of the world");
    }
  }
  if (matched == 0) f.Add(0, "the floor takes over no static of the world");
}

void CheckBricks(const fs::path& file, std::vector<std::string>& out) {
  Faults f(out, file.string());
  const auto tags = ReadTags(file, f);
  if (!First(tags, "bricks", f)) return;
  for (size_t i = 1; i < tags.size(); ++i) {
    const Tag& t = tags[i];
    if (t.name != "node") {
      f.Add(t.line, "unknown tag <" + t.name + ">");
      return;
    }
    for (const char* a : {"x", "y"})
      if (auto v = Number(t, a, f); v && (*v < 0 || *v > 7)) f.Add(t.line, std::string("\"") + a + "\" must lie in 0..7");
    Number(t, "hp", f);
  }
}

void CheckTrolleys(const fs::path& file, std::vector<std::string>& out) {
  Faults f(out, file.string());
  const auto tags = ReadTags(file, f);
  if (!First(tags, "trolleys", f)) return;
  int expected = 1;
  for (size_t i = 1; i < tags.size(); ++i) {
    const Tag& t = tags[i];
    if (t.name != "trolley") {
      f.Add(t.line, "unknown tag <" + t.name + ">");
      return;
    }
    if (auto v = Number(t, "id", f); v && static_cast<int>(*v) != expected)
      f.Add(t.line, "trolley ids must run 1, 2, ... in file order");
    ++expected;
    if (auto v = Number(t, "time", f); v && *v <= 0) f.Add(t.line, "\"time\" must be above 0 (ms)");
  }
}

}  // namespace

std::vector<std::string> CheckLevelFolder(const fs::path& folder) {
  std::vector<std::string> out;
  const std::string name = folder.filename().string();
  const fs::path base = folder / name;
  auto path = [&](const char* suffix) { return fs::path(base.string() + suffix); };
  for (const char* required : {".xml", "_world.xml"})
    if (!fs::is_regular_file(path(required))) out.push_back(path(required).string() + ": missing");
  if (!out.empty()) return out;
  CheckDescription(path(".xml"), out);
  const std::set<Ends> statics = CheckWorld(path("_world.xml"), out);
  if (fs::exists(path("_blocks.xml"))) CheckBlocks(path("_blocks.xml"), out);
  if (fs::exists(path("_floor.xml"))) CheckFloor(path("_floor.xml"), statics, out);
  if (fs::exists(path("_bricks.xml"))) CheckBricks(path("_bricks.xml"), out);
  if (fs::exists(path("_trolley.xml"))) CheckTrolleys(path("_trolley.xml"), out);
  return out;
}

}  // namespace levels
