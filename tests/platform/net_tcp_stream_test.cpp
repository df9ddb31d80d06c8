#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/net.h"

namespace {

using namespace platform;

// A listener on 127.0.0.1 with a port of the system's choosing.
class Listener {
 public:
  Listener() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd_, 1) != 0) return;
    socklen_t len = sizeof addr;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
  }
  ~Listener() { Close(); }
  int port() const { return port_; }
  int Accept() { return accept(fd_, nullptr, nullptr); }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

void SendAll(int fd, const std::string& s) { ASSERT_EQ(send(fd, s.data(), s.size(), MSG_NOSIGNAL), ssize_t(s.size())); }

TEST(TcpStream, ReadsWhatTheServerSendsAndTimesOutOnSilence) {
  Listener server;
  ASSERT_GT(server.port(), 0);
  std::atomic<bool> done{false};
  std::string request;
  std::thread peer([&] {
    const int fd = server.Accept();
    // The request line may arrive in pieces: read up to its end.
    char buf[64];
    while (request.size() < 2 || request.compare(request.size() - 2, 2, "\r\n") != 0) {
      const ssize_t n = recv(fd, buf, sizeof buf, 0);
      if (n <= 0) break;
      request.append(buf, size_t(n));
    }
    SendAll(fd, "ICY 200 OK\r\nice-audio-info: samplerate=44100\r\n\r\n");
    std::string data(300, 'x');
    data.replace(0, 4, "\x01\x02\x03\x04");
    SendAll(fd, data);
    while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(5));  // then silence
    close(fd);
  });

  auto stream = TcpStream::Connect("127.0.0.1", server.port(), 1000);
  ASSERT_NE(stream, nullptr);
  stream->SetReadTimeout(5000);  // generous while data is due: a loaded machine is slow
  EXPECT_TRUE(stream->WriteLine("GET /radio HTTP/1.0"));
  EXPECT_EQ(stream->ReadLine(), "ICY 200 OK");
  EXPECT_EQ(stream->ReadLine(), "ice-audio-info: samplerate=44100");
  EXPECT_EQ(stream->ReadLine(), "");
  EXPECT_FALSE(stream->Eof());
  EXPECT_EQ(stream->ReadInt(), 0x04030201);
  EXPECT_EQ(stream->ReadBytes(296), std::string(296, 'x'));
  EXPECT_EQ(stream->Pos(), 348);
  EXPECT_FALSE(stream->TimedOut());

  stream->SetReadTimeout(100);
  char byte;
  EXPECT_EQ(stream->Read(&byte, 1), 0u);
  EXPECT_TRUE(stream->TimedOut());
  EXPECT_TRUE(stream->Eof());
  done = true;
  peer.join();
  EXPECT_EQ(request, "GET /radio HTTP/1.0\r\n");
}

TEST(TcpStream, EndsWhenTheServerCloses) {
  Listener server;
  std::thread peer([&] {
    const int fd = server.Accept();
    SendAll(fd, "abc");
    close(fd);
  });
  auto stream = TcpStream::Connect("127.0.0.1", server.port(), 1000);
  ASSERT_NE(stream, nullptr);
  stream->SetReadTimeout(2000);
  char buf[8];
  EXPECT_EQ(stream->Read(buf, sizeof buf), 3u);
  EXPECT_EQ(std::string(buf, 3), "abc");
  EXPECT_FALSE(stream->TimedOut());
  EXPECT_TRUE(stream->Eof());
  EXPECT_EQ(stream->ReadSome(buf, sizeof buf), 0u);
  peer.join();
}

TEST(TcpStream, ConnectFailsOnAClosedPortOrBadArguments) {
  int port;
  {
    Listener gone;
    port = gone.port();
  }
  EXPECT_EQ(TcpStream::Connect("127.0.0.1", port, 500), nullptr);
  EXPECT_EQ(TcpStream::Connect("127.0.0.1", 0, 500), nullptr);
  EXPECT_EQ(TcpStream::Connect("127.0.0.1", 70000, 500), nullptr);
}

TEST(TcpStream, CannotSeekAndClosesOnce) {
  Listener server;
  std::thread peer([&] { close(server.Accept()); });
  auto stream = TcpStream::Connect("127.0.0.1", server.port(), 1000);
  ASSERT_NE(stream, nullptr);
  EXPECT_TRUE(stream->Seek(0));
  EXPECT_FALSE(stream->Seek(10));
  stream->Close();
  stream->Close();
  EXPECT_FALSE(stream->IsOpen());
  char c;
  EXPECT_EQ(stream->Read(&c, 1), 0u);
  EXPECT_EQ(stream->Write("x", 1), 0u);
  peer.join();
}

}  // namespace
