#pragma once
// Where the soak's resident memory goes: the program's own live heap (as the
// allocator counts it) beside what the allocator holds from the system, and
// the resident set split into anonymous and file-backed pages.
#include <string>

namespace soak {

struct HeapStats {
  long live_kib = 0;  // bytes the program has allocated and not freed
  long heap_kib = 0;  // what the allocator holds for its heap (0 when unknown)
  long anon_kib = 0;  // RssAnon
  long file_kib = 0;  // RssFile
};

HeapStats ReadHeap();
// The sanitizer's own figures (its stack depot among them) to stderr.
void PrintAllocatorStats();
// "live L heap H anon A file F", KiB.
std::string HeapText(const HeapStats& h);

}  // namespace soak
