// gen_res: assembles the resource list "res.xml" from the generators'
// manifests and the authored scope table, and writes the files the program
// folder needs beside it: the splash description and the window icon.
//
//   gen_res <program folder> <scopes.tsv> <art manifest> <fonts manifest>
//           <audio manifest> <effects manifest>
//
// Manifests are tab-separated, one resource a line:
//   art:     id kind(image|animimage|file) file frames cell_w cell_h handle(mid|x,y) flags extra
//   fonts:   id file size
//   audio:   id sound|music file loop
//   effects: id image|effect file handle
// Within a scope, pictures come first: an effect resolves its pictures by id
// when it loads, and only finds those already loaded.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : line) {
    if (c == '\t') {
      out.push_back(cur);
      cur.clear();
    } else if (c != '\r') {
      cur += c;
    }
  }
  out.push_back(cur);
  return out;
}

// Lines of a tab-separated file, without blanks and "#" comments.
bool ReadRows(const fs::path& path, std::vector<std::vector<std::string>>& rows, bool required) {
  std::ifstream in(path);
  if (!in) {
    if (required) std::fprintf(stderr, "gen_res: cannot read %s\n", path.c_str());
    return !required;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#' || line.find_first_not_of(" \t\r") == std::string::npos) continue;
    rows.push_back(SplitTabs(line));
  }
  return true;
}

int ToInt(const std::string& s, int def) {
  try {
    size_t used = 0;
    const int v = std::stoi(s, &used);
    return used > 0 ? v : def;
  } catch (...) {
    return def;
  }
}

// XML attribute text: the reader knows the five entities; our values never need more.
std::string Attr(const std::string& s) {
  std::string o;
  for (char c : s) {
    if (c == '&') o += "&amp;";
    else if (c == '"') o += "&quot;";
    else if (c == '<') o += "&lt;";
    else if (c == '>') o += "&gt;";
    else o += c;
  }
  return o;
}

enum Order { kPicture = 0, kFont = 1, kSound = 2, kMusic = 3, kEffect = 4 };

struct Entry {
  std::string id;
  std::string scope;
  Order order;
  std::string xml;  // the element
  std::string source;
};

std::string HandleAttrs(const std::string& handle) {
  if (handle == "mid" || handle == "MID") return " midhandle=\"1\"";
  const size_t comma = handle.find(',');
  if (comma == std::string::npos) return "";
  return " handlex=\"" + std::to_string(ToInt(handle.substr(0, comma), 0)) + "\" handley=\"" +
         std::to_string(ToInt(handle.substr(comma + 1), 0)) + "\"";
}

// "key=value" words of the art manifest's flags and extra columns.
std::map<std::string, std::string> Words(const std::string& a, const std::string& b) {
  std::map<std::string, std::string> out;
  std::string text = a + " " + b;
  for (char& c : text)
    if (c == ',' || c == ';' || c == '|') c = ' ';
  std::istringstream in(text);
  std::string w;
  while (in >> w) {
    if (w == "-") continue;
    const size_t eq = w.find('=');
    if (eq == std::string::npos)
      out[Lower(w)] = "1";
    else
      out[Lower(w.substr(0, eq))] = w.substr(eq + 1);
  }
  return out;
}

bool WriteIco(const fs::path& png, const fs::path& ico) {
  std::ifstream in(png, std::ios::binary);
  if (!in) return false;
  std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() < 24 || data[1] != 'P' || data[2] != 'N' || data[3] != 'G') return false;
  const uint32_t w = (data[16] << 24) | (data[17] << 16) | (data[18] << 8) | data[19];
  const uint32_t h = (data[20] << 24) | (data[21] << 16) | (data[22] << 8) | data[23];
  std::vector<unsigned char> out;
  auto put16 = [&out](unsigned v) { out.push_back(v & 255); out.push_back((v >> 8) & 255); };
  auto put32 = [&out](uint32_t v) { for (int k = 0; k < 4; ++k) out.push_back((v >> (8 * k)) & 255); };
  put16(0);  // reserved
  put16(1);  // icon
  put16(1);  // one image
  out.push_back(w >= 256 ? 0 : static_cast<unsigned char>(w));
  out.push_back(h >= 256 ? 0 : static_cast<unsigned char>(h));
  out.push_back(0);  // no palette
  out.push_back(0);
  put16(1);   // planes
  put16(32);  // bits per pixel
  put32(static_cast<uint32_t>(data.size()));
  put32(22);  // the PNG follows the directory
  out.insert(out.end(), data.begin(), data.end());
  std::ofstream o(ico, std::ios::binary);
  o.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(o);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr,
                 "usage: gen_res <program folder> <scopes.tsv> <art manifest> <fonts manifest> <audio manifest> "
                 "<effects manifest>\n");
    return 2;
  }
  const fs::path root = argv[1];
  std::vector<std::vector<std::string>> scopeRows, art, fonts, audio, effects;
  if (!ReadRows(argv[2], scopeRows, true) || !ReadRows(argv[4], fonts, true) || !ReadRows(argv[5], audio, true) ||
      !ReadRows(argv[6], effects, true))
    return 1;
  if (!ReadRows(argv[3], art, false)) return 1;
  if (art.empty()) std::fprintf(stderr, "gen_res: warning: no art manifest at %s; pictures are missing\n", argv[3]);

  std::map<std::string, std::string> scopeOf;  // upper-case id -> scope
  std::vector<std::string> scopeOrder = {"Init", "Menu", "Map", "Village", "Village2", "Music", "Comics"};
  for (const auto& r : scopeRows) {
    if (r.size() < 2 || r[0].empty() || r[1].empty()) {
      std::fprintf(stderr, "gen_res: bad line in the scope table: %s\n", r.empty() ? "" : r[0].c_str());
      return 1;
    }
    scopeOf[Upper(r[0])] = r[1];
    if (std::find(scopeOrder.begin(), scopeOrder.end(), r[1]) == scopeOrder.end()) scopeOrder.push_back(r[1]);
  }
  auto scopeFor = [&](const std::string& id, const std::string& fallback, const std::string& source) {
    auto it = scopeOf.find(Upper(id));
    if (it != scopeOf.end()) return it->second;
    if (source == "art") std::fprintf(stderr, "gen_res: note: %s is in no scope of the table; it goes to %s\n", id.c_str(), fallback.c_str());
    return fallback;
  };

  std::vector<Entry> entries;
  std::vector<std::pair<std::string, std::string>> files;  // art files loaded by path: id, path
  std::set<std::string> ids;
  auto add = [&](Entry e) {
    if (!ids.insert(Upper(e.id)).second) {
      std::fprintf(stderr, "gen_res: %s comes twice (again from the %s manifest)\n", e.id.c_str(), e.source.c_str());
      return false;
    }
    entries.push_back(std::move(e));
    return true;
  };

  for (const auto& r : art) {
    if (r.size() < 3) {
      std::fprintf(stderr, "gen_res: short line in the art manifest: %s\n", r[0].c_str());
      return 1;
    }
    const std::string& id = r[0];
    const std::string kind = Lower(r[1]);
    const std::string& file = r[2];
    if (kind == "file") {
      files.emplace_back(id, file);
      continue;
    }
    const int frames = r.size() > 3 ? ToInt(r[3], 1) : 1;
    const int cw = r.size() > 4 ? ToInt(r[4], 0) : 0, ch = r.size() > 5 ? ToInt(r[5], 0) : 0;
    const std::string handle = r.size() > 6 ? r[6] : "";
    const auto words = Words(r.size() > 7 ? r[7] : "", r.size() > 8 ? r[8] : "");
    std::string fallback = "Init";
    if (auto w = words.find("scope"); w != words.end() && !w->second.empty()) fallback = w->second;
    Entry e{id, scopeFor(id, fallback, "art"), kPicture, "", "art"};
    std::ostringstream x;
    if (kind == "animimage") {
      int speed = -1;
      if (auto w = words.find("animspeed"); w != words.end()) speed = ToInt(w->second, -1);
      else if (auto w2 = words.find("speed"); w2 != words.end()) speed = ToInt(w2->second, -1);
      else if (r.size() > 8) speed = ToInt(r[8], -1);
      x << "<animimage id=\"" << Attr(id) << "\" path=\"" << Attr(file) << "\" width=\"" << cw << "\" height=\"" << ch
        << "\" frames=\"" << frames << "\" animspeed=\"" << speed << "\"" << HandleAttrs(handle) << "/>";
    } else if (kind == "image") {
      x << "<image id=\"" << Attr(id) << "\" path=\"" << Attr(file) << "\"" << HandleAttrs(handle);
      if (words.count("mipmapped") || words.count("mip")) x << " mipmapped=\"1\"";
      x << "/>";
    } else {
      std::fprintf(stderr, "gen_res: unknown kind \"%s\" of %s in the art manifest\n", r[1].c_str(), id.c_str());
      return 1;
    }
    e.xml = x.str();
    if (!add(std::move(e))) return 1;
  }

  for (const auto& r : effects) {
    if (r.size() < 3) return 1;
    const std::string kind = Lower(r[1]);
    std::ostringstream x;
    Entry e{r[0], scopeFor(r[0], "Init", "effects"), kind == "image" ? kPicture : kEffect, "", "effects"};
    if (kind == "image")
      x << "<image id=\"" << Attr(r[0]) << "\" path=\"" << Attr(r[2]) << "\"" << HandleAttrs(r.size() > 3 ? r[3] : "")
        << "/>";
    else
      x << "<effect id=\"" << Attr(r[0]) << "\" path=\"" << Attr(r[2]) << "\"/>";
    e.xml = x.str();
    if (!add(std::move(e))) return 1;
  }
  for (const auto& r : fonts) {
    if (r.size() < 2) return 1;
    Entry e{r[0], scopeFor(r[0], "Init", "fonts"), kFont, "", "fonts"};
    e.xml = "<bmfont id=\"" + Attr(r[0]) + "\" path=\"" + Attr(r[1]) + "\" size=\"" +
            std::to_string(r.size() > 2 ? ToInt(r[2], 12) : 12) + "\"/>";
    if (!add(std::move(e))) return 1;
  }
  for (const auto& r : audio) {
    if (r.size() < 3) return 1;
    const bool music = Lower(r[1]) == "music";
    Entry e{r[0], scopeFor(r[0], music ? "Music" : "Init", "audio"), music ? kMusic : kSound, "", "audio"};
    if (music)
      e.xml = "<music id=\"" + Attr(r[0]) + "\" path=\"" + Attr(r[2]) + "\"/>";
    else
      e.xml = "<sound id=\"" + Attr(r[0]) + "\" path=\"" + Attr(r[2]) + "\" loop=\"" +
              std::to_string(r.size() > 3 ? ToInt(r[3], 0) : 0) + "\"/>";
    if (!add(std::move(e))) return 1;
  }

  for (const auto& [id, scope] : scopeOf)
    if (!ids.count(id)) std::fprintf(stderr, "gen_res: warning: %s (scope %s) is in no manifest\n", id.c_str(), scope.c_str());

  // Scopes in load order; within one, pictures, fonts, sounds, music, effects.
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.order < b.order; });
  std::ostringstream res;
  res << "<?xml version=\"1.0\"?>\n";
  res << "<!-- Made by gen_res from the generators' manifests and tools/gen_res/scopes.tsv; do not edit. -->\n";
  res << "<ResourceManifest>\n";
  for (const std::string& scope : scopeOrder) {
    std::vector<const Entry*> in;
    for (const Entry& e : entries)
      if (Lower(e.scope) == Lower(scope)) in.push_back(&e);
    if (in.empty()) continue;
    res << "  <resources id=\"" << Attr(scope) << "\">\n";
    for (const Entry* e : in) res << "    " << e->xml << "\n";
    res << "  </resources>\n";
  }
  res << "</ResourceManifest>\n";
  for (const Entry& e : entries)
    if (std::none_of(scopeOrder.begin(), scopeOrder.end(), [&](const std::string& s) { return Lower(s) == Lower(e.scope); })) {
      std::fprintf(stderr, "gen_res: %s has the unknown scope %s\n", e.id.c_str(), e.scope.c_str());
      return 1;
    }

  std::error_code ec;
  fs::create_directories(root, ec);
  {
    std::ofstream out(root / "res.xml");
    out << res.str();
    if (!out) {
      std::fprintf(stderr, "gen_res: cannot write %s\n", (root / "res.xml").c_str());
      return 1;
    }
  }

  // The splash: every splash picture the art made, in manifest order.
  std::vector<std::string> logos;
  std::string iconPng;
  for (const auto& [id, path] : files) {
    const std::string up = Upper(id), lowPath = Lower(path);
    if (lowPath.rfind("screenbranding/", 0) == 0 || up.find("SPLASH") != std::string::npos) logos.push_back(path);
    if (Lower(fs::path(path).filename().string()) == "kelp.png") iconPng = path;
  }
  fs::create_directories(root / "screenbranding", ec);
  {
    std::ofstream out(root / "screenbranding" / "config.xml");
    out << "<?xml version=\"1.0\"?>\n<screenbranding>\n";
    for (const std::string& logo : logos)
      out << "  <logo image=\"" << Attr(logo) << "\" r=\"0\" g=\"0\" b=\"0\" time=\"1200\" scale=\"1.0\" skip=\"1\"/>\n";
    out << "</screenbranding>\n";
    if (!out) return 1;
  }
  if (logos.empty()) std::fprintf(stderr, "gen_res: warning: no splash picture in the art manifest\n");
  if (iconPng.empty()) {
    std::fprintf(stderr, "gen_res: warning: no Kelp.png in the art manifest; no window icon\n");
  } else {
    if (!WriteIco(root / iconPng, root / "Kelp.ico")) {
      std::fprintf(stderr, "gen_res: cannot make Kelp.ico from %s\n", iconPng.c_str());
      return 1;
    }
    // The picture also lies beside the icon, where the window looks when an icon file cannot be read.
    if (fs::path(iconPng) != fs::path("Kelp.png"))
      fs::copy_file(root / iconPng, root / "Kelp.png", fs::copy_options::overwrite_existing, ec);
    if (ec) {
      std::fprintf(stderr, "gen_res: cannot copy %s to Kelp.png\n", iconPng.c_str());
      return 1;
    }
  }
  return 0;
}
