#pragma once
// A capture file opened for reading only, while other programs may go on
// reading and writing it. Its size is taken when it is opened: a capture that
// is still being written is read up to that size.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class CaptureFile {
 public:
  // Throws IoError when the file cannot be opened or its size taken. Anything
  // but a regular file (a directory, a named pipe, a device) is refused with
  // "File access denied", so that opening a pipe never waits for a writer.
  explicit CaptureFile(const std::string& path);
  ~CaptureFile();
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;

  std::uint64_t size() const noexcept { return size_; }
  std::uint64_t position() const noexcept { return position_; }
  bool at_end() const noexcept { return position_ >= size_; }
  bool is_open() const noexcept { return fd_ >= 0; }

  // Reads up to `count` bytes, never past size(). Returns how many were read:
  // fewer than asked only at size() or when the file has shrunk since it was
  // opened. A failed read throws IoError.
  std::size_t read(void* buffer, std::size_t count);

  void close() noexcept;

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
};

}  // namespace platform
