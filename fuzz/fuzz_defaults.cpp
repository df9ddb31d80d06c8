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

// The entropic schedule off unless the command line names it: the whole game
// is instrumented, and its bookkeeping of rare features took more than half
// of every execution.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static std::vector<char*> args;
  static char entropic_off[] = "-entropic=0";
  for (int i = 1; i < *argc; ++i)
    if (std::strncmp((*argv)[i], "-entropic=", 10) == 0) return 0;
  args.assign(*argv, *argv + *argc);
  // Right after the program name, so that any later flag still wins.
  args.insert(args.begin() + 1, entropic_off);
  args.push_back(nullptr);
  *argc += 1;
  *argv = args.data();
  return 0;
}
