// Draws a level as the running level shows it, after some frames of its
// world, into a PNG, without a display:
//
//   render_level <program folder> <level> <frames> <out.png> [--statics]
//
// The program folder holds res.xml and data/ (the build folder). --statics
// draws every static of the physics world over the picture (moving ones in
// yellow) and the static paths' nodes.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "level_view.h"
#include "platform/image.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: render_level <program folder> <level> <frames> <out.png> [--statics]\n");
    return 2;
  }
  char* cwd = getcwd(nullptr, 0);
  const std::string out = argv[4][0] == '/' ? argv[4] : std::string(cwd ? cwd : ".") + "/" + argv[4];
  std::free(cwd);
  const int level = std::atoi(argv[2]);
  const int frames = std::atoi(argv[3]);
  const bool statics = argc > 5 && std::string(argv[5]) == "--statics";

  const int levels = level_view::Open(argv[1]);
  if (level < 1 || level > levels || !level_view::Load(level)) {
    std::fprintf(stderr, "render_level: level %d does not load from %s\n", level, argv[1]);
    return 1;
  }
  for (int frame = 0; frame < frames; ++frame) level_view::Frame(frame);
  level_view::Draw(statics);
  platform::PixmapRef shot = platform::GrabCanvas();
  if (!shot || !platform::SavePixmapPNG(*shot, out)) {
    std::fprintf(stderr, "render_level: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: level %d after %d frames\n", out.c_str(), level, frames);
  return 0;
}
