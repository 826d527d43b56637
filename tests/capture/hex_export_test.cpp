#include "capture/hex_export.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/runtime/errors.h"
#include "tests/platform/temp_dir.h"

namespace {

using capture::LineList;
using capture::write_hex_file;
using test_support::read_file;
using test_support::TempDir;

LineList three_frames() {
  LineList lines;
  lines.append("86 A2 40 C0 42 ");
  lines.append("41 ");
  lines.append("DB 00 FF ");
  return lines;
}
constexpr const char* kThreeLines = "86 A2 40 C0 42 \r\n41 \r\nDB 00 FF \r\n";

int io_error_of(const std::function<void()>& write) {
  try {
    write();
  } catch (const platform::IoError& error) {
    return error.code();
  }
  return 0;
}

TEST(WriteHexFile, OneCrLfLinePerFrameReplacingTheLastFile) {
  TempDir dir;
  const std::string path = dir.file("pass.HEX");
  const LineList lines = three_frames();
  write_hex_file(path, lines, 3);
  EXPECT_EQ(read_file(path), kThreeLines);
  write_hex_file(path, lines, 3);
  EXPECT_EQ(read_file(path), kThreeLines);
  write_hex_file(path, lines, 1);  // a shorter file replaces a longer one
  EXPECT_EQ(read_file(path), "86 A2 40 C0 42 \r\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"pass.HEX"});
}

TEST(WriteHexFile, LinesPastTheListAreEmptyAndLongLinesStayWhole) {
  TempDir dir;
  const std::string path = dir.file("pass.HEX");
  write_hex_file(path, LineList{}, 2);  // a load that failed: frames counted, no unescaped lines
  EXPECT_EQ(read_file(path), "\r\n\r\n");
  write_hex_file(path, LineList{}, 0);
  EXPECT_EQ(read_file(path), "");

  std::string long_line;
  for (int i = 0; i < 2000; ++i) long_line += "AB ";  // past 4096 characters
  LineList lines;
  lines.append(long_line);
  write_hex_file(path, lines, 1);
  EXPECT_EQ(read_file(path), long_line + "\r\n");
}

TEST(WriteHexFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.file("pass.HEX");
  test_support::write_file(path, "old\r\n");
  LineList many;
  for (int i = 0; i < 50000; ++i) many.append("41 42 43 44 ");

  const platform::WriteBytes full_disk = [written = std::size_t{0}](int fd, const void* data,
                                                                    std::size_t size) mutable -> ssize_t {
    if (written >= 100000) {
      errno = ENOSPC;
      return -1;
    }
    written += size;
    return ::write(fd, data, size);
  };
  EXPECT_EQ(io_error_of([&] { write_hex_file(path, many, 50000, full_disk); }), 101);
  EXPECT_EQ(read_file(path), "old\r\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"pass.HEX"});

  // A directory in the way of the target.
  const std::string blocked = dir.file("blocked.HEX");
  ASSERT_EQ(::mkdir(blocked.c_str(), 0755), 0);
  EXPECT_EQ(io_error_of([&] { write_hex_file(blocked, three_frames(), 3); }), 5);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"blocked.HEX", "pass.HEX"}));
}

TEST(WriteHexFile, AnUnwritableDirectoryKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.file("pass.HEX");
  test_support::write_file(path, "old\r\n");
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  if (::access(dir.path().c_str(), W_OK) == 0) GTEST_SKIP() << "this user may write anywhere";
  EXPECT_EQ(io_error_of([&] { write_hex_file(path, three_frames(), 3); }), 5);
  EXPECT_EQ(read_file(path), "old\r\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"pass.HEX"});
}

}  // namespace
