#include "platform/files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/stream.h"
#include "alloc_limit.h"
#include "test_env.h"

TEST(Files, DataPathWithBackslashesAndOtherCaseOpens) {
  testenv::TempDir dir;
  testenv::WriteFile(dir / "Data/Lang/String.dat", "hello");
  auto s = platform::OpenFileRead(dir.path() + "\\data\\LANG\\string.DAT");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->ReadBytes(100), "hello");
  EXPECT_EQ(platform::OpenFileRead(dir.path() + "/data/lang/missing.dat"), nullptr);
}

// Lookups in another case keep folder listings: a file that comes, goes or
// changes its case after a lookup must be seen as it is now.
TEST(Files, OtherCaseLookupsSeeTheFolderAsItIsNow) {
  testenv::TempDir dir;
  testenv::WriteFile(dir / "Pics/keep.png", "k");
  const std::string pics = dir.path() + "/Pics";
  const std::string asked = dir.path() + "/pics/Shadow.PNG";
  const auto age = [&] {  // an old folder's listing is kept
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, pics.c_str(), old, 0), 0);
  };
  struct Step {
    const char* what;
    std::function<void()> change;
    bool found;
  } steps[] = {
      {"missing", [] {}, false},
      {"missing, asked again", [] {}, false},
      {"written", [&] { testenv::WriteFile(dir / "Pics/shadow.png", "s"); }, true},
      {"renamed to another case",
       [&] { ASSERT_EQ(std::rename((pics + "/shadow.png").c_str(), (pics + "/SHADOW.png").c_str()), 0); }, true},
      {"deleted", [&] { ASSERT_EQ(std::remove((pics + "/SHADOW.png").c_str()), 0); }, false},
  };
  for (const Step& step : steps) {
    step.change();
    age();
    EXPECT_EQ(platform::IsFile(asked), step.found) << step.what;
    EXPECT_EQ(platform::OpenFileRead(asked) != nullptr, step.found) << step.what;
  }
  EXPECT_TRUE(platform::IsFile(dir.path() + "/PICS/KEEP.png"));
}

TEST(Files, AppDataFollowsEnvironment) {
  const char* old_app = std::getenv("APPDATA");
  const std::string saved_app = old_app ? old_app : "";
  setenv("APPDATA", "/tmp/kelp-app", 1);
  EXPECT_EQ(platform::AppDataFolder(), "/tmp/kelp-app");
  unsetenv("APPDATA");
  setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(platform::AppDataFolder(), "/tmp/xdg");
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(platform::AppDataFolder(), "/home/someone/.local/share");
  if (old_app) setenv("APPDATA", saved_app.c_str(), 1);
}

TEST(Files, InterruptedSaveLeavesOldFileWhole) {
  testenv::TempDir dir;
  const std::string path = dir / "profile.dat";
  ASSERT_TRUE(platform::SaveFileAtomic(path, std::string("old contents")));
  // The writer fails half way, as a full disk or a crash before the rename would.
  const bool ok = platform::SaveFileAtomic(path, [](platform::Stream& s) {
    s.WriteBytes("new and half");
    return false;
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(testenv::ReadFile(path), "old contents");
  EXPECT_EQ(platform::ListFolder(dir.path()), std::vector<std::string>{"profile.dat"});
  ASSERT_TRUE(platform::SaveFileAtomic(path, std::string("new")));
  EXPECT_EQ(testenv::ReadFile(path), "new");
}

namespace {

// Runs `fn` in a child process and returns its exit code; the restrictions
// (a user who is not root, a file size limit) stay in the child.
int InChild(const std::function<int()>& fn) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) _exit(fn());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

enum class Restriction { None, NotRoot, FileSizeLimit };

void Apply(Restriction r) {
  if (r == Restriction::NotRoot && geteuid() == 0) {
    // Root writes into read-only folders: save as nobody instead.
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
  }
  if (r == Restriction::FileSizeLimit) {
    // A full disk: writes beyond a few bytes fail (EFBIG rather than ENOSPC).
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lim{8, 8};
    setrlimit(RLIMIT_FSIZE, &lim);
  }
}

}  // namespace

// Every way a save can be refused keeps the old file and leaves no temporary;
// the ways that work leave exactly the new contents where the old ones were.
TEST(Files, SaveKeepsOldFileAndLeavesNoTemporary) {
  struct Case {
    const char* name;
    std::function<void(const std::string& dir)> setup;  // "save.dat" holds "old contents" unless setup changes it
    Restriction restriction;
    bool saved;
    const char* read_at;   // the file that must hold the result
    const char* expected;  // its contents afterwards
  };
  const Case cases[] = {
      {"stale temporary of the old fixed name, a folder",
       [](const std::string& d) { mkdir((d + "/save.dat.tmp").c_str(), 0755); }, Restriction::None, true, "save.dat",
       "new contents"},
      {"stale temporary of this helper's pattern",
       [](const std::string& d) { testenv::WriteFile(d + "/save.dat.tmp-AbCdEf", "left by a kill"); },
       Restriction::None, true, "save.dat", "new contents"},
      {"folder in the way",
       [](const std::string& d) {
         unlink((d + "/save.dat").c_str());
         mkdir((d + "/save.dat").c_str(), 0755);
         testenv::WriteFile(d + "/save.dat/inside", "kept");
       },
       Restriction::None, false, "save.dat/inside", "kept"},
      {"symbolic link written through to its file",
       [](const std::string& d) {
         std::rename((d + "/save.dat").c_str(), (d + "/real.dat").c_str());
         symlink("real.dat", (d + "/save.dat").c_str());
       },
       Restriction::None, true, "real.dat", "new contents"},
      {"link that loops", [](const std::string& d) {
         std::rename((d + "/save.dat").c_str(), (d + "/real.dat").c_str());
         symlink("save.dat", (d + "/save.dat").c_str());
       },
       Restriction::None, false, "real.dat", "old contents"},
      {"read-only folder", [](const std::string& d) { chmod(d.c_str(), 0555); }, Restriction::NotRoot, false,
       "save.dat", "old contents"},
      {"full disk", [](const std::string&) {}, Restriction::FileSizeLimit, false, "save.dat", "old contents"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testenv::TempDir root;
    chmod(root.path().c_str(), 0755);  // nobody must reach the case's folder
    const std::string dir = root / "user";
    ASSERT_TRUE(platform::CreateFolder(dir));
    testenv::WriteFile(dir + "/save.dat", "old contents");
    chmod((dir + "/save.dat").c_str(), 0644);
    c.setup(dir);
    const auto before = platform::ListFolder(dir);
    const int code = InChild([&] {
      Apply(c.restriction);
      return platform::SaveFileAtomic(dir + "/save.dat", std::string("new contents")) ? 0 : 1;
    });
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(code, c.saved ? 0 : 1);
    EXPECT_EQ(testenv::ReadFile(dir + "/" + c.read_at), c.expected);
    EXPECT_EQ(platform::ListFolder(dir), before);
  }
}

TEST(Files, SymlinkedSaveStaysALink) {
  testenv::TempDir dir;
  testenv::WriteFile(dir / "real.dat", "old");
  ASSERT_EQ(symlink("real.dat", (dir / "save.dat").c_str()), 0);
  ASSERT_TRUE(platform::SaveFileAtomic(dir / "save.dat", std::string("new")));
  struct stat st {};
  ASSERT_EQ(lstat((dir / "save.dat").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(testenv::ReadFile(dir / "save.dat"), "new");
}

// The soak tool's hook: every stage in order, and a process killed at any of
// them leaves the old file or the new one, whole, never a mixture.
TEST(Files, SaveStagesInOrderAndAKillAtAnyStageLeavesAWholeFile) {
  using platform::SaveStage;
  testenv::TempDir dir;
  const std::string path = dir / "save.dat";
  std::vector<SaveStage> seen;
  platform::SetSaveStageHook([&](SaveStage s) { seen.push_back(s); });
  ASSERT_TRUE(platform::SaveFileAtomic(path, std::string("old")));
  platform::SetSaveStageHook(nullptr);
  const std::vector<SaveStage> all = {SaveStage::TempOpened, SaveStage::DataWritten, SaveStage::Flushed,
                                      SaveStage::BeforeRename, SaveStage::AfterRename};
  EXPECT_EQ(seen, all);
  const std::string big(100000, 'n');
  for (SaveStage stage : all) {
    SCOPED_TRACE(static_cast<int>(stage));
    testenv::WriteFile(path, "old");
    const int code = InChild([&] {
      platform::SetSaveStageHook([&](SaveStage s) {
        if (s == stage) kill(getpid(), SIGKILL);
      });
      platform::SaveFileAtomic(path, big);
      return 0;
    });
    EXPECT_EQ(code, 128 + SIGKILL);
    EXPECT_EQ(testenv::ReadFile(path), stage == SaveStage::AfterRename ? big : "old");
  }
  seen.clear();
  EXPECT_FALSE(platform::SaveFileAtomic(path, [](platform::Stream&) { return false; }));
  EXPECT_TRUE(seen.empty());  // the hook was removed
}

TEST(Files, FreshFileReplacesALinkInsteadOfWritingThroughIt) {
  testenv::TempDir dir;
  testenv::WriteFile(dir / "victim", "precious");
  ASSERT_EQ(symlink("victim", (dir / "log.xml").c_str()), 0);
  {
    auto s = platform::CreateFileFresh(dir / "log.xml");
    ASSERT_NE(s, nullptr);
    s->WriteBytes("log");
  }
  EXPECT_EQ(testenv::ReadFile(dir / "victim"), "precious");
  EXPECT_EQ(testenv::ReadFile(dir / "log.xml"), "log");
  ASSERT_TRUE(platform::CreateFolder(dir / "taken"));
  EXPECT_EQ(platform::CreateFileFresh(dir / "taken"), nullptr);
  EXPECT_EQ(platform::ListFolder(dir.path()), (std::vector<std::string>{"log.xml", "taken", "victim"}));
}

// A huge sparse file costs nothing to the bounded reader; the whole-file
// reader refuses what is over its bound instead of allocating it.
TEST(Files, ReadsAreBoundedByTheReaderNotTheFile) {
  if (!testenv::AllocationLimit::Available()) GTEST_SKIP() << "no allocation limit under AddressSanitizer";
  testenv::TempDir dir;
  const std::string path = dir / "options.dat";
  testenv::WriteFile(path, "0123456789ABCDEF-and-more");
  ASSERT_EQ(truncate(path.c_str(), int64_t{8} << 30), 0);  // 8 GiB, sparse
  testenv::AllocationLimit limit(1 << 20);
  std::string bytes;
  EXPECT_TRUE(platform::ReadFileBytes(path, bytes, 15));
  EXPECT_EQ(bytes, "0123456789ABCDE");
  EXPECT_FALSE(platform::ReadFileBytes(path, bytes));
  EXPECT_TRUE(bytes.empty());
  std::vector<uint8_t> all;
  EXPECT_FALSE(platform::ReadStreamBytes(*platform::OpenFileRead(path), all, 1000));
  EXPECT_EQ(limit.Refused(), 0);
}

TEST(Streams, LittleEndianPrimitivesRoundTrip) {
  platform::MemoryStream m;
  m.WriteInt(-2);
  m.WriteFloat(1.5f);
  m.WriteShort(0x1234);
  m.WriteByte(200);
  m.WriteLine("abc");
  m.WriteBytes("x\ny");
  m.Seek(0);
  EXPECT_EQ(m.ReadInt(), -2);
  EXPECT_EQ(m.ReadFloat(), 1.5f);
  EXPECT_EQ(m.ReadShort(), 0x1234);
  EXPECT_EQ(m.ReadByte(), 200);
  EXPECT_EQ(m.ReadLine(), "abc");
  EXPECT_EQ(m.ReadLine(), "x");
  EXPECT_EQ(m.ReadLine(), "y");
  EXPECT_TRUE(m.Eof());
  EXPECT_EQ(m.ReadInt(), 0);  // past the end
  EXPECT_EQ(m.Data()[0], 0xFE);
}

TEST(Streams, WindowEndsAtItsOwnEnd) {
  auto base = platform::OpenMemory(std::string_view("0123456789"));
  platform::SubStream sub(base, 3, 4);
  EXPECT_EQ(sub.ReadBytes(100), "3456");
  EXPECT_TRUE(sub.Eof());
  EXPECT_FALSE(sub.Seek(5));
  EXPECT_TRUE(sub.Seek(1));
  EXPECT_EQ(sub.ReadLine(), "456");
}
