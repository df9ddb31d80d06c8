#include "alloc_limit.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELP_NO_ALLOC_LIMIT 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KELP_NO_ALLOC_LIMIT 1
#endif

namespace testenv {
namespace {
std::atomic<size_t> g_limit{0};  // 0: no limit
std::atomic<int> g_refused{0};
std::atomic<size_t> g_largest{0};
}  // namespace

AllocationLimit::AllocationLimit(size_t max_bytes) {
  g_refused = 0;
  g_largest = 0;
  g_limit = max_bytes;
}
AllocationLimit::~AllocationLimit() { g_limit = 0; }
int AllocationLimit::Refused() const { return g_refused; }
size_t AllocationLimit::Largest() const { return g_largest; }

#ifdef KELP_NO_ALLOC_LIMIT
bool AllocationLimit::Available() { return false; }
#else
bool AllocationLimit::Available() { return true; }
#endif

}  // namespace testenv

#ifndef KELP_NO_ALLOC_LIMIT
namespace {
void* Allocate(std::size_t n) {
  if (const size_t limit = testenv::g_limit.load(std::memory_order_relaxed); limit && n > limit) {
    ++testenv::g_refused;
    size_t seen = testenv::g_largest;
    while (n > seen && !testenv::g_largest.compare_exchange_weak(seen, n)) {
    }
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#endif
