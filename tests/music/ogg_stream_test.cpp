// OGG music from files: the decoder's own output through the mixer, the loop
// join, the end, and files that are cut, empty, mono or not Vorbis at all.
#include <gtest/gtest.h>

#include <ogg/ogg.h>

#include "music/audio_stream.h"
#include "music/ogg_stream.h"
#include "music_test_util.h"
#include "platform/stream.h"
#include "test_env.h"

using namespace kelp;
using namespace musictest;

namespace {

Ref<TOGGStream> LoadBytes(const std::string& bytes) {
  return TOGGStream::Load({"test.ogg", platform::OpenMemory(bytes)});
}

std::vector<int16_t> Request(TMusic& m, int bytes) {
  std::vector<int16_t> out(static_cast<size_t>(bytes) / 2, 12345);
  m.FillBuffer(reinterpret_cast<uint8_t*>(out.data()), bytes);
  return out;
}

// The last page's position doubled (with its checksum made good again): the
// file announces twice the samples it holds.
std::string Overlong(std::string ogg) {
  const size_t last = ogg.rfind("OggS");
  ogg_page page;
  page.header = reinterpret_cast<unsigned char*>(ogg.data() + last);
  page.header_len = 27 + static_cast<uint8_t>(ogg[last + 26]);
  page.body = page.header + page.header_len;
  page.body_len = static_cast<long>(ogg.size() - last) - page.header_len;
  const int64_t granule = ogg_page_granulepos(&page) * 2;
  for (int i = 0; i < 8; ++i) page.header[6 + i] = static_cast<unsigned char>(granule >> (8 * i));
  ogg_page_checksum_set(&page);
  return ogg;
}

}  // namespace

TEST(OggStream, PlaysTheDecodersOwnOutputThroughTheMixer) {
  const std::string ogg = EncodeOgg(Tone(20000, 2, 44100, 440, 0.5f), 2, 44100);
  const std::vector<int16_t> ref = OggReference(ogg);
  ASSERT_EQ(ref.size(), 2u * 20000);
  testenv::TempDir dir;
  testenv::WriteFile(dir / "piece.ogg", ogg);
  Rig rig;
  auto stream = TAudioStream::Create(dir / "piece.ogg", 0, 0);
  ASSERT_NE(stream, nullptr);
  const std::vector<int16_t> out = rig.Run(platform::kStreamBufferBytes / 4 + 2 * Rig::kTick);
  for (size_t i = 0; i < ref.size(); ++i) ASSERT_EQ(out[i], ref[i]) << i;
  for (size_t i = ref.size(); i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i;
  EXPECT_FALSE(stream->Playing());
}

// A 10-frame file read in requests of 16 bytes (4 frames): the third request
// holds frames 9 and 10 and then, looping, frames 1 and 2.
TEST(OggStream, ALoopJoinsTheEndToTheStartWithoutAGap) {
  const std::string ogg = EncodeOgg(Tone(10, 2, 44100, 1000, 0.5f), 2, 44100);
  const std::vector<int16_t> ref = OggReference(ogg);
  ASSERT_EQ(ref.size(), 20u);
  auto o = LoadBytes(ogg);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->STREAM_SIZE, 10);
  o->PlayStatus = 1;
  std::vector<int16_t> got;
  for (int r = 0; r < 5; ++r) {
    const auto part = Request(*o, 16);
    got.insert(got.end(), part.begin(), part.end());
  }
  for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], ref[i % 20]) << i;
  EXPECT_EQ(o->PlayStatus, 1);
}

// Without looping, the request that reaches the end is zero-padded, PlayStatus
// becomes 0, and a later request starts again from frame 1.
TEST(OggStream, WithoutLoopingTheEndIsPaddedAndRewound) {
  const std::string ogg = EncodeOgg(Tone(10, 2, 44100, 1000, 0.5f), 2, 44100);
  const std::vector<int16_t> ref = OggReference(ogg);
  auto o = LoadBytes(ogg);
  ASSERT_NE(o, nullptr);
  o->Seti(PROP_STREAM_LOOP, 0);
  o->PlayStatus = 1;
  Request(*o, 32);
  const auto last = Request(*o, 16);
  EXPECT_EQ(std::vector<int16_t>(last.begin(), last.begin() + 4), std::vector<int16_t>(ref.begin() + 16, ref.end()));
  EXPECT_EQ(std::vector<int16_t>(last.begin() + 4, last.end()), std::vector<int16_t>(4, 0));
  EXPECT_EQ(o->PlayStatus, 0);
  o->PlayStatus = 1;
  const auto again = Request(*o, 8);
  EXPECT_EQ(again, std::vector<int16_t>(ref.begin(), ref.begin() + 4));
}

// Files that are odd or damaged: each loads as something that ends or not at
// all, and reading it always comes back (no spinning on a decoder that has
// nothing more to give).
TEST(OggStream, DamagedAndOddFilesEndOrAreRefused) {
  const std::string stereo = EncodeOgg(Tone(200000, 2, 44100, 440, 0.5f), 2, 44100);  // many pages
  std::string corrupt = stereo;
  for (size_t i = corrupt.size() / 2; i < corrupt.size(); i += 7) corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
  struct Case {
    const char* what;
    std::string bytes;
    bool loads;
    int format, rate;
  } cases[] = {
      {"mono at 22050 Hz", EncodeOgg(Tone(5000, 1, 22050, 440, 0.5f), 1, 22050), true, FORMAT_16_MONO, 22050},
      {"cut in the middle", stereo.substr(0, stereo.size() / 2), true, FORMAT_16_STEREO, 44100},
      {"corrupt second half", corrupt, true, FORMAT_16_STEREO, 44100},
      {"announcing more than it holds", Overlong(stereo), true, FORMAT_16_STEREO, 44100},
      {"three channels", EncodeOgg(Tone(2000, 3, 44100, 440, 0.5f), 3, 44100), false, 0, 0},
      {"no samples", EncodeOgg({}, 2, 44100), false, 0, 0},
      {"headers only", stereo.substr(0, 4000), false, 0, 0},
      {"garbage after OggS", "OggS" + std::string(3000, '\x33'), false, 0, 0},
      {"empty", "", false, 0, 0},
  };
  for (const Case& c : cases) {
    auto o = LoadBytes(c.bytes);
    ASSERT_EQ(o != nullptr, c.loads) << c.what;
    if (!o) continue;
    EXPECT_EQ(o->STREAM_FORMAT, c.format) << c.what;
    EXPECT_EQ(o->SAMPLE_RATE, c.rate) << c.what;
    for (int loop : {1, 0}) {
      o->Seti(PROP_STREAM_LOOP, loop);
      o->PlayStatus = 1;
      o->Rewind();
      // Looping goes on past the end; without looping the end comes within the file's length.
      const int requests = o->STREAM_SIZE / 1024 * (loop ? 3 : 1) + 2;
      for (int r = 0; r < requests && o->PlayStatus; ++r) Request(*o, 4096);
      EXPECT_EQ(o->PlayStatus, loop) << c.what << " loop " << loop;
    }
  }
}

TEST(OggStream, AMonoFileIsConvertedNotPlayedAsNoise) {
  const std::string ogg = EncodeOgg(Tone(22050, 1, 22050, 300, 0.5f), 1, 22050);
  const std::vector<int16_t> ref = OggReference(ogg);  // mono doubled
  testenv::TempDir dir;
  testenv::WriteFile(dir / "mono.ogg", ogg);
  Rig rig;
  auto stream = TAudioStream::Create(dir / "mono.ogg", 0, 0);
  ASSERT_NE(stream, nullptr);
  const std::vector<int16_t> out = rig.Run(2 * 44100);
  // Twice as many frames at the device rate; every even frame is a source frame.
  for (size_t k = 0; k + 1 < ref.size() / 2; ++k) {
    ASSERT_EQ(Left(out, 2 * k), ref[2 * k]) << k;
    ASSERT_EQ(Right(out, 2 * k), ref[2 * k]) << k;
    ASSERT_NEAR(Left(out, 2 * k + 1), (ref[2 * k] + ref[2 * k + 2]) / 2.0, 1.0) << k;
  }
  for (size_t k = ref.size() + 4096; k < out.size() / 2; ++k) ASSERT_EQ(Left(out, k), 0) << k;
}
