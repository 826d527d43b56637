// A ".HEX" export that cannot be completed (full disk, read-only directory,
// a directory in the way) raises its I/O error, leaves the previous file as
// it was and leaves no temporary file behind.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "capture/frame_lists.h"
#include "capture/hex_export.h"
#include "platform/runtime/errors.h"
#include "tests/hardening/scratch_dir.h"

namespace hardening {
namespace {

const std::string kPrevious = "41 42 \r\n";

// What a failed export did, as a child process can report it.
enum Outcome : int {
  kAsExpected = 0,
  kNoError = 1,
  kOtherCode = 2,
  kPreviousChanged = 3,
  kTemporaryLeft = 4,
  kSetUpFailed = 5,
};

const char* describe(int outcome) {
  switch (outcome) {
    case kAsExpected: return "as expected";
    case kNoError: return "the export reported success";
    case kOtherCode: return "the export failed with another I/O error";
    case kPreviousChanged: return "the previous .HEX file was changed";
    case kTemporaryLeft: return "a file was left behind";
    case kSetUpFailed: return "the test could not set up its directory";
    default: return "the child process failed";
  }
}

// `lines` lines of `width` bytes each, kept in `lists`.
void fill(capture::FrameLists& lists, int lines, std::size_t width) {
  const std::string line = [&] {
    std::string text;
    for (std::size_t i = 0; i < width; ++i) text += "C0 ";
    return text;
  }();
  for (int k = 0; k < lines; ++k) {
    lists.Memo3.append(lists.text.keep(line));
    ++lists.frame_count;
  }
}

// Writes a previous .HEX file in `dir`, runs `prepare`, exports over it and
// checks the result; the outcome says what went wrong.
template <typename Prepare>
int export_fails_cleanly(const std::string& dir, const capture::FrameLists& lists, int expected_code,
                         Prepare prepare) {
  const std::string target = dir + "/capture.HEX";
  try {
    write_file(target, Bytes(kPrevious.begin(), kPrevious.end()));
  } catch (const std::exception&) {
    return kSetUpFailed;
  }
  if (!prepare()) return kSetUpFailed;
  int outcome = kAsExpected;
  try {
    capture::write_hex_file(target, lists.Memo3, lists.frame_count);
    outcome = kNoError;
  } catch (const platform::IoError& error) {
    if (error.code() != expected_code) outcome = kOtherCode;
  }
  if (outcome != kAsExpected) return outcome;
  if (read_file(target) != kPrevious) return kPreviousChanged;
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++entries;
  return entries == 1 ? kAsExpected : kTemporaryLeft;
}

void expect_outcome(int outcome) {
  if (outcome == kNoNamespace) GTEST_SKIP() << "no private mount namespace allowed here";
  EXPECT_EQ(outcome, kAsExpected) << describe(outcome);
}

// A real full disk: a small file system of its own, mounted where only this
// test's child process sees it.
TEST(HostileExportTest, FullDiskKeepsThePreviousFile) {
  ScratchDir scratch;
  capture::FrameLists lists;
  fill(lists, 4000, 100);  // 1.2 MB against a 256 kB file system
  const std::string dir = scratch.path().string();
  expect_outcome(in_private_mounts([&] {
    if (::mount("tapir-full", dir.c_str(), "tmpfs", 0, "size=256k") != 0) return int{kNoNamespace};
    return export_fails_cleanly(dir, lists, platform::io_code::disk_full, [] { return true; });
  }));
}

// A disk with room for `room` bytes, taken a few at a time.
platform::WriteBytes disk_with_room(std::size_t room) {
  return [room](int fd, const void* data, std::size_t size) mutable -> ssize_t {
    if (room == 0) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t n = std::min({size, room, std::size_t{4093}});
    room -= n;
    return ::write(fd, data, n);
  };
}

// The disk fills at the first byte, at the second, or at the very last one,
// when every line is already written and only the final flush is left.
TEST(HostileExportTest, DiskFullAtAnyByteKeepsThePreviousFile) {
  capture::FrameLists lists;
  fill(lists, 3000, 40);
  const std::size_t whole = 3000 * (3 * 40 + 2);
  for (const std::size_t room : {std::size_t{0}, std::size_t{1}, whole - 1, whole}) {
    SCOPED_TRACE(room);
    ScratchDir scratch;
    const std::string target = scratch.file("capture.HEX");
    write_file(target, Bytes(kPrevious.begin(), kPrevious.end()));
    try {
      capture::write_hex_file(target, lists.Memo3, lists.frame_count, disk_with_room(room));
      EXPECT_EQ(room, whole) << "a full disk went unnoticed";
      EXPECT_EQ(read_file(target).size(), whole);
    } catch (const platform::IoError& error) {
      EXPECT_LT(room, whole);
      EXPECT_EQ(error.code(), platform::io_code::disk_full);
      EXPECT_EQ(read_file(target), kPrevious);
    }
    EXPECT_EQ(scratch.entries(), std::vector<std::string>{"capture.HEX"});
  }
}

TEST(HostileExportTest, ReadOnlyDirectoryKeepsThePreviousFile) {
  ScratchDir scratch;
  capture::FrameLists lists;
  fill(lists, 3, 20);
  const std::string dir = scratch.path().string();
  if (::geteuid() != 0) {  // permission bits hold for everybody but the superuser
    expect_outcome(export_fails_cleanly(dir, lists, platform::io_code::access_denied,
                                        [&] { return ::chmod(dir.c_str(), 0555) == 0; }));
    return;
  }
  expect_outcome(in_private_mounts([&] {
    if (::mount("tapir-ro", dir.c_str(), "tmpfs", 0, "size=256k") != 0) return int{kNoNamespace};
    return export_fails_cleanly(dir, lists, platform::io_code::access_denied, [&] {
      return ::mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    });
  }));
}

// Renaming the finished file over a directory fails late, after every line
// was written: the directory stays and the written file does not linger.
TEST(HostileExportTest, DirectoryInTheWayIsRefusedAndNothingLingers) {
  ScratchDir scratch;
  capture::FrameLists lists;
  fill(lists, 3, 20);
  const std::string target = scratch.file("capture.HEX");
  std::filesystem::create_directory(target);
  EXPECT_THROW(capture::write_hex_file(target, lists.Memo3, lists.frame_count), platform::IoError);
  EXPECT_TRUE(std::filesystem::is_directory(target));
  EXPECT_EQ(scratch.entries(), std::vector<std::string>{"capture.HEX"});
}

TEST(HostileExportTest, MissingDirectoryIsRefused) {
  ScratchDir scratch;
  capture::FrameLists lists;
  fill(lists, 1, 20);
  try {
    capture::write_hex_file(scratch.file("gone/capture.HEX"), lists.Memo3, lists.frame_count);
    ADD_FAILURE() << "the export reported success";
  } catch (const platform::IoError& error) {
    EXPECT_EQ(error.code(), platform::io_code::file_not_found);
  }
  EXPECT_TRUE(scratch.entries().empty());
}

}  // namespace
}  // namespace hardening
