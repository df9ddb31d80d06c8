#include "soak_damage.h"

#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace soak {

DamagedGame DamagedCopy(const fs::path& self, const fs::path& into, std::mt19937& rng) {
  const fs::path from = self.parent_path();
  fs::remove_all(into);
  fs::create_directories(into);
  for (const char* name : {"res.xml", "data", "screenbranding", "Kelp.png", "Kelp.ico"}) {
    if (fs::exists(from / name)) fs::copy(from / name, into / name, fs::copy_options::recursive);
  }
  fs::copy_file(self, into / "soak");

  std::vector<fs::path> files;
  for (const auto& e : fs::recursive_directory_iterator(into)) {
    if (e.is_regular_file() && e.path().filename() != "soak") files.push_back(e.path());
  }
  DamagedGame out{into / "soak", "nothing"};
  if (files.empty()) return out;
  // A quarter of the time one of the files every start reads.
  fs::path victim = files[std::uniform_int_distribution<size_t>(0, files.size() - 1)(rng)];
  if (std::uniform_int_distribution<int>(0, 3)(rng) == 0) {
    static const char* kVital[] = {"res.xml", "data/lang/String.dat", "data/lang/Dialogs.dat", "screenbranding/config.xml"};
    const fs::path vital = into / kVital[std::uniform_int_distribution<size_t>(0, std::size(kVital) - 1)(rng)];
    if (fs::exists(vital)) victim = vital;
  }
  const auto size = fs::file_size(victim);
  const std::string rel = fs::relative(victim, into).string();
  switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
    case 0: {
      const auto keep = size ? std::uniform_int_distribution<uintmax_t>(0, size - 1)(rng) : 0;
      fs::resize_file(victim, keep);
      out.what = rel + " cut to " + std::to_string(keep) + " of " + std::to_string(size) + " bytes";
      break;
    }
    case 1: {
      std::fstream f(victim, std::ios::in | std::ios::out | std::ios::binary);
      const int flips = size ? std::uniform_int_distribution<int>(1, 64)(rng) : 0;
      for (int i = 0; i < flips; ++i) {
        f.seekp(static_cast<std::streamoff>(std::uniform_int_distribution<uintmax_t>(0, size - 1)(rng)));
        f.put(static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng)));
      }
      out.what = rel + " with " + std::to_string(flips) + " bytes scrambled";
      break;
    }
    default:
      fs::remove(victim);
      out.what = rel + " removed";
  }
  return out;
}

}  // namespace soak
