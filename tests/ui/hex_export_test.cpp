// "Write .HEX file" through its menu item.

#include <filesystem>

#include "tests/ui/window_fixture.h"

namespace tests {
namespace {

using HexExport = WindowTest;

std::string expected_file(const capture::LineList& unescaped) {
  std::string text;
  for (std::string_view line : unescaped) {
    text += line;
    text += "\r\n";
  }
  return text;
}

TEST_F(HexExport, WritesTheUnescapedFramesIntoTheStartFolder) {
  Beacon with_fend;
  with_fend.message =
      "A\xC0"
      "B";
  open(capture("pass.kss", kiss(beacon_frame({})) + time_stamp(5) + kiss(other_frame()) +
                               kiss(beacon_frame(with_fend)) + beacons(1)));
  ASSERT_TRUE(form().Writehexfile1->isEnabled());
  form().Writehexfile1->trigger();
  const auto hex = start_dir() / "pass.HEX";
  const std::string written = read_file(hex);
  EXPECT_EQ(written, expected_file(form().memos.Memo3));
  EXPECT_NE(written.find("41 C0 42 "), std::string::npos);  // unescaped, as one byte
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 3);
  EXPECT_EQ(edit1(), " Writing pass.HEX");

  form().Writehexfile1->trigger();  // a second write replaces the first
  EXPECT_EQ(read_file(hex), written);
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(HexExport, AfterACaptureCutShortWritesTheCompleteFrames) {
  open(capture("cut.kss", beacons(2) + Bytes{0xC0, 0x00}));
  form().Writehexfile1->trigger();
  const std::string written = read_file(start_dir() / "cut.HEX");
  EXPECT_EQ(written, expected_file(form().memos.Memo3));
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 2);
  EXPECT_GT(written.size(), 2u * 65 * 3);
}

TEST_F(HexExport, FolderThatCannotBeWrittenShowsTheErrorAndKeepsEdit1) {
  const auto blocked = start_dir() / "not-a-folder";
  write_file(blocked, {});
  form().start_dir = blocked.string();  // a file where the folder should be
  const std::string path = capture("pass.kss", beacons(2));
  open(path);
  box.shown.clear();
  form().Writehexfile1->trigger();
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].back(), '.');
  EXPECT_EQ(edit1(), path);
  EXPECT_FALSE(std::filesystem::exists(blocked / "pass.HEX"));
}

}  // namespace
}  // namespace tests
