#include "ui/load_texts.h"

#include <gtest/gtest.h>

#include "platform/runtime/errors.h"

namespace {

TEST(LoadTexts, Captions) {
  EXPECT_EQ(ui::empty_file_caption("/home/op/pass.kss"), "/home/op/pass.kss   is not a valid file !");
  EXPECT_EQ(ui::frame_count_caption(1), " This file contains  1  frame");
  EXPECT_EQ(ui::frame_count_caption(7), " This file contains  7  frames");
  // "CQ" padded with blanks to six address characters.
  EXPECT_EQ(ui::source_destination_caption("86 A2 40 40 40 40 E0 "), "from:  TAPIR1     to:  CQ    ");
  EXPECT_THROW(ui::source_destination_caption("86 A2 40 40 40 "), platform::ConvertError);
}

TEST(LoadTexts, HexPathDependsOnStartDirAndFileNameOnly) {
  const struct {
    const char* start_dir;
    const char* capture;
    const char* hex_path;
  } cases[] = {
      {"/home/op", "/data/a/pass.kss", "/home/op/pass.HEX"},
      {"/home/op", "/data/b/pass.kss", "/home/op/pass.HEX"},
      {"/home/op", "/data/pass", "/home/op/pass.HEX"},
      {"/home/op", "/data/pass.2021.kss", "/home/op/pass.2021.HEX"},
      {"/", "/data/pass.kss", "//pass.HEX"},  // the separator is always added
  };
  for (const auto& c : cases) EXPECT_EQ(ui::hex_path_for(c.start_dir, c.capture), c.hex_path);
}

}  // namespace
