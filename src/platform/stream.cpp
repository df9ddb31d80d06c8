#include "platform/stream.h"
#include "platform/stream_internal.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace platform {

uint8_t Stream::ReadByte() {
  uint8_t b = 0;
  Read(&b, 1);
  return b;
}

int16_t Stream::ReadShort() {
  uint8_t b[2] = {0, 0};
  Read(b, 2);
  return static_cast<int16_t>(b[0] | (b[1] << 8));
}

int32_t Stream::ReadInt() {
  uint8_t b[4] = {0, 0, 0, 0};
  Read(b, 4);
  return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                              (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

float Stream::ReadFloat() {
  const uint32_t u = static_cast<uint32_t>(ReadInt());
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}

double Stream::ReadDouble() {
  const uint64_t lo = static_cast<uint32_t>(ReadInt());
  const uint64_t hi = static_cast<uint32_t>(ReadInt());
  const uint64_t u = lo | (hi << 32);
  double d;
  std::memcpy(&d, &u, 8);
  return d;
}

uint16_t Stream::ReadShortBE() {
  uint8_t b[2] = {0, 0};
  Read(b, 2);
  return static_cast<uint16_t>((b[0] << 8) | b[1]);
}

uint32_t Stream::ReadIntBE() {
  uint8_t b[4] = {0, 0, 0, 0};
  Read(b, 4);
  return (static_cast<uint32_t>(b[0]) << 24) | (static_cast<uint32_t>(b[1]) << 16) |
         (static_cast<uint32_t>(b[2]) << 8) | b[3];
}

std::string Stream::ReadBytes(size_t n) {
  // Never allocate more than the stream can still give (counts come from files).
  const int64_t left = Remaining();
  if (left <= 0) return {};
  if (static_cast<uint64_t>(n) > static_cast<uint64_t>(left)) n = static_cast<size_t>(left);
  std::string s(n, '\0');
  s.resize(Read(s.data(), n));
  return s;
}

std::string Stream::ReadLine() {
  std::string line;
  char buf[256];
  while (true) {
    const int64_t start = Pos();
    const size_t got = Read(buf, sizeof buf);
    if (got == 0) return line;
    for (size_t i = 0; i < got; ++i) {
      const char c = buf[i];
      if (c == '\n' || c == '\0') {
        Seek(start + static_cast<int64_t>(i) + 1);
        if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
        return line;
      }
      line += c;
    }
  }
}

std::vector<uint8_t> Stream::ReadAll() {
  std::vector<uint8_t> out;
  constexpr size_t kChunk = 1 << 20;
  for (;;) {
    const int64_t left = Remaining();
    if (left <= 0) break;
    const size_t want = static_cast<size_t>(std::min<int64_t>(left, kChunk));
    const size_t at = out.size();
    out.resize(at + want);
    const size_t got = Read(out.data() + at, want);
    out.resize(at + got);
    if (got < want) break;
  }
  return out;
}

bool Stream::WriteBytes(std::string_view s) {
  const bool ok = Write(s.data(), s.size()) == s.size();
  if (!ok) failed_ = true;
  return ok;
}

bool Stream::WriteByte(uint8_t v) { return WriteBytes(std::string_view(reinterpret_cast<char*>(&v), 1)); }

bool Stream::WriteShort(int16_t v) {
  const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
  return WriteBytes(std::string_view(b, 2));
}

bool Stream::WriteInt(int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  const char b[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                     static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
  return WriteBytes(std::string_view(b, 4));
}

bool Stream::WriteFloat(float v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  return WriteInt(static_cast<int32_t>(u));
}

bool Stream::WriteDouble(double v) {
  uint64_t u;
  std::memcpy(&u, &v, 8);
  return WriteInt(static_cast<int32_t>(u & 0xFFFFFFFFu)) && WriteInt(static_cast<int32_t>(u >> 32));
}

bool Stream::WriteLine(std::string_view s) { return WriteBytes(s) && WriteBytes("\r\n"); }

// ---- memory ----

size_t MemoryStream::Read(void* buf, size_t n) {
  if (pos_ >= data_.size()) return 0;
  n = std::min(n, data_.size() - pos_);
  std::memcpy(buf, data_.data() + pos_, n);
  pos_ += n;
  return n;
}

size_t MemoryStream::Write(const void* buf, size_t n) {
  if (pos_ + n > data_.size()) data_.resize(pos_ + n);
  if (n) std::memcpy(data_.data() + pos_, buf, n);
  pos_ += n;
  return n;
}

bool MemoryStream::Seek(int64_t pos) {
  if (pos < 0 || pos > Size()) return false;
  pos_ = static_cast<size_t>(pos);
  return true;
}

std::shared_ptr<MemoryStream> OpenMemory(std::vector<uint8_t> bytes) {
  return std::make_shared<MemoryStream>(std::move(bytes));
}

std::shared_ptr<MemoryStream> OpenMemory(std::string_view bytes) {
  return std::make_shared<MemoryStream>(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

// ---- window ----

SubStream::SubStream(StreamRef base, int64_t offset, int64_t size)
    : base_(std::move(base)), offset_(offset < 0 ? 0 : offset), size_(size < 0 ? 0 : size) {
  if (!base_) size_ = 0;
}

size_t SubStream::Read(void* buf, size_t n) {
  if (pos_ >= size_) return 0;
  if (static_cast<int64_t>(n) > size_ - pos_) n = static_cast<size_t>(size_ - pos_);
  if (!base_->Seek(offset_ + pos_)) return 0;
  const size_t got = base_->Read(buf, n);
  pos_ += static_cast<int64_t>(got);
  return got;
}

bool SubStream::Seek(int64_t pos) {
  if (pos < 0 || pos > size_) return false;
  pos_ = pos;
  return true;
}

// ---- files ----

namespace {

class FileStream : public Stream {
 public:
  explicit FileStream(std::FILE* f) : f_(f) {
    std::fseek(f_, 0, SEEK_END);
    size_ = std::ftell(f_);
    std::fseek(f_, 0, SEEK_SET);
  }
  ~FileStream() override { std::fclose(f_); }
  size_t Read(void* buf, size_t n) override {
    const size_t got = std::fread(buf, 1, n, f_);
    pos_ += static_cast<int64_t>(got);
    return got;
  }
  size_t Write(const void* buf, size_t n) override {
    const size_t put = std::fwrite(buf, 1, n, f_);
    pos_ += static_cast<int64_t>(put);
    if (pos_ > size_) size_ = pos_;
    return put;
  }
  bool Seek(int64_t pos) override {
    if (pos < 0 || pos > size_) return false;
    if (pos == pos_) return true;
    if (std::fseek(f_, static_cast<long>(pos), SEEK_SET) != 0) return false;
    pos_ = pos;
    return true;
  }
  int64_t Pos() const override { return pos_; }
  int64_t Size() const override { return size_; }
  bool Flush() override { return std::fflush(f_) == 0; }

 private:
  std::FILE* f_;
  int64_t size_ = 0, pos_ = 0;
};

}  // namespace

StreamRef OpenFileRead(const std::string& path) {
  const std::string real = ResolvePath(path);
  if (real.empty() || !IsFile(real)) return nullptr;
  std::FILE* f = std::fopen(real.c_str(), "rb");
  return f ? std::make_shared<FileStream>(f) : nullptr;
}

StreamRef AdoptFile(std::FILE* f) { return f ? std::make_shared<FileStream>(f) : nullptr; }

StreamRef OpenFileWrite(const std::string& path) {
  std::FILE* f = std::fopen(NativePath(path).c_str(), "wb");
  return f ? std::make_shared<FileStream>(f) : nullptr;
}

}  // namespace platform
