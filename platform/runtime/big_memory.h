#pragma once
// Memory for the large arrays of a loaded capture (its hex text and line
// lists), taken straight from the system and, where the system has them, in
// huge pages: a capture of 64 MB becomes about 200 MB of text, and touching
// that in 4 kB pages costs more than making it.

#include <cstddef>
#include <new>

namespace platform {

// At least `size` bytes, not initialised; throws std::bad_alloc.
void* allocate_big(std::size_t size);
// Gives back what allocate_big(size) returned.
void release_big(void* memory, std::size_t size) noexcept;

// Arrays from this size on come from allocate_big, smaller ones from new.
inline constexpr std::size_t kBigAllocation = std::size_t{1} << 20;

template <typename T>
struct BigAllocator {
  using value_type = T;
  BigAllocator() noexcept = default;
  template <typename U>
  BigAllocator(const BigAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes >= kBigAllocation) return static_cast<T*>(allocate_big(bytes));
    return static_cast<T*>(::operator new(bytes));
  }
  void deallocate(T* p, std::size_t n) noexcept {
    const std::size_t bytes = n * sizeof(T);
    if (bytes >= kBigAllocation) {
      release_big(p, bytes);
    } else {
      ::operator delete(p);
    }
  }
  template <typename U>
  bool operator==(const BigAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace platform
