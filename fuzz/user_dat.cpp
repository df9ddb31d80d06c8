// "user.dat": any bytes are either one usable player's name, which writes
// back byte for byte, or refused with the name untouched.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frontend/profile_file.h"
#include "frontend/save_folder.h"
#include "fuzz_check.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string name = "unchanged";
  if (!kelp::ReadUserDat(bytes, name)) {
    Check(name == "unchanged");
    return 0;
  }
  Check(kelp::IsFileSafeName(name));
  Check(kelp::UserDatBytes(name) == bytes);
  return 0;
}
