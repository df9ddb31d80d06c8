// Pixmaps and image loading: no window needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include <jpeglib.h>

#include "platform/image.h"
#include "alloc_limit.h"
#include "test_env.h"

using namespace platform;

namespace {

std::string EncodePNG(const Pixmap& p, const testenv::TempDir& dir) {
  const std::string path = dir / "picture.png";
  EXPECT_TRUE(SavePixmapPNG(p, path));
  return testenv::ReadFile(path);
}

std::string EncodeJPEG(int w, int h, bool progressive = false) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = w;
  cinfo.image_height = h;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(w) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < w; ++x) {
      row[x * 3] = uint8_t(x * 255 / (w - 1));
      row[x * 3 + 1] = uint8_t(cinfo.next_scanline * 255 / (h - 1));
      row[x * 3 + 2] = uint8_t((x * 37 + cinfo.next_scanline * 91) % 256);  // busy, so the data is long
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string bytes(reinterpret_cast<char*>(out), size);
  free(out);
  return bytes;
}

Pixmap Gradient(int w, int h) {
  Pixmap p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.WritePixel(x, y, 0xFF000000u | uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | 9);
  return p;
}

TEST(GraphicsImage, PNGRoundTripsAndDamagedFilesGiveNullWithOneLine) {
  testenv::TempDir dir;
  Pixmap original = Gradient(40, 30);
  original.WritePixel(3, 4, 0x80123456u);  // alpha survives
  const std::string png = EncodePNG(original, dir);
  const std::string jpeg = EncodeJPEG(256, 192);

  auto good = OpenMemory(png);
  PixmapRef loaded = LoadPixmap(*good);
  ASSERT_TRUE(loaded);
  ASSERT_EQ(loaded->Width(), 40);
  ASSERT_EQ(loaded->Height(), 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(loaded->ReadPixel(x, y), original.ReadPixel(x, y));
  PixmapRef from_jpeg = LoadPixmap(*OpenMemory(jpeg));
  ASSERT_TRUE(from_jpeg);
  EXPECT_EQ(from_jpeg->Width(), 256);
  EXPECT_EQ(from_jpeg->ReadPixel(0, 0) >> 24, 255u);
  EXPECT_NEAR(int((from_jpeg->ReadPixel(255, 191) >> 16) & 255), 254, 6);
  EXPECT_NEAR(int((from_jpeg->ReadPixel(255, 191) >> 8) & 255), 254, 6);

  std::string png_bad_crc = png;
  png_bad_crc[png.find("IDAT") + 10] ^= 0x55;
  std::string jpeg_bad_header = jpeg;
  const size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  jpeg_bad_header[sof + 5] = 0;  // height 0...
  jpeg_bad_header[sof + 6] = 0;
  // Cuts and damage inside the picture data, after the scan header: libjpeg
  // only warns about these and would hand back a grey-filled picture.
  const size_t sos = jpeg.find("\xFF\xDA");
  ASSERT_NE(sos, std::string::npos);
  const size_t mid = sos + (jpeg.size() - sos) / 2;
  ASSERT_GT(jpeg.size() - sos, 1000u);
  std::string jpeg_bad_data = jpeg;
  jpeg_bad_data[mid] = '\xFF';
  jpeg_bad_data[mid + 1] = '\xE5';
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"PNG cut in half", png.substr(0, png.size() / 2)},
      {"PNG cut after the header", png.substr(0, 40)},
      {"PNG with a damaged chunk", png_bad_crc},
      {"JPEG cut in its picture data", jpeg.substr(0, mid)},
      {"JPEG cut after the header", jpeg.substr(0, 200)},
      {"JPEG with a bad frame header", jpeg_bad_header},
      {"JPEG with damaged data", jpeg_bad_data},
      {"neither", "GIF89a........"},
      {"empty", ""},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    auto stream = OpenMemory(c.bytes);
    PixmapRef pixmap = LoadPixmap(*stream);
    auto again = OpenMemory(c.bytes);
    ImageRef image = LoadImage(*again);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(pixmap, nullptr) << c.name;
    EXPECT_EQ(image, nullptr) << c.name;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << c.name << ": " << err;  // one line per load
  }
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadImage(dir / "missing.png"), nullptr);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("missing.png"), std::string::npos);
}

uint32_t Crc32(std::string_view bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBE32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
}

// The same PNG with another size in its header (and a header CRC that fits).
std::string PngClaiming(std::string png, uint32_t w, uint32_t h) {
  const size_t ihdr = png.find("IHDR");
  PutBE32(png, ihdr + 4, w);
  PutBE32(png, ihdr + 8, h);
  PutBE32(png, ihdr + 17, Crc32(std::string_view(png).substr(ihdr, 17)));
  return png;
}

// The same PNG with an empty chunk of the given type after its header chunk
// that claims `length` bytes.
std::string PngWithChunkClaiming(std::string png, const char* type, uint32_t length) {
  std::string chunk(8, '\0');
  PutBE32(chunk, 0, length);
  chunk.replace(4, 4, type);
  return png.insert(png.find("IHDR") + 4 + 13 + 4, chunk);
}

// The same JPEG with another size in its frame header (baseline or progressive).
std::string JpegClaiming(std::string jpeg, int w, int h) {
  size_t sof = jpeg.find("\xFF\xC0");
  if (sof == std::string::npos) sof = jpeg.find("\xFF\xC2");
  jpeg[sof + 5] = char(h >> 8);
  jpeg[sof + 6] = char(h & 255);
  jpeg[sof + 7] = char(w >> 8);
  jpeg[sof + 8] = char(w & 255);
  return jpeg;
}

}  // namespace

// A tiny file that claims a huge picture is refused before anything of the
// claimed size is allocated: run under an allocation limit, not a clock.
TEST(GraphicsImage, ClaimedSizesTheFileCannotHoldAreRefusedBeforeAllocating) {
  if (!testenv::AllocationLimit::Available()) GTEST_SKIP() << "no allocation limit under AddressSanitizer";
  testenv::TempDir dir;
  const std::string png = EncodePNG(Gradient(16, 16), dir);
  Pixmap solid(1024, 1024);
  for (int y = 0; y < 1024; ++y)
    for (int x = 0; x < 1024; ++x) solid.WritePixel(x, y, 0xFF336699u);
  const std::string solid_png = EncodePNG(solid, dir);
  const std::string busy_jpeg = EncodeJPEG(256, 192);
  const struct {
    const char* name;
    std::string bytes;
    bool loads;
  } cases[] = {
      {"PNG claiming 8192x8192", PngClaiming(png, 8192, 8192), false},
      {"PNG claiming 16384x4096", PngClaiming(png, 16384, 4096), false},
      {"PNG claiming 64x64 over 16x16 data", PngClaiming(png, 64, 64), false},
      {"JPEG claiming 8192x8192", JpegClaiming(EncodeJPEG(16, 16), 8192, 8192), false},
      {"progressive JPEG claiming 8192x8192", JpegClaiming(EncodeJPEG(16, 16, true), 8192, 8192), false},
      {"JPEG claiming 4096x4096, cut", JpegClaiming(busy_jpeg, 4096, 4096), false},
      {"JPEG cut in its data", busy_jpeg.substr(0, busy_jpeg.size() / 2), false},
      {"a solid 1024x1024 PNG, packed tight, still loads", solid_png, true},
      {"a progressive JPEG loads", EncodeJPEG(64, 48, true), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::internal::CaptureStderr();
    testenv::AllocationLimit limit(8 << 20);
    PixmapRef pixmap = LoadPixmap(*OpenMemory(c.bytes));
    EXPECT_EQ(limit.Refused(), 0) << limit.Largest();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(pixmap != nullptr, c.loads) << err;
    EXPECT_EQ(err.empty(), c.loads) << err;
  }
  EXPECT_LT(solid_png.size(), size_t(16) << 10);  // the bound is not tripped by packing alone
}

// libpng allocates a chunk's claimed length before reading it (with malloc,
// which the allocation limit does not see): such a file is refused by the
// lengths alone, before libpng is asked.
TEST(GraphicsImage, PngChunksClaimingMoreThanTheFileHoldsAreRefusedFirst) {
  testenv::TempDir dir;
  const std::string png = EncodePNG(Gradient(16, 16), dir);
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"a text chunk claiming 1.9 GB", PngWithChunkClaiming(png, "tEXt", 0x72000025u)},
      {"a private chunk claiming 64 MB", PngWithChunkClaiming(png, "prVt", 64u << 20)},
      {"the picture data cut short", png.substr(0, png.find("IDAT") + 10)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadPixmap(*OpenMemory(c.bytes)), nullptr);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("a chunk claims more than the file holds"), std::string::npos) << err;
  }
  // An empty private chunk with its checksum, and anything after the end
  // chunk, do not trip it.
  std::string empty_chunk = PngWithChunkClaiming(png, "prVt", 0);
  std::string crc(4, '\0');
  PutBE32(crc, 0, Crc32("prVt"));
  empty_chunk.insert(empty_chunk.find("prVt") + 4, crc);
  testing::internal::CaptureStderr();
  EXPECT_NE(LoadPixmap(*OpenMemory(empty_chunk)), nullptr);
  EXPECT_NE(LoadPixmap(*OpenMemory(png + "junk after the end chunk")), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

namespace {

TEST(GraphicsImage, LoadingAppliesMaskColourAndMidHandle) {
  testenv::TempDir dir;
  Pixmap p(6, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) p.WritePixel(x, y, x == 0 ? 0xFFFF00FFu : x == 1 ? 0xFF00FF00u : 0xFF808080u);
  const std::string png = EncodePNG(p, dir);

  ImageRef image = LoadImage(*OpenMemory(png));  // default flags: masked
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Frame(0)->ReadPixel(0, 2), 0u);
  EXPECT_EQ(image->Frame(0)->ReadPixel(1, 2), 0xFF00FF00u);
  EXPECT_FLOAT_EQ(image->HandleX(), 3);
  EXPECT_FLOAT_EQ(image->HandleY(), 2);

  image = LoadImage(*OpenMemory(png), FILTEREDIMAGE);  // not masked
  EXPECT_EQ(image->Frame(0)->ReadPixel(0, 2), 0xFFFF00FFu);

  SetMaskColor(0, 255, 0);
  SetAutoMidHandle(false);
  image = LoadImage(*OpenMemory(png));
  SetMaskColor(255, 0, 255);
  SetAutoMidHandle(true);
  EXPECT_EQ(image->Frame(0)->ReadPixel(0, 2), 0xFFFF00FFu);
  EXPECT_EQ(image->Frame(0)->ReadPixel(1, 2), 0u);
  EXPECT_FLOAT_EQ(image->HandleX(), 0);
  EXPECT_FLOAT_EQ(image->HandleY(), 0);

  ImageRef made = CreateImage(8, 8);
  EXPECT_FLOAT_EQ(made->HandleX(), 0);  // made, not loaded
}

TEST(GraphicsImage, AnimStripsCutCellsInReadingOrder) {
  testenv::TempDir dir;
  Pixmap sheet(8, 8);  // 2 x 2 cells of 4 x 4, cell n filled with colour n + 1
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) sheet.WritePixel(x, y, 0xFF000000u | uint32_t((y / 4) * 2 + x / 4 + 1));
  const std::string png = EncodePNG(sheet, dir);
  ImageRef strip = LoadAnimImage(*OpenMemory(png), 4, 4, 1, 3);
  ASSERT_TRUE(strip);
  ASSERT_EQ(strip->Frames(), 3);
  EXPECT_EQ(strip->Width(), 4);
  EXPECT_FLOAT_EQ(strip->HandleX(), 2);
  for (int f = 0; f < 3; ++f) EXPECT_EQ(strip->Frame(f)->ReadPixel(3, 3), 0xFF000000u | uint32_t(f + 2)) << f;
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadAnimImage(*OpenMemory(png), 4, 4, 2, 3), nullptr);  // only 4 cells
  EXPECT_EQ(LoadAnimImage(*OpenMemory(png), 0, 4, 0, 1), nullptr);
  testing::internal::GetCapturedStderr();
}

// A loaded PNG is decoded on its first use; a file whose chunks are sound but
// whose picture data is not shows as transparent then, with a line, no crash.
TEST(GraphicsImage, PicturesDecodeOnFirstUseAndBadDataShowsTransparent) {
  testenv::TempDir dir;
  const Pixmap original = Gradient(16, 8);
  const std::string png = EncodePNG(original, dir);
  ImageRef image = LoadAnimImage(*OpenMemory(png), 8, 8, 1, 1);
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->Decoded());
  EXPECT_EQ(image->Width(), 8);
  EXPECT_EQ(image->Frame(0)->ReadPixel(2, 5), original.ReadPixel(10, 5));
  EXPECT_TRUE(image->Decoded());

  // Picture data that inflates to nothing useful, with a checksum that fits it.
  std::string bad = png;
  const size_t idat = bad.find("IDAT");
  const uint32_t length = uint32_t(uint8_t(bad[idat - 4])) << 24 | uint32_t(uint8_t(bad[idat - 3])) << 16 |
                          uint32_t(uint8_t(bad[idat - 2])) << 8 | uint32_t(uint8_t(bad[idat - 1]));
  for (uint32_t i = 2; i < length; ++i) bad[idat + 4 + i] = char(0xA5 ^ i);
  PutBE32(bad, idat + 4 + length, Crc32(std::string_view(bad).substr(idat, 4 + length)));
  testing::internal::CaptureStderr();
  ImageRef damaged = LoadImage(*OpenMemory(bad));
  ASSERT_TRUE(damaged);
  EXPECT_EQ(damaged->Width(), 16);
  PixmapRef shown = damaged->Frame(0);
  const std::string err = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->Width(), 16);
  EXPECT_EQ(shown->ReadPixel(10, 5), 0u);
  EXPECT_NE(err.find("LoadPixmap"), std::string::npos) << err;
}

TEST(GraphicsImage, MirroredCopiesFlipPixelsAndHandle) {
  auto p = std::make_shared<Pixmap>(3, 2);
  p->WritePixel(0, 0, 1);
  p->WritePixel(2, 1, 2);
  PixmapRef m = p->MirrorX();
  EXPECT_EQ(m->ReadPixel(2, 0), 1u);
  EXPECT_EQ(m->ReadPixel(0, 1), 2u);
  EXPECT_EQ(p->ReadPixel(0, 0), 1u) << "the original stays";

  ImageRef image = CreateImage(3, 2, 2);
  image->Frame(1)->WritePixel(0, 1, 7);
  image->SetHandle(0.5f, 1);
  ImageRef mirror = image->MirrorX();
  ASSERT_EQ(mirror->Frames(), 2);
  EXPECT_EQ(mirror->Frame(1)->ReadPixel(2, 1), 7u);
  EXPECT_FLOAT_EQ(mirror->HandleX(), 2.5f);
  EXPECT_FLOAT_EQ(mirror->HandleY(), 1);
}

TEST(GraphicsImage, PixelAccessOutsideIsHarmlessAndWritesBumpTheVersion) {
  Pixmap p(2, 2);
  const uint64_t v0 = p.Version();
  p.WritePixel(1, 1, 5);
  EXPECT_GT(p.Version(), v0);
  const uint64_t v1 = p.Version();
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) {
    p.WritePixel(x, y, 9);
    EXPECT_EQ(p.ReadPixel(x, y), 0u);
  }
  EXPECT_EQ(p.Version(), v1);
  p.Pixels()[0] = 3;  // write access through the buffer counts too
  EXPECT_GT(p.Version(), v1);
  PixmapRef piece = p.Window(1, 1, 2, 2);
  EXPECT_EQ(piece->ReadPixel(0, 0), 5u);
  EXPECT_EQ(piece->ReadPixel(1, 1), 0u);
}

TEST(GraphicsImage, PowerOfTwoLoadingPadsEachSide) {
  testenv::TempDir dir;
  struct Case {
    int w, h, want_w, want_h;
  };
  for (const Case c : {Case{100, 50, 128, 64}, Case{64, 64, 64, 64}, Case{1, 3, 2, 4}, Case{1, 1, 1, 1}}) {
    Pixmap p(c.w, c.h);
    p.WritePixel(c.w - 1, c.h - 1, 0xFF102030u);
    ImageRef image = LoadImagePow2(*OpenMemory(EncodePNG(p, dir)), FILTEREDIMAGE);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), c.want_w) << c.w << "x" << c.h;
    EXPECT_EQ(image->Height(), c.want_h) << c.w << "x" << c.h;
    EXPECT_EQ(image->Frame(0)->ReadPixel(c.w - 1, c.h - 1), 0xFF102030u);
    EXPECT_FLOAT_EQ(image->HandleX(), 0);
  }
}

}  // namespace

TEST(GraphicsImage, PixmapWindowAndSizeFromHostileNumbersStaySafe) {
  platform::Pixmap p(4, 4);
  p.WritePixel(3, 3, 0xFF112233u);
  struct Case { int x, y, w, h; };
  for (const Case& c : {Case{2147483600, 0, 100, 2}, Case{-2147483647, -5, 50, 50}, Case{3, 3, 2, 2}}) {
    auto piece = p.Window(c.x, c.y, c.w, c.h);
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(piece->Width(), c.w);
  }
  EXPECT_EQ(p.Window(3, 3, 2, 2)->ReadPixel(0, 0), 0xFF112233u);
  platform::Pixmap huge(1 << 20, 1 << 20);  // would be 4 TB
  EXPECT_EQ(huge.Width(), 0);
  EXPECT_EQ(huge.ReadPixel(0, 0), 0u);
}
