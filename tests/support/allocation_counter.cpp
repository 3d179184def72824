// Replaces the global allocation functions of the test binary so that a test can count the
// heap allocations made inside one operation.
#include <cstdlib>
#include <new>

#include "tests/support/stream_port.h"

namespace {
thread_local long t_allocations = 0;
thread_local int t_counting = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (t_counting > 0) ++t_allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

namespace zv::test {
AllocationCounter::AllocationCounter() {
  t_allocations = 0;
  ++t_counting;
}
AllocationCounter::~AllocationCounter() {
  --t_counting;
}
long AllocationCounter::count() const {
  return t_allocations;
}
}  // namespace zv::test
