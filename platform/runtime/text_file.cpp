#include "platform/runtime/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/runtime/errors.h"

namespace platform {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;
constexpr int kCreateAttempts = 100;
constexpr std::string_view kLineEnd = "\r\n";

std::string directory_prefix(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string{} : path.substr(0, slash + 1);
}

// A name beside the target that no other writer of this process or of
// another one picks at the same time.
std::string temporary_name(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return directory_prefix(path) + ".tapir-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter.fetch_add(1)) + ".tmp";
}

}  // namespace

WriteBytes host_write() {
  return [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); };
}

TextFileWriter::TextFileWriter(std::string path, WriteBytes write)
    : path_(std::move(path)), write_(std::move(write)) {
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    temp_path_ = temporary_name(path_);
    // Mode 0666 less the umask, as for any file the program creates.
    fd_ = ::open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) break;
    if (errno != EEXIST) {
      const int err = errno;
      temp_path_.clear();
      throw_io_error_from_errno(err);
    }
  }
  if (fd_ < 0) {
    temp_path_.clear();
    throw_io_error_from_errno(EEXIST);
  }
  buffer_.reserve(kBufferSize);
}

TextFileWriter::~TextFileWriter() { discard(); }

void TextFileWriter::write_line(std::string_view text) {
  append(text.data(), text.size());
  append(kLineEnd.data(), kLineEnd.size());
}

void TextFileWriter::append(const char* data, std::size_t size) {
  if (fd_ < 0) throw IoError(io_code::file_not_open);
  if (buffer_.size() + size > kBufferSize) flush();
  if (size >= kBufferSize) {
    write_all(data, size);  // a very long line goes out on its own
    return;
  }
  buffer_.append(data, size);
}

void TextFileWriter::flush() {
  write_all(buffer_.data(), buffer_.size());
  buffer_.clear();
}

void TextFileWriter::write_all(const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t written = write_(fd_, data + done, size - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    if (written == 0) fail(ENOSPC);  // no progress: the device takes no more
    done += static_cast<std::size_t>(written);
  }
}

void TextFileWriter::commit() {
  if (fd_ < 0) throw IoError(io_code::file_not_open);
  flush();
  if (::fsync(fd_) != 0 && errno != EINVAL) fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) fail(errno);
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) fail(errno);
  temp_path_.clear();
}

void TextFileWriter::fail(int host_errno) {
  discard();
  throw_io_error_from_errno(host_errno);
}

void TextFileWriter::discard() noexcept {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_path_.empty()) {
    ::unlink(temp_path_.c_str());
    temp_path_.clear();
  }
}

}  // namespace platform
