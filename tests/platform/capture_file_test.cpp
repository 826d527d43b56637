#include "platform/runtime/capture_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>

#include <filesystem>
#include <fstream>

#include "platform/runtime/errors.h"
#include "tests/platform/temp_dir.h"

namespace {

using platform::CaptureFile;
using test_support::TempDir;

int open_error_code(const std::string& path) {
  try {
    CaptureFile file(path);
  } catch (const platform::IoError& error) {
    return error.code();
  }
  return 0;
}

TEST(CaptureFile, RefusesWhatCannotBeReadAsACapture) {
  TempDir dir;
  const std::string fifo = dir.file("pipe.kss");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string socket_path = dir.file("socket.kss");
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const struct {
    std::string path;
    int code;
  } cases[] = {
      {dir.file("missing.kss"), 2},
      {dir.file("missing/deeper.kss"), 2},
      {dir.path().string(), 5},  // a directory
      {fifo, 5},                 // a named pipe without a writer: must not wait for one
      {"/dev/null", 5},          // a device
      {socket_path, 5},
      {std::string(5000, 'a'), 3},
  };
  for (const auto& c : cases) EXPECT_EQ(open_error_code(c.path), c.code) << c.path.substr(0, 80);
  ::close(listener);
}

TEST(CaptureFile, ReadsUpToTheSizeTakenAtOpen) {
  TempDir dir;
  const std::string path = dir.file("growing.kss");
  test_support::write_file(path, "0123456789");
  CaptureFile file(path);
  ASSERT_EQ(file.size(), 10u);

  // The capture tool goes on writing after the open.
  std::ofstream(path, std::ios::binary | std::ios::app) << "abcdef";
  char buffer[64];
  EXPECT_EQ(file.read(buffer, 4), 4u);
  EXPECT_FALSE(file.at_end());
  EXPECT_EQ(file.read(buffer, sizeof buffer), 6u);
  EXPECT_EQ(std::string_view(buffer, 6), "456789");
  EXPECT_TRUE(file.at_end());
  EXPECT_EQ(file.read(buffer, sizeof buffer), 0u);
  file.close();
  EXPECT_FALSE(file.is_open());
  EXPECT_THROW(file.read(buffer, 1), platform::IoError);
}

TEST(CaptureFile, ReadsFewerBytesWhenTheFileShrank) {
  TempDir dir;
  const std::string path = dir.file("cut.kss");
  test_support::write_file(path, "0123456789");
  CaptureFile file(path);
  std::filesystem::resize_file(path, 3);
  char buffer[16];
  EXPECT_EQ(file.read(buffer, sizeof buffer), 3u);
  EXPECT_FALSE(file.at_end());  // the size stays the one taken at open
}

}  // namespace
