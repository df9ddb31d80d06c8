#include "framework/core/path.h"

#include <gtest/gtest.h>

namespace kelp {
namespace {

TEST(Path, PiecesOfAPath) {
  struct Case {
    const char* path;
    const char* name;
    const char* folder;
    const char* ext;
    const char* suffixed;  // with "_anim" before the extension
    const char* png;       // with the extension "png"
  };
  const Case cases[] = {
      {"a/b.png", "b.png", "a", "png", "a/b_anim.png", "a/b.png"},
      {"a\\b\\c.jpg", "c.jpg", "a\\b", "jpg", "a\\b\\c_anim.jpg", "a\\b\\c.png"},
      {"plain", "plain", "", "", "", "plain.png"},
      {"dir.d/file", "file", "dir.d", "", "", "dir.d/file.png"},
      {"x.tar.gz", "x.tar.gz", "", "gz", "x.tar_anim.gz", "x.tar.png"},
      {"", "", "", "", "", ".png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FileName(c.path), c.name);
    EXPECT_EQ(FolderOf(c.path), c.folder);
    EXPECT_EQ(Extension(c.path), c.ext);
    EXPECT_EQ(WithNameSuffix(c.path, "_anim"), c.suffixed);
    EXPECT_EQ(WithExtension(c.path, "png"), c.png);
  }
  EXPECT_EQ(JoinPath("a", "b.png"), "a/b.png");
  EXPECT_EQ(JoinPath("", "b.png"), "b.png");
  EXPECT_EQ(JoinPath("a/", "b.png"), "a/b.png");
  EXPECT_EQ(JoinPath("a\\", "b.png"), "a\\b.png");
}

}  // namespace
}  // namespace kelp
