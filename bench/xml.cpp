// Reading data files: parsing a world document of the size the game's
// levels have, and looking names up in a main archive of many entries.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "framework/files/pak.h"
#include "framework/files/xml.h"
#include "platform/files.h"

using namespace kelp;

namespace {

std::string WorldDocument(int groups) {
  std::string s = "<?xml version=\"1.0\" ?>\r\n<world gravity=\"0.3\" iterations=\"4\" timestep=\"1\">\r\n";
  for (int g = 0; g < groups; ++g) {
    s += "  <group name=\"box" + std::to_string(g) + "\" class=\"2\">\r\n";
    for (int p = 0; p < 5; ++p)
      s += "    <particle x=\"" + std::to_string(g * 3.25 + p) + "\" y=\"-12.5\" mass=\"1\" static=\"0\"/>\r\n";
    s += "    <constraint p1=\"0\" p2=\"1\" stiffness=\"0.75\"/>\r\n  </group>\r\n";
  }
  return s + "</world>\r\n";
}

void BM_ParseWorld(benchmark::State& state) {
  const std::string doc = WorldDocument(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ParseXMLText(doc));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}
BENCHMARK(BM_ParseWorld)->Arg(10)->Arg(100);

void BM_PakLookup(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / "kelp-bench-pak";
  std::filesystem::create_directories(dir / "src");
  const int entries = static_cast<int>(state.range(0));
  for (int i = 0; i < entries; ++i) {
    const std::string src = (dir / "src" / std::to_string(i)).string();
    platform::SaveFileAtomic(src, std::string("<a/>"));
    TFile::AddFile(src, "data/img/file" + std::to_string(i) + ".xml");
  }
  TFile::Pack((dir / "data.pak").string());
  ResetPakState();
  PakPath = (dir / "data.pak").string();
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(OpenPakStream("data/img/file" + std::to_string(i) + ".xml"));
    i = (i + 7) % entries;
  }
  ResetPakState();
  PakPath = "data/data.pak";
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PakLookup)->Arg(1000);

}  // namespace
