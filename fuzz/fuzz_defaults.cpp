// Linked into every libFuzzer binary (not the corpus runners): settings that
// keep an execution lean without taking a check away. The command line and
// ASAN_OPTIONS still override them.
#include <cstring>
#include <vector>

// Two frames of allocation stack instead of thirty and a smaller quarantine
// of freed memory: the readers allocate a lot, and with the defaults the
// allocator's bookkeeping and fresh pages cost more than the reading. The
// leak check stays on.
extern "C" const char* __asan_default_options() {
  return "malloc_context_size=2:quarantine_size_mb=16:detect_leaks=1";
}

// Flags the command line does not name get these values, placed right after
// the program name so that any later flag still wins:
// - the entropic schedule off: the whole game is instrumented, and its
//   bookkeeping of rare features took more than half of every execution;
// - the target's standard output and error closed: the readers log every
//   fault of a hostile file to standard error, a line or more per input, and
//   a missing resource is printed to standard output. libFuzzer's own output
//   and the sanitizer reports still show; -close_fd_mask=0 shows the rest.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static std::vector<char*> args;
  static char entropic_off[] = "-entropic=0";
  static char output_closed[] = "-close_fd_mask=3";
  bool entropic = false, mask = false;
  for (int i = 1; i < *argc; ++i) {
    entropic |= std::strncmp((*argv)[i], "-entropic=", 10) == 0;
    mask |= std::strncmp((*argv)[i], "-close_fd_mask=", 15) == 0;
  }
  args.assign(*argv, *argv + *argc);
  if (!mask) args.insert(args.begin() + 1, output_closed);
  if (!entropic) args.insert(args.begin() + 1, entropic_off);
  args.push_back(nullptr);
  *argc = static_cast<int>(args.size()) - 1;
  *argv = args.data();
  return 0;
}
