// A whole profile file: any bytes are either a save that writes back byte for
// byte and reads back the same, or refused without touching the record.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frontend/profile.h"
#include "frontend/profile_file.h"
#include "fuzz_check.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  kelp::ProfileFileContent content;
  kelp::TGameData record;
  record.Level = -7;  // a mark: a refused file leaves the record as it was
  std::string why;
  const kelp::ProfileRead read = kelp::ReadProfileFile(bytes, "ver. 1.35", content, record, why);
  if (read != kelp::ProfileRead::Ok || !content.hasData) {
    Check(record.Level == -7);
    Check(read == kelp::ProfileRead::Ok || !why.empty());
    return 0;
  }
  Check(kelp::CheckVillageBlock(record.VillageBlock));
  const std::string again = kelp::ProfileFileBytes(content.version, content.name, &record);
  Check(again == bytes);
  return 0;
}
