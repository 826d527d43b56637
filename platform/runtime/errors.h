#pragma once
// The two failures that end a command: a failed file operation and a failed
// hex-to-integer conversion. Both carry the message the user sees.

#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// I/O result codes with a message of their own; any other code reads "I/O error N".
namespace io_code {
inline constexpr int file_not_found = 2;
inline constexpr int invalid_filename = 3;
inline constexpr int too_many_open_files = 4;
inline constexpr int access_denied = 5;
inline constexpr int read_beyond_end_of_file = 100;
inline constexpr int disk_full = 101;
inline constexpr int file_not_open = 103;  // no message of its own
inline constexpr int invalid_numeric_input = 106;
}  // namespace io_code

std::string io_error_message(int code);

// Maps a host errno value onto the I/O result code reported for it.
int io_code_from_errno(int host_errno);

class IoError : public std::runtime_error {
 public:
  explicit IoError(int code);
  int code() const noexcept { return code_; }

 private:
  int code_;
};

// Throws the IoError that matches a host errno value.
[[noreturn]] void throw_io_error_from_errno(int host_errno);

class ConvertError : public std::runtime_error {
 public:
  // `text` is the whole text that was converted, "$" included.
  explicit ConvertError(std::string_view text);
};

}  // namespace platform
