#pragma once
// A text file written whole or not at all. The lines go to a temporary file
// beside the target, which replaces the target only once every line is written
// and the file is closed. Any failure removes the temporary file, leaves an
// existing target as it was and throws IoError.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// How bytes reach the open file: write(2)'s contract (bytes written, or -1
// with errno set). Tests put their own in place of the host's to fail as a
// full disk would.
using WriteBytes = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

// The host's write(2).
WriteBytes host_write();

class TextFileWriter {
 public:
  // Creates the temporary file beside `path`; throws IoError when it cannot.
  explicit TextFileWriter(std::string path, WriteBytes write = host_write());
  // Without commit(), the temporary file is removed and the target untouched.
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // Writes `text` as its bytes, unpadded, then CR LF.
  void write_line(std::string_view text);

  // Puts every byte on disk, closes the file and renames it over the target.
  void commit();

 private:
  void append(const char* data, std::size_t size);
  void flush();
  void write_all(const char* data, std::size_t size);
  [[noreturn]] void fail(int host_errno);
  void discard() noexcept;

  std::string path_;
  std::string temp_path_;
  WriteBytes write_;
  int fd_ = -1;
  std::string buffer_;
};

}  // namespace platform
