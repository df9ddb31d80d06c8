#pragma once
// Helpers for tests of the text readers: the same text in each encoding the
// game accepts, and a working folder of its own with a "data/lang" inside.
#include <unistd.h>

#include <string>

#include "framework/core/utf8.h"
#include "framework/files/pak.h"
#include "framework/files/text_file.h"
#include "test_env.h"

namespace langtest {

// `text` (UTF-8) as the bytes of a file in `encoding`, with or without its byte-order mark.
inline std::string Encode(const std::string& text, int encoding, bool mark) {
  using R = kelp::TextFileReader;
  switch (encoding) {
    case R::UTF8: return (mark ? "\xEF\xBB\xBF" : "") + text;
    case R::UTF16LE:
    case R::UTF16BE: {
      const bool be = encoding == R::UTF16BE;
      std::string out = mark ? (be ? "\xFE\xFF" : "\xFF\xFE") : "";
      for (char16_t u : kelp::utf8::ToUtf16(text)) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += be ? hi : lo;
        out += be ? lo : hi;
      }
      return out;
    }
    default: return kelp::utf8::ToLatin1(text);
  }
}

// Makes a fresh temporary folder the working folder while alive, so that
// "data/lang/..." names resolve there.
class WorkDir {
 public:
  WorkDir() {
    char buf[4096];
    old_ = getcwd(buf, sizeof buf) ? buf : ".";
    if (chdir(dir_.path().c_str()) != 0) std::abort();
    kelp::ResetPakState();
  }
  ~WorkDir() {
    if (chdir(old_.c_str()) != 0) std::abort();
    kelp::ResetPakState();
  }
  void Write(const std::string& name, const std::string& bytes) { testenv::WriteFile(dir_ / name, bytes); }
  const std::string& path() const { return dir_.path(); }

 private:
  testenv::TempDir dir_;
  std::string old_;
};

}  // namespace langtest
