// Draws a village with its buildings and villagers after some frames into a
// PNG, without a display, across its whole width:
//
//   render_village <program folder> <village 1|2> <stage> <villagers> <frames> <out.png> [--nodes]
//
// The program folder holds res.xml and data/ (the build folder). Every
// building offered by the stage is built; --nodes draws the waypoint graph.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/image.h"
#include "village_view.h"

int main(int argc, char** argv) {
  if (argc < 7) {
    std::fprintf(stderr,
                 "usage: render_village <program folder> <village 1|2> <stage> <villagers> <frames> <out.png> "
                 "[--nodes]\n");
    return 2;
  }
  char* cwd = getcwd(nullptr, 0);
  const std::string out = argv[6][0] == '/' ? argv[6] : std::string(cwd ? cwd : ".") + "/" + argv[6];
  std::free(cwd);
  const int village = std::atoi(argv[2]);
  const int stage = std::atoi(argv[3]), count = std::atoi(argv[4]), frames = std::atoi(argv[5]);
  const bool nodes = argc > 7 && std::string(argv[7]) == "--nodes";
  // The visible village: desert x -250..1050, snow x -550..1700.
  const float left = village == 2 ? -550.0f : -250.0f;
  const int width = village == 2 ? 2250 : 1300;
  if (!village_view::Open(argv[1], true, width) || !village_view::Start(village, stage, count, 7)) {
    std::fprintf(stderr, "render_village: village %d does not load from %s\n", village, argv[1]);
    return 1;
  }
  for (int frame = 0; frame < frames; ++frame) village_view::Frame();
  village_view::Draw(left);
  if (nodes) {
    platform::SetOrigin(-left, 0);
    kelp::TNode::DrawNodes();
  }
  platform::PixmapRef shot = platform::GrabCanvas();
  if (!shot || !platform::SavePixmapPNG(*shot, out)) {
    std::fprintf(stderr, "render_village: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: village %d, stage %d, %d villagers after %d frames\n", out.c_str(), village, stage, count, frames);
  village_view::Close();
  return 0;
}
