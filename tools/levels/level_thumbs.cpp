// The level select's thumbnails: every level of a program folder drawn as
// the running level shows it after a few seconds of its world, the middle of
// the play field cut square and shrunk to 160 x 160, written as
// "<out>/NNN.jpg" (three digits, as the level select reads them):
//
//   level_thumbs <program folder> <out folder>
//
// A level that does not load gets no thumbnail and a line on standard error;
// the level select then shows its frame without a picture.
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>  // after <cstdio>: it needs FILE and size_t

#include "level_view.h"
#include "platform/image.h"

namespace {

constexpr int kSize = 160;
constexpr int kFrames = 110;  // two seconds: the first boxes have fallen
// The square of the canvas the thumbnail shows: the play field's middle.
constexpr int kCropX = 180, kCropY = 80, kCrop = 440;

// The crop shrunk by averaging the pixels each thumbnail pixel covers.
std::vector<unsigned char> Shrink(const platform::Pixmap& shot) {
  std::vector<unsigned char> rgb(static_cast<size_t>(kSize) * kSize * 3);
  for (int ty = 0; ty < kSize; ++ty)
    for (int tx = 0; tx < kSize; ++tx) {
      const int x0 = kCropX + tx * kCrop / kSize, x1 = kCropX + (tx + 1) * kCrop / kSize;
      const int y0 = kCropY + ty * kCrop / kSize, y1 = kCropY + (ty + 1) * kCrop / kSize;
      unsigned sum[3] = {0, 0, 0}, n = 0;
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
          const uint32_t p = shot.ReadPixel(x, y);
          sum[0] += (p >> 16) & 0xFF;
          sum[1] += (p >> 8) & 0xFF;
          sum[2] += p & 0xFF;
          ++n;
        }
      for (int c = 0; c < 3; ++c)
        rgb[(static_cast<size_t>(ty) * kSize + tx) * 3 + c] = static_cast<unsigned char>(n ? sum[c] / n : 0);
    }
  return rgb;
}

bool WriteJpeg(const std::string& path, const std::vector<unsigned char>& rgb) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = kSize;
  c.image_height = kSize;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 88, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&rgb[static_cast<size_t>(c.next_scanline) * kSize * 3]);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: level_thumbs <program folder> <out folder>\n");
    return 2;
  }
  char* cwd = getcwd(nullptr, 0);
  std::string out = argv[2][0] == '/' ? argv[2] : std::string(cwd ? cwd : ".") + "/" + argv[2];
  std::free(cwd);
  const int levels = level_view::Open(argv[1]);
  if (levels < 1) {
    std::fprintf(stderr, "level_thumbs: no levels in %s\n", argv[1]);
    return 1;
  }
  int written = 0;
  for (int level = 1; level <= levels; ++level) {
    char name[16];
    std::snprintf(name, sizeof name, "/%03d.jpg", level);
    if (!level_view::Load(level)) {
      std::fprintf(stderr, "level_thumbs: level %d does not load; no thumbnail\n", level);
      continue;
    }
    for (int frame = 0; frame < kFrames; ++frame) level_view::Frame(frame);
    level_view::Draw(false);
    const platform::PixmapRef shot = platform::GrabCanvas();
    if (!shot || !WriteJpeg(out + name, Shrink(*shot))) {
      std::fprintf(stderr, "level_thumbs: cannot write %s%s\n", out.c_str(), name);
      return 1;
    }
    ++written;
  }
  std::printf("level_thumbs: %d thumbnails in %s\n", written, out.c_str());
  return 0;
}
