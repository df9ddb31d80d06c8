#include "soak_heap.h"

#include <malloc.h>

#include <cstdlib>
#include <fstream>

// The sanitizer's allocator answers these when the program runs under it;
// weak so that the release build links without it and falls back to glibc.
extern "C" {
size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));
size_t __sanitizer_get_heap_size() __attribute__((weak));
void __asan_print_accumulated_stats() __attribute__((weak));
}

namespace soak {

namespace {

long StatusKiB(const std::string& text, const char* key) {
  const std::string prefix = std::string("\n") + key + ":";
  const size_t at = text.find(prefix);
  return at == std::string::npos ? 0 : std::atol(text.c_str() + at + prefix.size());
}

}  // namespace

HeapStats ReadHeap() {
  HeapStats h;
  if (__sanitizer_get_current_allocated_bytes && __sanitizer_get_heap_size) {
    h.live_kib = static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
    h.heap_kib = static_cast<long>(__sanitizer_get_heap_size() / 1024);
  } else {
    // glibc's main arena and its large mappings: the game allocates on its main thread.
    const struct mallinfo2 m = mallinfo2();
    h.live_kib = static_cast<long>((m.uordblks + m.hblkhd) / 1024);
    h.heap_kib = static_cast<long>((m.arena + m.hblkhd) / 1024);
  }
  std::ifstream in("/proc/self/status");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  h.anon_kib = StatusKiB(text, "RssAnon");
  h.file_kib = StatusKiB(text, "RssFile");
  return h;
}

void PrintAllocatorStats() {
  if (__asan_print_accumulated_stats) __asan_print_accumulated_stats();
}

std::string HeapText(const HeapStats& h) {
  return "live " + std::to_string(h.live_kib) + " heap " + std::to_string(h.heap_kib) + " anon " +
         std::to_string(h.anon_kib) + " file " + std::to_string(h.file_kib);
}

}  // namespace soak
