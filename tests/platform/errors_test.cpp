#include "platform/runtime/errors.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(IoError, CarriesCodeAndTableMessage) {
  const struct {
    int code;
    const char* message;
  } cases[] = {
      {2, "File not found"},       {3, "Invalid filename"},        {4, "Too many open files"},
      {5, "File access denied"},   {100, "Read beyond end of file"}, {101, "Disk full"},
      {106, "Invalid numeric input"}, {32, "I/O error 32"},        {1234, "I/O error 1234"},
  };
  for (const auto& c : cases) {
    const platform::IoError error(c.code);
    EXPECT_EQ(error.code(), c.code);
    EXPECT_STREQ(error.what(), c.message);
  }
}

TEST(IoError, HostErrorsMapOntoTheirCodes) {
  const struct {
    int host;
    int code;
  } cases[] = {
      {ENOENT, 2}, {ENAMETOOLONG, 3}, {EMFILE, 4}, {ENFILE, 4}, {EACCES, 5},
      {EROFS, 5},  {EISDIR, 5},       {ENXIO, 5},  {ENOSPC, 101}, {EIO, EIO},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::io_code_from_errno(c.host), c.code) << c.host;
}

TEST(ConvertError, QuotesTheWholeText) {
  EXPECT_STREQ(platform::ConvertError("$").what(), "'$' is not a valid integer value");
  EXPECT_STREQ(platform::ConvertError("$4 ").what(), "'$4 ' is not a valid integer value");
}

}  // namespace
