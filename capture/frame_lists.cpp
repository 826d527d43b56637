#include "capture/frame_lists.h"

#include <algorithm>
#include <cstring>

namespace capture {

namespace {
constexpr std::size_t kMinBlock = std::size_t{1} << 20;
}

char* TextStore::allocate(std::size_t size) {
  if (static_cast<std::size_t>(limit_ - cursor_) < size) {
    const std::size_t block_size = std::max(size, kMinBlock);
    // Not value-initialised: pages are only touched as text is written.
    blocks_.push_back({std::unique_ptr<char[]>(new char[block_size]), block_size});
    cursor_ = blocks_.back().data.get();
    limit_ = cursor_ + block_size;
  }
  char* start = cursor_;
  cursor_ += size;
  return start;
}

void TextStore::shrink_last(char* end_of_used) noexcept {
  if (!blocks_.empty() && end_of_used >= blocks_.back().data.get() && end_of_used <= cursor_) {
    cursor_ = end_of_used;
  }
}

std::string_view TextStore::keep(std::string_view text) {
  if (text.empty()) return {};
  char* copy = allocate(text.size());
  std::memcpy(copy, text.data(), text.size());
  return {copy, text.size()};
}

void TextStore::clear() noexcept {
  blocks_.clear();
  cursor_ = limit_ = nullptr;
}

void FrameLists::clear() noexcept {
  Memo1.clear();
  Memo2.clear();
  Memo3.clear();
  Memo4.clear();
  frame_count = 0;
  text.clear();
}

}  // namespace capture
