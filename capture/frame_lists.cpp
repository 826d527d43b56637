#include "capture/frame_lists.h"

#include <algorithm>
#include <cstring>

namespace capture {

namespace {
// Blocks grow from 2 MB to 64 MB: few blocks for a large capture, little
// memory for a small one.
constexpr std::size_t kFirstBlock = std::size_t{2} << 20;
constexpr std::size_t kLargestBlock = std::size_t{64} << 20;
}  // namespace

TextStore& TextStore::operator=(TextStore&& other) noexcept {
  blocks_ = std::move(other.blocks_);
  block_start_ = std::exchange(other.block_start_, nullptr);
  cursor_ = std::exchange(other.cursor_, nullptr);
  limit_ = std::exchange(other.limit_, nullptr);
  next_block_ = std::exchange(other.next_block_, 0);
  other.blocks_.clear();
  return *this;
}

void TextStore::start_block(std::size_t size) {
  blocks_.reserve(blocks_.size() + 1);  // so that the new block cannot be lost
  Block block(static_cast<char*>(platform::allocate_big(size)), Release{size});
  block_start_ = cursor_ = block.get();
  limit_ = cursor_ + size;
  blocks_.push_back(std::move(block));
}

void TextStore::start_next_block(std::size_t at_least) {
  next_block_ = std::clamp(2 * next_block_, kFirstBlock, kLargestBlock);
  start_block(std::max(at_least, next_block_));
}

void TextStore::reserve(std::size_t size) {
  if (static_cast<std::size_t>(limit_ - cursor_) < size) start_block(size);
}

std::string_view TextStore::keep(std::string_view text) {
  if (text.empty()) return {};
  char* copy = allocate(text.size());
  std::memcpy(copy, text.data(), text.size());
  return {copy, text.size()};
}

void TextStore::clear() noexcept {
  blocks_.clear();
  block_start_ = cursor_ = limit_ = nullptr;
  next_block_ = 0;
}

void FrameLists::clear() noexcept {
  Memo1.clear();
  Memo2.clear();
  Memo3.clear();
  Memo4.clear();
  frame_count = 0;
  text.clear();
  std::vector<bool>().swap(memo2_escaped);
}

}  // namespace capture
