#pragma once
// The four frame lists of a loaded capture. Lines are views into one text
// store that the lists share: the satellite's and the time-stamp lines are the
// same text as their line among all frames, and an unescaped line that needed
// no change is the same text as its escaped one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/runtime/big_memory.h"

namespace capture {

// Append-only storage for line text; what it hands out stays put until clear().
class TextStore {
 public:
  TextStore() = default;
  TextStore(TextStore&& other) noexcept { *this = std::move(other); }
  TextStore& operator=(TextStore&& other) noexcept;
  ~TextStore() = default;

  // Room for `size` characters, contiguous. Inline: the reader asks once per frame.
  char* allocate(std::size_t size) {
    if (static_cast<std::size_t>(limit_ - cursor_) < size) start_next_block(size);
    char* start = cursor_;
    cursor_ += size;
    return start;
  }
  // Gives back the unused tail of the most recent allocation.
  void shrink_last(char* end_of_used) noexcept {
    if (end_of_used >= block_start_ && end_of_used <= cursor_) cursor_ = end_of_used;
  }
  // A copy of `text` that lives as long as the store.
  std::string_view keep(std::string_view text);
  // Makes the next `size` characters of allocations come from one block, so
  // that a reader that knows an upper bound of its text wastes no block tails.
  void reserve(std::size_t size);
  void clear() noexcept;

 private:
  struct Release {
    std::size_t size = 0;
    void operator()(char* block) const noexcept { platform::release_big(block, size); }
  };
  using Block = std::unique_ptr<char[], Release>;
  void start_block(std::size_t size);
  void start_next_block(std::size_t at_least);

  std::vector<Block> blocks_;
  char* block_start_ = nullptr;
  char* cursor_ = nullptr;
  char* limit_ = nullptr;
  std::size_t next_block_ = 0;
};

// An ordered list of hex-text lines, only ever appended to.
class LineList {
 public:
  std::size_t size() const noexcept { return lines_.size(); }
  bool empty() const noexcept { return lines_.empty(); }

  // Entry `index` counted from 0; an index at or past the end gives an empty line.
  std::string_view operator[](std::size_t index) const noexcept {
    return index < lines_.size() ? lines_[index] : std::string_view{};
  }
  // Line k counted from 1; outside 1..size() it is empty.
  std::string_view line(std::int64_t k) const noexcept {
    return k >= 1 ? (*this)[static_cast<std::size_t>(k - 1)] : std::string_view{};
  }

  // The text must live as long as the list's contents (a TextStore, or a literal).
  void append(std::string_view text) { lines_.push_back(text); }
  void reserve(std::size_t count) { lines_.reserve(count); }
  // Empties the list and gives its memory back.
  void clear() noexcept { decltype(lines_)().swap(lines_); }

  auto begin() const noexcept { return lines_.begin(); }
  auto end() const noexcept { return lines_.end(); }

 private:
  std::vector<std::string_view, platform::BigAllocator<std::string_view>> lines_;
};

struct FrameLists {
  LineList Memo1;  // every frame, as stored
  LineList Memo2;  // the satellite's frames, as stored (escaped)
  LineList Memo3;  // the satellite's frames, unescaped
  LineList Memo4;  // the reception time-stamp frames, as stored
  std::int32_t frame_count = 0;
  TextStore text;  // behind every line of the four lists
  // For each line of Memo2 that carrega added, whether it holds an escape
  // (a "DB " group), noted while the frame was at hand, so that restaura
  // need not read every line again. Lines added otherwise are examined.
  std::vector<bool> memo2_escaped;

  FrameLists() = default;
  FrameLists(const FrameLists&) = delete;
  FrameLists& operator=(const FrameLists&) = delete;
  FrameLists(FrameLists&&) noexcept = default;
  FrameLists& operator=(FrameLists&&) noexcept = default;

  // Empties the four lists and sets frame_count to 0, as before each load.
  void clear() noexcept;
};

}  // namespace capture
