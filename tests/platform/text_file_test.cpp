#include "platform/runtime/text_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/runtime/errors.h"
#include "tests/platform/temp_dir.h"

namespace {

using platform::TextFileWriter;
using test_support::read_file;
using test_support::TempDir;

// A disk that takes `room` bytes, a few at a time, and then is full.
platform::WriteBytes small_disk(std::size_t room, std::size_t most_per_write = 7) {
  return [room, most_per_write](int fd, const void* data, std::size_t size) mutable -> ssize_t {
    if (room == 0) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t n = std::min({size, room, most_per_write});
    room -= n;
    return ::write(fd, data, n);
  };
}

TEST(TextFileWriter, WritesLinesWithCrLfWholeThroughShortWrites) {
  TempDir dir;
  const std::string path = dir.file("out.txt");
  const std::string long_line(200000, 'x');  // longer than any buffer of the writer
  {
    TextFileWriter file(path, small_disk(SIZE_MAX, 4093));
    file.write_line("first");
    file.write_line("");
    file.write_line(long_line);
    file.commit();
  }
  EXPECT_EQ(read_file(path), "first\r\n\r\n" + long_line + "\r\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.txt"});
}

TEST(TextFileWriter, LeavesTheOldFileWhenNotCommittedOrFailing) {
  TempDir dir;
  const std::string path = dir.file("out.txt");
  test_support::write_file(path, "old\r\n");
  {
    TextFileWriter file(path);
    file.write_line("never committed");
  }
  EXPECT_EQ(read_file(path), "old\r\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.txt"});

  TextFileWriter file(path, small_disk(10));
  try {
    for (int i = 0; i < 100000; ++i) file.write_line("0123456789");
    file.commit();
    ADD_FAILURE() << "a full disk went unnoticed";
  } catch (const platform::IoError& error) {
    EXPECT_EQ(error.code(), 101);
    EXPECT_STREQ(error.what(), "Disk full");
  }
  EXPECT_EQ(read_file(path), "old\r\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.txt"});
}

TEST(TextFileWriter, FailsToCreateWhereNoFileCanBe) {
  TempDir dir;
  try {
    TextFileWriter file(dir.file("no/such/dir/out.txt"));
    ADD_FAILURE() << "created in a missing directory";
  } catch (const platform::IoError& error) {
    EXPECT_EQ(error.code(), 2);
  }
}

}  // namespace
