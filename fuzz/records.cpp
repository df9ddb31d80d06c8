// "records.dat": any bytes are either whole records, which write and read
// back the same, or refused without adding a record.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/level_record.h"
#include "fuzz_check.h"
#include "platform/stream.h"

namespace {

using fuzz::Check;

std::vector<std::string> Dump() {
  std::vector<std::string> out;
  for (const auto& r : kelp::LevelRecords) {
    std::string s = std::to_string(r->id) + "/" + std::to_string(r->GameType);
    for (int i = 0; i < 3; ++i) s += "/" + r->name[i] + "=" + std::to_string(r->scores[i]);
    out.push_back(s);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kelp::LevelRecords.Clear();
  platform::MemoryStream in;
  in.WriteBytes(std::string(reinterpret_cast<const char*>(data), size));
  in.Seek(0);
  if (!kelp::TLevelRecord::Load(in)) {
    Check(kelp::LevelRecords.IsEmpty());
    return 0;
  }
  Check(kelp::LevelRecords.Count() <= 512);  // one per level byte and mode byte
  const std::vector<std::string> before = Dump();
  platform::MemoryStream out;
  Check(kelp::TLevelRecord::Write(out));
  out.Seek(0);
  kelp::LevelRecords.Clear();
  Check(kelp::TLevelRecord::Load(out));
  Check(Dump() == before);
  kelp::LevelRecords.Clear();
  return 0;
}
