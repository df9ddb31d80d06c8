// gen_effects: writes the particle effect descriptions and the particle
// pictures they name, plus a manifest for the resource-list assembler
// (pictures first: an effect resolves its pictures when it loads).
//
//   gen_effects <program folder> <manifest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "effects.h"

namespace fs = std::filesystem;
using namespace kelp::fx;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gen_effects <program folder> <manifest>\n");
    return 2;
  }
  const fs::path root = argv[1], manifest = argv[2];
  std::error_code ec;
  fs::create_directories(root / "data" / "img" / "fx", ec);
  fs::create_directories(root / "data" / "fx", ec);
  fs::create_directories(manifest.parent_path(), ec);

  std::ofstream list(manifest.string() + ".part");
  for (const ParticleImage& img : ParticleImages()) {
    const std::string rel = std::string("data/img/fx/") + img.file + ".png";
    if (!WriteParticleImage(img, (root / rel).string())) {
      std::fprintf(stderr, "gen_effects: cannot write %s\n", rel.c_str());
      return 1;
    }
    list << img.id << "\timage\t" << rel << "\tmid\n";
  }
  std::set<std::string> seen;
  for (const Fx& fx : AllEffects()) {
    if (!seen.insert(fx.id).second) {
      std::fprintf(stderr, "gen_effects: %s is described twice\n", fx.id.c_str());
      return 1;
    }
    const std::string rel = "data/fx/" + EffectFileName(fx.id) + ".xml";
    std::ofstream out(root / rel);
    out << EffectXml(fx);
    if (!out) {
      std::fprintf(stderr, "gen_effects: cannot write %s\n", rel.c_str());
      return 1;
    }
    list << fx.id << "\teffect\t" << rel << "\t-\n";
  }
  list.close();
  if (!list) return 1;
  fs::rename(manifest.string() + ".part", manifest, ec);
  return ec ? 1 : 0;
}
