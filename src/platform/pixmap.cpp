#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <jerror.h>

#include "platform/files.h"
#include "platform/image.h"
#include "platform/picture_internal.h"

namespace platform {

namespace {

// A hostile header must not make us allocate gigabytes.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t(1) << 26;

bool SizeOk(int64_t w, int64_t h) {
  return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

// Our own art is a few megabytes at most.
constexpr size_t kMaxImageFile = size_t(64) << 20;

// Deflate expands at most 1032-fold, and a PNG row holds its pixels at the
// header's bit depth and a filter byte: a small file cannot hold a large picture.
bool PngFileHolds(int64_t w, int64_t h, const std::vector<uint8_t>& bytes) {
  // begin_read accepted the file, so the header chunk comes first.
  const int depth = bytes[24], colour = bytes[25];
  const int channels = colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1;
  const int64_t least_raw = h * ((w * depth * channels + 7) / 8 + 1);
  return least_raw <= int64_t(bytes.size()) * 1032 + 1032;
}

// Every 8x8 block of a JPEG costs at least one bit of coded data (its DC
// difference), in baseline and progressive files alike.
bool JpegFileHolds(int64_t w, int64_t h, size_t file_bytes) {
  const int64_t blocks = ((w + 7) / 8) * ((h + 7) / 8);
  return (blocks + 7) / 8 <= int64_t(file_bytes);
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// libpng allocates a chunk's claimed length before it reads the chunk: a
// few damaged bytes could ask for gigabytes. No chunk is longer than the
// rest of the file.
bool PngChunksFit(const std::vector<uint8_t>& bytes) {
  for (size_t at = 8; bytes.size() - at >= 12;) {
    const uint32_t length = BigEndian32(&bytes[at]);
    if (length > bytes.size() - at - 12) return false;
    if (std::memcmp(&bytes[at + 4], "IEND", 4) == 0) break;
    at += 12 + size_t(length);
  }
  return true;
}

void Fail(const std::string& what, const std::string& why) {
  std::fprintf(stderr, "LoadPixmap: %s: %s\n", what.c_str(), why.c_str());
}

PixmapRef DecodePNG(const std::vector<uint8_t>& bytes, const std::string& what) {
  if (!PngChunksFit(bytes)) {
    Fail(what, "a chunk claims more than the file holds");
    return nullptr;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    Fail(what, image.message);
    return nullptr;
  }
  if (!SizeOk(image.width, image.height)) {
    png_image_free(&image);
    Fail(what, "picture too large");
    return nullptr;
  }
  if (bytes.size() < 26 || !PngFileHolds(image.width, image.height, bytes)) {
    png_image_free(&image);
    Fail(what, "a " + std::to_string(bytes.size()) + "-byte file cannot hold a " + std::to_string(image.width) + "x" +
                   std::to_string(image.height) + " picture");
    return nullptr;
  }
  // BGRA bytes are 0xAARRGGBB words on a little-endian machine.
  image.format = PNG_FORMAT_BGRA;
  auto pixmap = std::make_shared<Pixmap>(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, pixmap->Pixels(), 0, nullptr)) {
    Fail(what, image.message);
    png_image_free(&image);
    return nullptr;
  }
  return pixmap;
}

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool damaged = false;
};

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  err->mgr.format_message(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void JpegEmitMessage(j_common_ptr cinfo, int level) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  if (level >= 0) return;  // trace messages
  // libjpeg only warns about a cut-off or damaged data stream and fills the
  // rest with grey; such a picture counts as corrupt.
  switch (err->mgr.msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
      // Stop at the first damage rather than decode the rest of a file already refused.
      err->mgr.format_message(cinfo, err->message);
      err->damaged = true;
      std::longjmp(err->jump, 1);
    default:
      break;
  }
}

void JpegOutputMessage(j_common_ptr) {}

struct JpegJob {
  std::vector<uint32_t> pixels;  // grows with the rows decoded, never by the claimed size
  std::vector<uint8_t> row;
};

// Only plain data lives in this frame, so the error handler's longjmp back
// into it skips no destructor.
bool RunJpeg(const std::vector<uint8_t>& bytes, jpeg_decompress_struct& cinfo, JpegError& err, JpegJob& job) {
  if (setjmp(err.jump)) return false;
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  // Checked before jpeg_start_decompress, which allocates by the claimed size
  // (a progressive file's whole coefficient array).
  if (!SizeOk(cinfo.image_width, cinfo.image_height)) {
    std::snprintf(err.message, sizeof err.message, "picture too large");
    return false;
  }
  if (!JpegFileHolds(cinfo.image_width, cinfo.image_height, bytes.size())) {
    std::snprintf(err.message, sizeof err.message, "a %zu-byte file cannot hold a %ux%u picture", bytes.size(),
                  cinfo.image_width, cinfo.image_height);
    return false;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  if (!SizeOk(cinfo.output_width, cinfo.output_height)) {
    std::snprintf(err.message, sizeof err.message, "picture too large");
    return false;
  }
  job.row.resize(size_t(cinfo.output_width) * 4);
  const uint8_t* row = job.row.data();
  while (cinfo.output_scanline < cinfo.output_height) {
    const size_t at = size_t(cinfo.output_scanline) * cinfo.output_width;
    job.pixels.resize(at + cinfo.output_width);
    uint32_t* dst = job.pixels.data() + at;
    JSAMPROW rows[1] = {job.row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    if (!cmyk) {
      std::memcpy(dst, row, size_t(cinfo.output_width) * 4);
    } else {
      // Adobe writes CMYK inverted.
      for (size_t x = 0; x < cinfo.output_width; ++x) {
        const uint32_t c = row[x * 4], m = row[x * 4 + 1], yy = row[x * 4 + 2], k = row[x * 4 + 3];
        dst[x] = 0xFF000000u | ((c * k / 255) << 16) | ((m * k / 255) << 8) | (yy * k / 255);
      }
    }
  }
  jpeg_finish_decompress(&cinfo);
  return !err.damaged;
}

PixmapRef DecodeJPEG(const std::vector<uint8_t>& bytes, const std::string& what) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegErrorExit;
  err.mgr.emit_message = JpegEmitMessage;
  err.mgr.output_message = JpegOutputMessage;
  err.message[0] = 0;
  JpegJob job;
  const bool ok = RunJpeg(bytes, cinfo, err, job);
  const int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
  jpeg_destroy_decompress(&cinfo);
  if (!ok) {
    Fail(what, err.message[0] ? err.message : "corrupt JPEG");
    return nullptr;
  }
  // Only now, with every row decoded, is a pixmap of the full size made.
  auto pixmap = std::make_shared<Pixmap>(w, h);
  if (pixmap->Width() != w || pixmap->Height() != h || job.pixels.size() != size_t(w) * size_t(h)) return nullptr;
  std::memcpy(pixmap->Pixels(), job.pixels.data(), job.pixels.size() * 4);
  return pixmap;
}

PixmapRef Decode(const std::vector<uint8_t>& bytes, const std::string& what) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), kPng, 8) == 0) return DecodePNG(bytes, what);
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return DecodeJPEG(bytes, what);
  Fail(what, bytes.empty() ? "empty file" : "neither PNG nor JPEG");
  return nullptr;
}

}  // namespace

PixmapRef internal::DecodePicture(const std::vector<uint8_t>& bytes, const std::string& what) {
  return Decode(bytes, what);
}

bool internal::PngSoundForLater(const std::vector<uint8_t>& bytes, int& width, int& height) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  // The header chunk first, then every chunk whole with its checksum, up to the end chunk.
  if (bytes.size() < 8 + 25 || std::memcmp(bytes.data(), kPng, 8) != 0 || std::memcmp(&bytes[12], "IHDR", 4) != 0)
    return false;
  bool image_data = false;
  for (size_t at = 8;;) {
    if (bytes.size() - at < 12) return false;
    const uint32_t length = BigEndian32(&bytes[at]);
    if (length > bytes.size() - at - 12) return false;
    const uint8_t* type = &bytes[at + 4];
    const uint32_t crc = uint32_t(crc32(0L, type, uInt(length + 4)));
    if (crc != BigEndian32(type + 4 + length)) return false;
    if (std::memcmp(type, "IDAT", 4) == 0) image_data = true;
    if (std::memcmp(type, "IEND", 4) == 0) break;
    at += 12 + size_t(length);
  }
  if (!image_data) return false;
  // What libpng checks of the header before it decodes (depths, colour types).
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
  png_image_free(&image);
  const int64_t w = BigEndian32(&bytes[16]), h = BigEndian32(&bytes[20]);
  if (!SizeOk(w, h) || !PngFileHolds(w, h, bytes)) return false;
  width = int(w);
  height = int(h);
  return true;
}

// Sizes may come from files: a size past the limit gives an empty pixmap.
Pixmap::Pixmap(int width, int height)
    : width_(SizeOk(width, height) ? width : 0),
      height_(SizeOk(width, height) ? height : 0),
      pixels_(size_t(width_) * height_) {}

uint32_t Pixmap::ReadPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[size_t(y) * width_ + x];
}

void Pixmap::WritePixel(int x, int y, uint32_t argb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[size_t(y) * width_ + x] = argb;
  ++version_;
}

std::shared_ptr<Pixmap> Pixmap::Copy() const {
  auto copy = std::make_shared<Pixmap>(width_, height_);
  copy->pixels_ = pixels_;
  return copy;
}

std::shared_ptr<Pixmap> Pixmap::MirrorX() const {
  auto copy = std::make_shared<Pixmap>(width_, height_);
  for (int y = 0; y < height_; ++y) {
    const uint32_t* src = &pixels_[size_t(y) * width_];
    std::reverse_copy(src, src + width_, &copy->pixels_[size_t(y) * width_]);
  }
  return copy;
}

std::shared_ptr<Pixmap> Pixmap::Window(int x, int y, int width, int height) const {
  auto piece = std::make_shared<Pixmap>(width, height);
  // 64-bit sums: positions and sizes may come from a file.
  const int x0 = int(std::clamp<int64_t>(x, 0, width_)), x1 = int(std::min<int64_t>(width_, int64_t(x) + piece->width_));
  const int y0 = int(std::clamp<int64_t>(y, 0, height_)), y1 = int(std::min<int64_t>(height_, int64_t(y) + piece->height_));
  for (int sy = y0; sy < y1; ++sy) {
    if (x1 <= x0) break;
    std::memcpy(&piece->pixels_[size_t(int64_t(sy) - y) * piece->width_ + size_t(int64_t(x0) - x)], &pixels_[size_t(sy) * width_ + x0],
                size_t(x1 - x0) * 4);
  }
  return piece;
}

void Pixmap::ApplyMask(int r, int g, int b) {
  const uint32_t rgb = (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) | uint32_t(b & 255);
  for (uint32_t& p : pixels_) {
    if ((p & 0xFFFFFFu) == rgb) p = 0;
  }
  ++version_;
}

PixmapRef LoadPixmap(Stream& stream) {
  std::vector<uint8_t> bytes;
  if (!ReadStreamBytes(stream, bytes, kMaxImageFile)) {
    Fail("stream", "file too large for a picture");
    return nullptr;
  }
  return Decode(bytes, "stream");
}

PixmapRef LoadPixmap(const std::string& path) {
  StreamRef stream = OpenFileRead(path);
  if (!stream) {
    Fail(path, "cannot open");
    return nullptr;
  }
  std::vector<uint8_t> bytes;
  if (!ReadStreamBytes(*stream, bytes, kMaxImageFile)) {
    Fail(path, "file too large for a picture");
    return nullptr;
  }
  return Decode(bytes, path);
}

bool SavePixmapPNG(const Pixmap& pixmap, const std::string& path) {
  if (pixmap.Width() <= 0 || pixmap.Height() <= 0) return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(pixmap.Width());
  image.height = static_cast<png_uint_32>(pixmap.Height());
  image.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, pixmap.Pixels(), 0, nullptr)) {
    std::fprintf(stderr, "SavePixmapPNG: %s: %s\n", path.c_str(), image.message);
    return false;
  }
  std::vector<uint8_t> bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixmap.Pixels(), 0, nullptr)) {
    std::fprintf(stderr, "SavePixmapPNG: %s: %s\n", path.c_str(), image.message);
    return false;
  }
  StreamRef out = OpenFileWrite(path);
  if (!out || out->Write(bytes.data(), size) != size || !out->Flush()) {
    std::fprintf(stderr, "SavePixmapPNG: %s: cannot write\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
