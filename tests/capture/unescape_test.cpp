#include "capture/unescape.h"

#include <gtest/gtest.h>

namespace {

using capture::FrameLists;
using capture::unescape_line;

TEST(UnescapeLine, PutsEscapedPairsBack) {
  const struct {
    const char* escaped;
    const char* unescaped;
  } cases[] = {
      {"41 DB DC 42 ", "41 C0 42 "},
      {"41 DB DD 42 ", "41 DB 42 "},
      {"41 DB 42 43 ", "41 43 "},  // FESC and the byte after it both dropped
      {"DB DB DC ", "DC "},        // after FESC FESC the next byte is read normally
      {"41 DB ", "41 "},           // FESC at the end
      {"DB ", ""},
      {"DC DD ", "DC DD "},  // TFEND and TFESC alone are plain bytes
      {"", ""},
      {"4D B4 1D BD ", "4D B4 1D BD "},  // "DB" across two bytes is no FESC
      {"DB DC DB DD DB DC ", "C0 DB C0 "},
      {"41 DB D", "41 "},  // a cut pair after FESC matches neither
      {"41 DB", "41 DB"},  // a group short of its blank is copied as it is
  };
  for (const auto& c : cases) EXPECT_EQ(unescape_line(c.escaped), c.unescaped) << c.escaped;
}

// The unescaping rules step by step, three characters at a time.
std::string reference_unescape(const std::string& s) {
  std::string out;
  for (std::size_t p = 0; p < s.size(); p += 3) {
    const std::string group = s.substr(p, 3);
    if (group == "DB ") {
      p += 3;
      const std::string next = p < s.size() ? s.substr(p, 2) : "";
      if (next == "DC") out += "C0 ";
      if (next == "DD") out += "DB ";
    } else {
      out += group;
    }
  }
  return out;
}

TEST(UnescapeLine, AgreesWithTheRulesOnLinesDenseInEscapes) {
  const char* bytes[] = {"DB ", "DC ", "DD ", "41 ", "C0 "};
  std::uint32_t state = 12345;
  for (int round = 0; round < 5000; ++round) {
    std::string line;
    const int count = static_cast<int>(state % 12);
    for (int i = 0; i < count; ++i) {
      state = state * 1103515245 + 12345;
      line += bytes[(state >> 16) % 5];
    }
    state = state * 1103515245 + 12345;
    if (state % 7 == 0 && !line.empty()) line.pop_back();  // also lines cut short
    ASSERT_EQ(unescape_line(line), reference_unescape(line)) << line;
  }
}

TEST(Restaura, BuildsOneLinePerSatelliteFrameInOrder) {
  FrameLists lists;
  const std::string_view escaped[] = {"41 42 ", "41 DB DC 42 ", "", "DB DD 00 "};
  for (auto line : escaped) lists.Memo2.append(line);
  lists.frame_count = 4;
  capture::restaura(lists);
  ASSERT_EQ(lists.Memo3.size(), 4u);
  EXPECT_EQ(lists.Memo3.line(1), "41 42 ");
  EXPECT_EQ(lists.Memo3.line(2), "41 C0 42 ");
  EXPECT_EQ(lists.Memo3.line(3), "");
  EXPECT_EQ(lists.Memo3.line(4), "DB 00 ");
  // A line with nothing to unescape is the same text, not a copy of it.
  EXPECT_EQ(lists.Memo3.line(1).data(), lists.Memo2.line(1).data());
  EXPECT_NE(lists.Memo3.line(2).data(), lists.Memo2.line(2).data());
}

TEST(Restaura, TakesTheCountFromFrameCount) {
  FrameLists lists;
  lists.Memo2.append("41 ");
  lists.Memo2.append("42 ");
  lists.frame_count = 1;
  capture::restaura(lists);
  EXPECT_EQ(lists.Memo3.size(), 1u);

  FrameLists more;
  more.Memo2.append("41 ");
  more.frame_count = 3;  // lines past the end of the list read as empty
  capture::restaura(more);
  ASSERT_EQ(more.Memo3.size(), 3u);
  EXPECT_EQ(more.Memo3.line(2), "");
  EXPECT_EQ(more.Memo3.line(3), "");
}

}  // namespace
