// OGG music from a radio server, against a server in the test that sends,
// stalls and closes: the frame loop never waits for it.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <thread>

#include "framework/files/log.h"
#include "music/audio_stream.h"
#include "music/ogg_stream.h"
#include "music_test_util.h"
#include "platform/message_box.h"
#include "reset_rooms.h"
#include "test_env.h"

using namespace kelp;
using namespace musictest;

namespace {

// A one-connection server on 127.0.0.1: reads the request up to its empty
// line, then runs the script with the connection's socket.
class Server {
 public:
  explicit Server(std::function<void(int fd)> script) {
    listen_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listen_, 1) != 0) return;
    socklen_t len = sizeof addr;
    getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this, script] {
      const int fd = accept(listen_, nullptr, nullptr);
      if (fd < 0) return;
      char c;
      while (request_.size() < 4 || request_.compare(request_.size() - 4, 4, "\r\n\r\n") != 0) {
        if (recv(fd, &c, 1, 0) != 1) break;
        request_ += c;
      }
      script(fd);
      close(fd);
    });
  }
  ~Server() {
    release = true;
    shutdown(listen_, SHUT_RDWR);
    if (thread_.joinable()) thread_.join();
    close(listen_);
  }
  int port() const { return port_; }
  const std::string& request() const { return request_; }
  std::atomic<bool> go{false}, release{false};

 private:
  int listen_ = -1;
  int port_ = 0;
  std::string request_;
  std::thread thread_;
};

void Send(int fd, const std::string& s) { send(fd, s.data(), s.size(), MSG_NOSIGNAL); }

void WaitFor(const std::atomic<bool>& flag) {
  while (!flag) std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

// A tone that never crosses zero, so silence in the output is never music.
std::string RadioOgg(int rate, int channels, int frames) {
  std::vector<float> s = Tone(frames, channels, rate, 330, 0.25f);
  for (float& v : s) v += 0.4f;
  return EncodeOgg(s, channels, rate);
}

std::vector<int16_t> WithoutSilence(const std::vector<int16_t>& out) {
  std::vector<int16_t> kept;
  for (size_t k = 0; k < out.size() / 2; ++k)
    if (out[2 * k] != 0 || out[2 * k + 1] != 0) kept.insert(kept.end(), {out[2 * k], out[2 * k + 1]});
  return kept;
}

class Radio : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ResetMusicRooms();
    TOGGStream::NetworkTimeoutMs = 2000;
    platform::SetMessageBoxHandler([this](const std::string&, const std::string& text, platform::MessageButtons) {
      notices.push_back(text);
      return 0;
    });
  }
  void TearDown() override {
    platform::SetMessageBoxHandler(nullptr);
    testsupport::ResetMusicRooms();
  }
  std::vector<std::string> notices;
};

}  // namespace

TEST_F(Radio, TheResponseHeaderDecides) {
  const std::string stereo = RadioOgg(44100, 2, 4000);
  const std::string mono8k = RadioOgg(8000, 1, 4000);
  struct Case {
    const char* what;
    std::string head;
    const std::string* ogg;
    bool opens;
    int rate, format;
  } cases[] = {
      {"both keys", "ICY 200 OK\r\nice-audio-info: samplerate=44100;channels=2\r\n", &stereo, true, 44100,
       FORMAT_16_STEREO},
      {"no channels: two assumed", "HTTP/1.0 200 OK\r\nice-audio-info: samplerate=44100\r\n", &stereo, true, 44100,
       FORMAT_16_STEREO},
      {"8000 followed by a semicolon", "ICY 200 OK\r\nice-audio-info: samplerate=8000;channels=1\r\n", &mono8k, true,
       8000, FORMAT_16_MONO},
      {"the stream's own format counts", "ICY 200 OK\r\nice-audio-info: samplerate=22050;channels=1\r\n", &stereo,
       true, 44100, FORMAT_16_STEREO},
      {"no samplerate", "ICY 200 OK\r\nice-audio-info: channels=2\r\n", &stereo, false, 0, 0},
      {"no ice-audio-info line", "ICY 200 OK\r\ncontent-type: application/ogg\r\n", &stereo, false, 0, 0},
      {"not found", "HTTP/1.0 404 Not Found\r\nice-audio-info: samplerate=44100\r\n", &stereo, false, 0, 0},
      {"not Vorbis", "ICY 200 OK\r\nice-audio-info: samplerate=44100\r\n", nullptr, false, 0, 0},
  };
  for (const Case& c : cases) {
    Server server([&](int fd) {
      Send(fd, c.head + "\r\n" + (c.ogg ? *c.ogg : std::string(20000, 'x')));
    });
    auto o = TOGGStream::OpenIceStream("127.0.0.1", "radio.ogg", server.port());
    EXPECT_EQ(o != nullptr, c.opens) << c.what;
    EXPECT_EQ(server.request(), "GET /radio.ogg HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n") << c.what;
    if (!o) continue;
    EXPECT_EQ(o->SAMPLE_RATE, c.rate) << c.what;
    EXPECT_EQ(o->STREAM_FORMAT, c.format) << c.what;
    EXPECT_EQ(o->STREAM_SIZE, 0) << c.what;
  }
  EXPECT_TRUE(notices.empty());
}

TEST_F(Radio, NoServerGivesNullAndTheNotice) {
  int port;
  {
    Server gone([](int) {});
    port = gone.port();
  }
  EXPECT_EQ(TOGGStream::OpenIceStream("127.0.0.1", "radio.ogg", port), nullptr);
  EXPECT_EQ(notices, std::vector<std::string>{"Unable to connect"});
}

// The server sends part of the stream, stalls, sends the rest and closes. The
// stall is silence (the ticks never wait), every frame is heard once, and the
// close ends the piece.
TEST_F(Radio, SendStallAndClose) {
  const std::string ogg = RadioOgg(44100, 2, 3 * 44100);
  const std::vector<int16_t> ref = OggReference(ogg);
  const size_t split = ogg.size() * 2 / 5;
  Server server([&](int fd) {
    Send(fd, "ICY 200 OK\r\nice-audio-info: samplerate=44100;channels=2\r\n\r\n" + ogg.substr(0, split));
    WaitFor(server.go);
    Send(fd, ogg.substr(split));
  });
  Rig rig;
  auto radio = TOGGStream::OpenIceStream("127.0.0.1", "radio.ogg", server.port());
  ASSERT_NE(radio, nullptr);
  auto stream = TAudioStream::Create(radio, 0, 0);
  ASSERT_NE(stream, nullptr);
  std::vector<int16_t> out = rig.Run(4 * 44100);  // the first part has at most 1.2 s
  for (size_t k = 3 * 44100; k < out.size() / 2; ++k) ASSERT_EQ(Left(out, k), 0) << "stalled: silence at " << k;
  EXPECT_TRUE(stream->Playing());
  server.go = true;
  for (int i = 0; i < 200 && stream->Playing(); ++i) {
    const std::vector<int16_t> more = rig.Run(44100 / 4);
    out.insert(out.end(), more.begin(), more.end());
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_FALSE(stream->Playing()) << "the close ends the piece";
  EXPECT_EQ(WithoutSilence(out), ref);
}

// A server that stalls for good: after the stall time-out the piece ends and
// the log says why.
TEST_F(Radio, AServerSilentForTooLongEndsThePiece) {
  const std::string ogg = RadioOgg(44100, 2, 3 * 44100);
  Server server([&](int fd) {
    Send(fd, "ICY 200 OK\r\nice-audio-info: samplerate=44100\r\n\r\n" + ogg.substr(0, ogg.size() * 2 / 5));
    WaitFor(server.release);
  });
  testenv::TempDir dir;
  ASSERT_TRUE(OpenLog(dir.path() + "/"));
  testenv::FakeClock clock;
  TOGGStream::StallTimeoutMs = 300;
  Rig rig;
  auto radio = TOGGStream::OpenIceStream("127.0.0.1", "radio.ogg", server.port());
  ASSERT_NE(radio, nullptr);
  auto stream = TAudioStream::Create(radio, 0, 0);
  ASSERT_NE(stream, nullptr);
  rig.Run(6 * 44100, [&] { clock.Advance(8); });
  EXPECT_FALSE(stream->Playing());
  CloseLog();
  EXPECT_NE(testenv::ReadFile(dir / "log.xml").find("Music: the radio stream has stalled"), std::string::npos);
}
