#include "platform/runtime/errors.h"

#include <cerrno>

namespace platform {

namespace {

struct CodeMessage {
  int code;
  const char* message;
};

constexpr CodeMessage kMessages[] = {
    {io_code::file_not_found, "File not found"},
    {io_code::invalid_filename, "Invalid filename"},
    {io_code::too_many_open_files, "Too many open files"},
    {io_code::access_denied, "File access denied"},
    {io_code::read_beyond_end_of_file, "Read beyond end of file"},
    {io_code::disk_full, "Disk full"},
    {io_code::invalid_numeric_input, "Invalid numeric input"},
};

struct ErrnoCode {
  int host_errno;
  int code;
};

constexpr ErrnoCode kErrnoCodes[] = {
    {ENOENT, io_code::file_not_found},
    {ENOTDIR, io_code::invalid_filename},
    {ENAMETOOLONG, io_code::invalid_filename},
    {EINVAL, io_code::invalid_filename},
    {EILSEQ, io_code::invalid_filename},
    {ELOOP, io_code::invalid_filename},
    {EMFILE, io_code::too_many_open_files},
    {ENFILE, io_code::too_many_open_files},
    {EACCES, io_code::access_denied},
    {EPERM, io_code::access_denied},
    {EROFS, io_code::access_denied},
    {EISDIR, io_code::access_denied},
    {ETXTBSY, io_code::access_denied},
    {ENXIO, io_code::access_denied},  // a socket or a device without its hardware: no file to read
    {ENOSPC, io_code::disk_full},
    {EDQUOT, io_code::disk_full},
    {EFBIG, io_code::disk_full},
};

}  // namespace

std::string io_error_message(int code) {
  for (const auto& entry : kMessages) {
    if (entry.code == code) return entry.message;
  }
  return "I/O error " + std::to_string(code);
}

int io_code_from_errno(int host_errno) {
  for (const auto& entry : kErrnoCodes) {
    if (entry.host_errno == host_errno) return entry.code;
  }
  return host_errno;
}

IoError::IoError(int code) : std::runtime_error(io_error_message(code)), code_(code) {}

void throw_io_error_from_errno(int host_errno) { throw IoError(io_code_from_errno(host_errno)); }

namespace {
std::string convert_error_message(std::string_view text) {
  std::string message;
  message.reserve(text.size() + 32);
  message.append("'").append(text).append("' is not a valid integer value");
  return message;
}
}  // namespace

ConvertError::ConvertError(std::string_view text) : std::runtime_error(convert_error_message(text)) {}

}  // namespace platform
