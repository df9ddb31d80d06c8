// Packs a folder into a pak archive and lists an archive's directory.
//
//   pak_tool build <folder> <out.pak> [--prefix <name prefix>]
//       Every file under <folder>, named by its path below the folder (with
//       '/' separators, lower-cased) after the prefix, in sorted order.
//   pak_tool list <pak>
//       One line per entry: offset, size, name.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "framework/core/debug_output.h"
#include "framework/core/numbers.h"
#include "framework/files/pak.h"

namespace fs = std::filesystem;
using namespace kelp;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: pak_tool build <folder> <out.pak> [--prefix <name prefix>]\n"
               "       pak_tool list <pak>\n");
  return 2;
}

int Build(const std::string& folder, const std::string& out, const std::string& prefix) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    std::fprintf(stderr, "pak_tool: %s is not a folder\n", folder.c_str());
    return 1;
  }
  const fs::path outAbs = fs::weakly_canonical(fs::absolute(out), ec);
  std::vector<std::pair<std::string, std::string>> files;  // name, source path
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    if (fs::weakly_canonical(it->path(), ec) == outAbs) continue;  // an older copy of the output
    const std::string rel = fs::relative(it->path(), folder, ec).generic_string();
    files.emplace_back(prefix + rel, it->path().string());
  }
  if (ec) {
    std::fprintf(stderr, "pak_tool: cannot read %s: %s\n", folder.c_str(), ec.message().c_str());
    return 1;
  }
  std::sort(files.begin(), files.end());
  std::set<std::string> keys;
  for (const auto& [name, src] : files) {
    if (!keys.insert(PakKey(name)).second) {
      std::fprintf(stderr, "pak_tool: two files share the name %s once lower-cased\n", Lower(name).c_str());
      return 1;
    }
    if (!TFile::AddFile(src, name)) {
      std::fprintf(stderr, "pak_tool: cannot add %s as %s\n", src.c_str(), name.c_str());
      return 1;
    }
  }
  if (!TFile::Pack(out)) return 1;
  std::printf("%s: %zu files\n", out.c_str(), files.size());
  return 0;
}

int List(const std::string& pak) {
  if (!fs::is_regular_file(pak)) {
    std::fprintf(stderr, "pak_tool: %s not found\n", pak.c_str());
    return 1;
  }
  PakPath = pak;
  ReadPakDirectory();
  std::printf("%zu entries\n", PakDirectory.Count());
  for (const auto& f : PakDirectory)
    std::printf("%10d %10d  %s\n", f->Offset, f->Size, PakKey(f->FileName).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool damaged = false;
  SetDebugOutputHook([&damaged](const std::string& m) {
    std::fprintf(stderr, "%s\n", m.c_str());
    damaged = true;
  });
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "list") {
    const int rc = List(args[1]);
    return rc != 0 ? rc : (damaged ? 1 : 0);
  }
  if (args.size() == 3 && args[0] == "build") return Build(args[1], args[2], "");
  if (args.size() == 5 && args[0] == "build" && args[3] == "--prefix") return Build(args[1], args[2], args[4]);
  return Usage();
}
