#pragma once
// Byte streams: files, memory and windows into other streams, with the
// little-endian primitives every file format of the game is made of.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Stream {
 public:
  virtual ~Stream() = default;

  // Raw access. Read and Write return the bytes moved; short counts at the end.
  virtual size_t Read(void* buf, size_t n) = 0;
  virtual size_t Write(const void* buf, size_t n) = 0;
  virtual bool Seek(int64_t pos) = 0;  // false when pos is outside [0, Size()]
  virtual int64_t Pos() const = 0;
  virtual int64_t Size() const = 0;
  virtual bool Flush() { return true; }
  bool Eof() const { return Pos() >= Size(); }
  int64_t Remaining() const { return Size() - Pos(); }

  // Little-endian primitives. Reading past the end gives 0 for the missing bytes.
  uint8_t ReadByte();
  int16_t ReadShort();
  int32_t ReadInt();
  float ReadFloat();
  double ReadDouble();
  uint16_t ReadShortBE();  // the tracker's big-endian formats
  uint32_t ReadIntBE();
  // n bytes as 8-bit characters (fewer at the end).
  std::string ReadBytes(size_t n);
  // A line ending at LF, CR LF, a zero byte or the end; the ending is not kept.
  std::string ReadLine();
  // Everything from the position to the end.
  std::vector<uint8_t> ReadAll();

  bool WriteByte(uint8_t v);
  bool WriteShort(int16_t v);
  bool WriteInt(int32_t v);
  bool WriteFloat(float v);
  bool WriteDouble(double v);
  bool WriteBytes(std::string_view s);
  bool WriteLine(std::string_view s);  // s and CR LF

  bool Ok() const { return !failed_; }  // false once a write came up short

 protected:
  bool failed_ = false;
};

using StreamRef = std::shared_ptr<Stream>;

// A stream over bytes held in memory; writes grow it.
class MemoryStream : public Stream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}
  size_t Read(void* buf, size_t n) override;
  size_t Write(const void* buf, size_t n) override;
  bool Seek(int64_t pos) override;
  int64_t Pos() const override { return pos_; }
  int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
  const std::vector<uint8_t>& Data() const { return data_; }

 private:
  std::vector<uint8_t> data_;
  size_t pos_ = 0;
};

// A read-only window [offset, offset + size) of another stream: it starts at 0
// and ends at the window's end, whatever follows in the underlying stream.
class SubStream : public Stream {
 public:
  SubStream(StreamRef base, int64_t offset, int64_t size);
  size_t Read(void* buf, size_t n) override;
  size_t Write(const void*, size_t) override { return 0; }
  bool Seek(int64_t pos) override;
  int64_t Pos() const override { return pos_; }
  int64_t Size() const override { return size_; }

 private:
  StreamRef base_;
  int64_t offset_, size_, pos_ = 0;
};

std::shared_ptr<MemoryStream> OpenMemory(std::vector<uint8_t> bytes);
std::shared_ptr<MemoryStream> OpenMemory(std::string_view bytes);

// Files on disk, by a path that data files may write with '\' and in another
// letter case (see files.h). Null when the file cannot be opened.
StreamRef OpenFileRead(const std::string& path);
// Creates or truncates; null on failure.
StreamRef OpenFileWrite(const std::string& path);

}  // namespace platform
