#include "framework/files/text_file.h"

#include "framework/core/debug_output.h"
#include "framework/core/utf8.h"
#include "framework/files/pak.h"
#include "platform/files.h"

namespace kelp {
namespace {

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
  }
  std::string out = utf8::FromUtf16(units);
  if (bytes.size() % 2 != 0) utf8::Append(out, 0xFFFD);  // a cut-off last character
  return out;
}

// Keeps valid sequences and reads every stray byte as the character of its code.
std::string Repair(std::string_view bytes) {
  if (utf8::IsValid(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (size_t pos = 0; pos < bytes.size();) utf8::Append(out, utf8::Next(bytes, pos));
  return out;
}

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

}  // namespace

TextStream::TextStream(std::string_view bytes, int encoding) : encoding_(encoding) {
  switch (encoding) {
    case TextFileReader::UTF16BE:
      if (StartsWith(bytes, "\xFE\xFF")) bytes.remove_prefix(2);
      text_ = DecodeUtf16(bytes, true);
      break;
    case TextFileReader::UTF16LE:
      if (StartsWith(bytes, "\xFF\xFE")) bytes.remove_prefix(2);
      text_ = DecodeUtf16(bytes, false);
      break;
    case TextFileReader::UTF8:
      if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
      text_ = Repair(bytes);
      break;
    default:
      text_ = utf8::IsValid(bytes) ? std::string(bytes) : utf8::FromLatin1(bytes);
      break;
  }
}

std::string TextStream::ReadLine() {
  const size_t start = pos_;
  size_t end = text_.find_first_of(std::string_view("\n\r\0", 3), pos_);
  if (end == std::string::npos) {
    pos_ = text_.size();
    return text_.substr(start);
  }
  pos_ = end + 1;
  if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  return text_.substr(start, end - start);
}

// The largest language table is a few hundred kilobytes.
constexpr size_t kMaxTextFile = 16u << 20;

int TextFileReader::DetectEncoding(std::string_view head) {
  if (StartsWith(head, "\xFE\xFF")) return UTF16BE;
  if (StartsWith(head, "\xFF\xFE")) return UTF16LE;
  if (StartsWith(head, "\xEF\xBB\xBF")) return UTF8;
  return LATIN1;
}

int TextFileReader::EncodingDetector(const std::string& path) {
  const platform::StreamRef stream = OpenPakStream(path);
  return stream ? DetectEncoding(stream->ReadBytes(3)) : LATIN1;
}

Ref<TextStream> TextFileReader::CreateStream(platform::Stream& stream, int detect, int encoding) {
  std::vector<uint8_t> raw;
  if (!platform::ReadStreamBytes(stream, raw, kMaxTextFile)) return nullptr;
  const std::string_view bytes(reinterpret_cast<const char*>(raw.data()), raw.size());
  return New<TextStream>(bytes, detect ? DetectEncoding(bytes) : encoding);
}

Ref<TextStream> TextFileReader::CreateStream(const std::string& path, int detect, int encoding) {
  const platform::StreamRef stream = OpenPakStream(path);
  if (!stream) return nullptr;
  if (stream->Remaining() > static_cast<int64_t>(kMaxTextFile)) {
    DebugOutput("[TextFile ERROR : CreateStream] " + path + " is larger than a text file can be");
    return nullptr;
  }
  return CreateStream(*stream, detect, encoding);
}

}  // namespace kelp
