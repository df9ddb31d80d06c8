#pragma once
// Text data files (language tables, phrase lists, story dialogs) in any of
// the encodings the game accepts, read line by line as UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/object.h"
#include "platform/stream.h"

namespace kelp {

// A decoded text read line by line. Lines end at LF, CR LF, a lone CR or a
// zero character; the ending is not kept. A final line ending adds no line.
class TextStream : public Object {
 public:
  // Decodes `bytes` in `encoding` (a TextFileReader code). A byte-order mark
  // of that encoding at the start is dropped, never read as a character.
  TextStream(std::string_view bytes, int encoding);

  std::string ReadLine();
  bool Eof() const { return pos_ >= text_.size(); }
  int Encoding() const { return encoding_; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;  // UTF-8
  size_t pos_ = 0;
  int encoding_;
};

struct TextFileReader {
  // Encoding codes. LATIN1 is text without a byte-order mark: taken as UTF-8
  // when it is valid UTF-8, else one byte per character.
  static constexpr int LATIN1 = 1;
  static constexpr int UTF8 = 2;
  static constexpr int UTF16BE = 3;
  static constexpr int UTF16LE = 4;

  // The encoding by byte-order mark: FE FF 3, FF FE 4, EF BB BF 2, else 1
  // (also for a missing or shorter file).
  static int EncodingDetector(const std::string& path);
  static int DetectEncoding(std::string_view head);

  // The named data file (disk or archive, see pak.h) as text, in the detected
  // encoding when `detect` is set, else in `encoding`. Null when it cannot be opened.
  static Ref<TextStream> CreateStream(const std::string& path, int detect = 1, int encoding = LATIN1);
  // The rest of an open stream as text.
  static Ref<TextStream> CreateStream(platform::Stream& stream, int detect = 1, int encoding = LATIN1);
};

}  // namespace kelp
