#include "platform/runtime/big_memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t rounded(std::size_t size) { return (size + kHugePage - 1) / kHugePage * kHugePage; }

}  // namespace

void* allocate_big(std::size_t size) {
  const std::size_t length = rounded(size == 0 ? 1 : size);
  // One huge page more than needed, so that the start can be aligned to one.
  void* mapped = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto base = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (base + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > base) ::munmap(mapped, aligned - base);
  const std::size_t tail = base + length + kHugePage - (aligned + length);
  if (tail > 0) ::munmap(reinterpret_cast<void*>(aligned + length), tail);
#ifdef MADV_HUGEPAGE
  ::madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);  // a hint: failure is harmless
#endif
  return reinterpret_cast<void*>(aligned);
}

void release_big(void* memory, std::size_t size) noexcept {
  if (memory) ::munmap(memory, rounded(size == 0 ? 1 : size));
}

}  // namespace platform
