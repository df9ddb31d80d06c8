// gen_art: draws every picture of the game and writes the art manifest.
//
//   gen_art --out <program folder> --manifest <file.tsv> --villages <villages/> [--stamp <file>] [--only <id>] [--partial]
//
// --only draws one picture; --partial skips the check that every id the game
// names has a drawing (for working on one area). --villages is the folder of
// the villages' text graphs (for the walkability maps). Besides the pictures
// it writes each village's "upgrades.xml" from the same building tables.
// Manifest, one line per picture, tab separated:
//   id  kind(image|animimage|file)  file  frames  cell_w  cell_h  handle(mid|x,y)  flags  extra
// file is relative to the program folder; flags is the "mipmapped" value for
// the resource list; extra is "scope=<Scope>" for resource pictures, with
// ";animspeed=<ms>" when a strip has its own speed, and "-" for files.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

// jpeglib needs size_t and FILE declared first
#include <fontconfig/fontconfig.h>
#include <jpeglib.h>

#include "art.h"
#include "village_layout.h"

namespace fs = std::filesystem;
using namespace kelp::art;

namespace {

int Fail(const std::string& msg) {
  std::fprintf(stderr, "gen_art: %s\n", msg.c_str());
  return 1;
}

// Cells are laid out left to right, wrapping so files stay a sane width.
void Layout(const Art& a, int& cols, int& rows) {
  cols = std::max(1, std::min(a.frames, 4096 / std::max(1, a.w)));
  rows = (a.frames + cols - 1) / cols;
}

bool WriteJpeg(cairo_surface_t* s, const std::string& path) {
  const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
  const int stride = cairo_image_surface_get_stride(s);
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::string row(static_cast<size_t>(w) * 3, '\0');
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint32_t* px = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(cinfo.next_scanline) * stride);
    for (int x = 0; x < w; ++x) {
      // premultiplied ARGB over black is the colour itself
      row[x * 3 + 0] = static_cast<char>((px[x] >> 16) & 255);
      row[x * 3 + 1] = static_cast<char>((px[x] >> 8) & 255);
      row[x * 3 + 2] = static_cast<char>(px[x] & 255);
    }
    JSAMPROW rp = reinterpret_cast<JSAMPROW>(row.data());
    jpeg_write_scanlines(&cinfo, &rp, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(f) == 0;
}

std::string KindName(Kind k) {
  switch (k) {
    case Kind::Image: return "image";
    case Kind::Anim: return "animimage";
    default: return "file";
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, manifest, stamp, only;
  bool partial = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto next = [&](std::string& v) {
      if (i + 1 < argc) v = argv[++i];
    };
    if (a == "--out") next(out);
    else if (a == "--manifest") next(manifest);
    else if (a == "--stamp") next(stamp);
    else if (a == "--only") next(only);
    else if (a == "--partial") partial = true;
    else if (a == "--villages") next(VillageSourceDir);
    else return Fail("unknown argument " + a);
  }
  if (out.empty() || manifest.empty())
    return Fail("usage: gen_art --out <program folder> --manifest <file> [--stamp <file>] [--only <id>]");
  const auto started = std::chrono::steady_clock::now();

  Registry reg;
  AddBoxes(reg);
  AddPlayfield(reg);
  AddInterface(reg);
  AddGui(reg);
  AddMenus(reg);
  AddVillage(reg);
  AddVillagers(reg);
  AddBuildings(reg);
  AddVillageMaps(reg);
  AddTrophies(reg);
  AddDialogs(reg);
  AddEffects(reg);
  AddComics(reg);
  AddFiles(reg);
  auto& arts = reg.All();

  // Checks: unique ids and files, sane sizes, and a drawing for every id the game names.
  std::map<std::string, Art*> by_id;
  std::set<std::string> files;
  for (Art& a : arts) {
    if (a.id.empty() || a.path.empty()) return Fail("a picture without id or file");
    if (!by_id.emplace(a.id, &a).second) return Fail("id drawn twice: " + a.id);
    if (!files.insert(a.path).second) return Fail("file written twice: " + a.path);
    if (a.w <= 0 || a.h <= 0 || a.frames <= 0) return Fail("bad size for " + a.id);
    if (!a.draw) return Fail("no drawing for " + a.id);
    for (char c : a.path)
      if (c >= 'A' && c <= 'Z') return Fail("file name not in lower case: " + a.path);
  }
  for (const RequiredId& req : RequiredIds()) {
    auto it = by_id.find(req.id);
    if (it == by_id.end()) {
      if (partial) continue;
      return Fail(std::string("no drawing for ") + req.id);
    }
    if (it->second->kind == Kind::File) return Fail(std::string(req.id) + " must be a resource picture");
    it->second->scope = req.scope;
  }
  for (Art& a : arts)
    if (a.kind != Kind::File && a.scope.empty()) a.scope = "Init";

  std::ostringstream mf;
  int written = 0;
  for (Art& a : arts) {
    int cols, rows;
    Layout(a, cols, rows);
    if (only.empty() || only == a.id) {
      cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cols * a.w, rows * a.h);
      cairo_t* cr = cairo_create(s);
      if (a.jpeg) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
      }
      for (int f = 0; f < a.frames; ++f) {
        cairo_save(cr);
        cairo_translate(cr, (f % cols) * a.w, (f / cols) * a.h);
        cairo_rectangle(cr, 0, 0, a.w, a.h);
        cairo_clip(cr);
        cairo_new_path(cr);
        a.draw(cr, f);
        cairo_restore(cr);
      }
      cairo_status_t st = cairo_status(cr);
      if (st == CAIRO_STATUS_SUCCESS) st = cairo_surface_status(s);
      if (st != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        return Fail("cairo failed on " + a.id + ": " + cairo_status_to_string(st));
      }
      const fs::path target = fs::path(out) / a.path;
      std::error_code ec;
      fs::create_directories(target.parent_path(), ec);
      bool ok;
      if (a.jpeg) {
        ok = WriteJpeg(s, target.string());
      } else {
        ok = cairo_surface_write_to_png(s, target.string().c_str()) == CAIRO_STATUS_SUCCESS;
      }
      cairo_destroy(cr);
      cairo_surface_destroy(s);
      if (!ok) return Fail("cannot write " + target.string());
      ++written;
    }
    mf << a.id << '\t' << KindName(a.kind) << '\t' << a.path << '\t' << a.frames << '\t' << a.w << '\t' << a.h
       << '\t';
    if (a.mid)
      mf << "mid";
    else
      mf << a.hx << ',' << a.hy;
    mf << "\t0\t";
    if (a.kind == Kind::File) {
      mf << '-';
    } else {
      mf << "scope=" << a.scope;
      if (a.speed >= 0) mf << ";animspeed=" << a.speed;
    }
    mf << '\n';
  }

  if (only.empty()) {
    std::error_code ec;
    fs::create_directories(fs::path(manifest).parent_path(), ec);
    std::ofstream m(manifest, std::ios::binary);
    m << mf.str();
    if (!m) return Fail("cannot write " + manifest);
  }
  if (only.empty() && !WriteUpgradeFiles(out)) return Fail("cannot write the villages' upgrade trees");
  if (!stamp.empty()) {
    std::ofstream st(stamp, std::ios::binary);
    st << written << " pictures\n";
  }
  // drop cairo's and fontconfig's caches so leak checkers see a clean exit
  cairo_debug_reset_static_data();
  FcFini();
  const double secs =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("gen_art: %d pictures (%zu in the manifest) in %.1f s\n", written, arts.size(), secs);
  return 0;
}
