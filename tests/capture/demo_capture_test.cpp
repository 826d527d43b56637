// The demo capture of the samples folder: made by kss-generate, and loaded
// as the decoder loads a capture.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "capture/capture_reader.h"
#include "capture/unescape.h"
#include "platform/runtime/hex_convert.h"
#include "tests/platform/temp_dir.h"
#include "tools/kss_generator/kss_generator.h"

namespace {

std::string demo_path() {
  const char* dir = std::getenv("TAPIR_SOURCE_DIR");
  return std::string(dir ? dir : ".") + "/samples/demo.kss";
}

// A little-endian field of the unescaped line, bytes `first` to `last`.
std::int64_t field(std::string_view line, std::size_t first, std::size_t last) {
  std::string digits;
  for (std::size_t k = last; k >= first; --k) digits += line.substr(3 * k - 3, 2);
  return platform::hex_digits_to_int64(digits);
}

TEST(DemoCapture, IsWhatTheGeneratorMakes) {
  // Not EXPECT_EQ: the two captures would be printed whole.
  EXPECT_TRUE(test_support::read_file(demo_path()) == kss_generator::demo_capture())
      << "regenerate it with: kss-generate samples/demo.kss";
}

TEST(DemoCapture, LoadsAsAPassOfTheSatellite) {
  platform::CaptureFile file(demo_path());
  capture::FrameLists lists;
  capture::carrega(file, lists);
  capture::restaura(lists);

  EXPECT_EQ(lists.frame_count, 100);
  EXPECT_EQ(lists.Memo4.size(), 100u);
  EXPECT_GT(lists.Memo1.size(), 200u) << "frames of other stations between the beacons";

  int numeric = 0, text = 0;
  for (auto line : lists.Memo4) {
    if (line.size() == 24) ++numeric;
    if (line.size() > 48 && line.substr(72, 8) == "55 54 43") ++text;
  }
  EXPECT_GT(numeric, 10);
  EXPECT_GT(text, 10);
  EXPECT_EQ(numeric + text, 100);

  int escaped = 0;
  bool below_zero = false, above_zero = false;
  std::set<std::int64_t> modes, boots;
  for (std::int32_t k = 1; k <= lists.frame_count; ++k) {
    const std::string_view line = lists.Memo3.line(k);
    ASSERT_GE(line.size(), 3u * 65) << k;
    if (line != lists.Memo2.line(k)) ++escaped;
    EXPECT_EQ(line, capture::unescape_line(lists.Memo2.line(k))) << k;
    const auto millivolts = field(line, 55, 56);
    EXPECT_GE(millivolts, 3600);
    EXPECT_LE(millivolts, 4200);
    const auto centi = static_cast<std::int16_t>(field(line, 59, 60));
    below_zero |= centi < 0;
    above_zero |= centi > 0;
    modes.insert(field(line, 61, 61));
    boots.insert(field(line, 62, 63));
  }
  EXPECT_GE(escaped, 4) << "values that need KISS escapes";
  EXPECT_TRUE(below_zero && above_zero);
  EXPECT_GE(modes.size(), 2u);
  EXPECT_GE(boots.size(), 2u);
}

}  // namespace
