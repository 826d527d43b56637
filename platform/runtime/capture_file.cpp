#include "platform/runtime/capture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/runtime/errors.h"

namespace platform {

CaptureFile::CaptureFile(const std::string& path) {
  // O_NONBLOCK: opening a named pipe would otherwise wait for a writer.
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) throw_io_error_from_errno(errno);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    const int err = errno;
    close();
    throw_io_error_from_errno(err);
  }
  if (!S_ISREG(info.st_mode)) {
    close();
    throw IoError(io_code::access_denied);
  }
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) < 0) {
    const int err = errno;
    close();
    throw_io_error_from_errno(err);
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
}

CaptureFile::~CaptureFile() { close(); }

std::size_t CaptureFile::read(void* buffer, std::size_t count) {
  if (fd_ < 0) throw IoError(io_code::file_not_open);
  const std::uint64_t left = size_ - std::min(position_, size_);
  if (count > left) count = static_cast<std::size_t>(left);
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(fd_, out + done, count - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw_io_error_from_errno(errno);
    }
    if (got == 0) break;  // the file has shrunk
    done += static_cast<std::size_t>(got);
  }
  position_ += done;
  return done;
}

void CaptureFile::close() noexcept {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

}  // namespace platform
