#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "frame_line.h"
#include "platform/runtime/errors.h"
#include "telemetry/decode.h"

namespace {

using telemetry::Label;
using telemetry::LabelUpdate;
using telemetry_test::Frame;
using telemetry_test::hex_line;

const std::string kTimeStampLine = hex_line({0, 0, 0x01, 0x78, 0x39, 0x70, 0xBC, 0xE7});

struct Decoded {
  std::vector<LabelUpdate> updates;
  std::optional<std::string> error;

  std::vector<Label> labels() const {
    std::vector<Label> labels;
    for (const auto& update : updates) labels.push_back(update.label);
    return labels;
  }
  const LabelUpdate& of(Label label) const {
    for (const auto& update : updates) {
      if (update.label == label) return update;
    }
    throw std::logic_error("no update for " + std::string(telemetry::label_name(label)));
  }
};

Decoded decode(std::string_view time_stamp_line, std::string_view frame_line) {
  Decoded decoded;
  try {
    telemetry::decode_frame(time_stamp_line, frame_line,
                            [&](const LabelUpdate& update) { decoded.updates.push_back(update); });
  } catch (const platform::ConvertError& error) {
    decoded.error = error.what();
  }
  return decoded;
}

std::string shown(const LabelUpdate& update) { return update.text.value_or("<keeps its text>"); }

TEST(DecodeFrame, FullFrameGivesEveryLabelInOrder) {
  const Decoded decoded = decode(kTimeStampLine, Frame().line());
  ASSERT_EQ(decoded.error, std::nullopt);
  const struct {
    Label label;
    const char* text;
    bool visible;
  } expected[] = {
      {Label::Label20, "RX date: 3/16/21 5:09:52 am UTC", false},
      {Label::Label3, " TimeStamp : 3/16/21 5:09:52 am", true},
      {Label::Label6, " Message: HELLO", true},
      {Label::Label7, " Battery voltage:  3.712 V", false},
      {Label::Label8, " Battery current:  5.0 mA", true},
      {Label::Label9, " Temperature: 23.5 \xB0" "C", true},
      {Label::Label10, " Mode: NOMINAL ", true},
      {Label::Label11, " Boot counter: 17", true},
      {Label::Label12, " Rejected commands: 2", true},
      {Label::Label15, "dest_ssid: 60", true},
      {Label::Label16, "src_ssid: E1", true},
      {Label::Label17, "ctl: 03", true},
      {Label::Label18, "pid: F0", true},
  };
  ASSERT_EQ(decoded.updates.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const auto& update = decoded.updates[i];
    EXPECT_EQ(update.label, expected[i].label) << i;
    EXPECT_EQ(shown(update), expected[i].text) << telemetry::label_name(update.label);
    EXPECT_EQ(update.make_visible, expected[i].visible) << telemetry::label_name(update.label);
  }
}

TEST(DecodeFrame, Label20OnlyWhenTheTimeStampLineHasADate) {
  for (const std::string& line : {std::string(), hex_line("2021-03-16 05:09:52.999 utc"),
                                  kTimeStampLine + kTimeStampLine}) {
    const Decoded decoded = decode(line, Frame().line());
    ASSERT_FALSE(decoded.updates.empty());
    EXPECT_EQ(decoded.updates.front().label, Label::Label3);
    EXPECT_EQ(decoded.updates.size(), 12u);
  }
  const Decoded text_form = decode(hex_line("2021-03-16 05:09:52.999 UTC"), Frame().line());
  EXPECT_EQ(shown(text_form.of(Label::Label20)), " RX date: 2021-03-16 05:09:52.999 UTC");
  // Like every label, Label20 shows its text up to its first zero byte.
  std::string with_zero = "2021-03-16 05:09:52.999 UTC";
  with_zero[4] = '\0';
  EXPECT_EQ(shown(decode(hex_line(with_zero), Frame().line()).of(Label::Label20)), " RX date: 2021");
}

TEST(DecodeFrame, SatelliteTimeStampsInUtcWhateverTheTimeZone) {
  const char* saved = std::getenv("TZ");
  const std::string saved_tz = saved ? saved : "";
  setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
  tzset();
  const struct {
    std::uint32_t seconds;
    const char* text;
  } cases[] = {
      {0x60503DA0, " TimeStamp : 3/16/21 5:09:52 am"},
      {0, " TimeStamp : 1/1/70"},
      {0xFFFFFFFF, " TimeStamp : 2/7/06 6:28:15 am"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(shown(decode("", Frame().set_le(51, 4, c.seconds).line()).of(Label::Label3)), c.text);
  }
  if (saved) setenv("TZ", saved_tz.c_str(), 1); else unsetenv("TZ");
  tzset();
}

TEST(DecodeFrame, ModeTable) {
  const struct {
    std::uint8_t code;
    std::optional<std::string> text;
  } cases[] = {
      {0x03, " Mode: NOMINAL "}, {0x02, " Mode: LEOP "}, {0x01, " Mode: SAFE "},
      {0x00, " Mode: GROUND "},  {0x04, std::nullopt},   {0x30, std::nullopt},
      {0xFF, std::nullopt},
  };
  for (const auto& c : cases) {
    const LabelUpdate mode = decode("", Frame().set(61, c.code).line()).of(Label::Label10);
    EXPECT_EQ(mode.text, c.text) << int(c.code);
    EXPECT_TRUE(mode.make_visible) << int(c.code);
  }
}

TEST(DecodeFrame, MessageEndsAtItsFirstZeroByte) {
  const struct {
    std::string message;
    const char* shown;
  } cases[] = {
      {"HELLO", " Message: HELLO"},  // and 25 zero bytes
      {"", " Message: "},
      {std::string("AB\0CD", 5), " Message: AB"},
      {"abcdefghijklmnopqrstuvwxyz0123", " Message: abcdefghijklmnopqrstuvwxyz0123"},
      {"\xB0\xFF\x01", " Message: \xB0\xFF\x01"},  // every other byte passes as it is
  };
  for (const auto& c : cases) {
    const auto update = decode("", Frame().set_message(c.message).line()).of(Label::Label6);
    EXPECT_EQ(shown(update), c.shown);
  }
}

TEST(DecodeFrame, HeaderBytesAreShownAsTheyStand) {
  const Decoded decoded = decode("", Frame().set(7, 0x60).set(14, 0xE1).set(15, 0x03).set(16, 0xF0).line());
  EXPECT_EQ(shown(decoded.of(Label::Label15)), "dest_ssid: 60");
  EXPECT_EQ(shown(decoded.of(Label::Label16)), "src_ssid: E1");
  EXPECT_EQ(shown(decoded.of(Label::Label17)), "ctl: 03");
  EXPECT_EQ(shown(decoded.of(Label::Label18)), "pid: F0");
}

TEST(DecodeFrame, ShortFieldsAreReadFromTheBytesPresent) {
  const Frame frame = Frame().set_le(51, 4, 0xDDCCBB3C).set_le(64, 2, 0x0102);
  // Byte 51 alone: 60 seconds.
  EXPECT_EQ(shown(decode("", frame.line().substr(0, 3 * 51)).of(Label::Label3)), " TimeStamp : 1/1/70 12:01:00 am");
  // Byte 64 alone: the low byte of the rejected-command count.
  const std::string line64 = frame.line().substr(0, 3 * 64);
  EXPECT_EQ(shown(decode("", line64).of(Label::Label12)), " Rejected commands: 2");
  EXPECT_EQ(shown(decode("", frame.line()).of(Label::Label12)), " Rejected commands: 258");
}

// Where the decoding stops for a frame that is too short, by its length in
// bytes: the labels set before the conversion error for "$".
TEST(DecodeFrame, ShortFramesStopWithTheErrorAfterTheLabelsBeforeIt) {
  using L = Label;
  const std::vector<L> up_to_message = {L::Label20, L::Label3, L::Label6};
  auto with = [](std::vector<L> labels, std::initializer_list<L> more) {
    labels.insert(labels.end(), more);
    return labels;
  };
  const auto up_to_voltage = with(up_to_message, {L::Label7});
  const auto up_to_current = with(up_to_voltage, {L::Label8});
  const auto up_to_mode = with(up_to_current, {L::Label9, L::Label10});
  const auto up_to_boot = with(up_to_mode, {L::Label11});
  const auto all = with(up_to_boot, {L::Label12, L::Label15, L::Label16, L::Label17, L::Label18});

  const struct {
    std::size_t length;
    std::vector<L> delivered;
    bool fails;
  } table[] = {
      {0, {L::Label20}, true},  {16, {L::Label20}, true},  {50, {L::Label20}, true},
      {51, up_to_message, true}, {54, up_to_message, true},
      {55, up_to_voltage, true}, {56, up_to_voltage, true},
      {57, up_to_current, true}, {58, up_to_current, true},
      {59, up_to_mode, true},    {61, up_to_mode, true},
      {62, up_to_boot, true},    {63, up_to_boot, true},
      {64, all, false},          {65, all, false},         {200, all, false},
  };
  for (const auto& row : table) {
    const Decoded decoded = decode(kTimeStampLine, Frame(row.length).line());
    EXPECT_EQ(decoded.labels(), row.delivered) << row.length << " bytes";
    if (row.fails) {
      EXPECT_EQ(decoded.error, "'$' is not a valid integer value") << row.length << " bytes";
    } else {
      EXPECT_EQ(decoded.error, std::nullopt) << row.length << " bytes";
    }
  }
  // Byte 61 missing: the mode is no text, yet the label is made visible.
  const auto mode60 = decode("", Frame(60).line()).of(Label::Label10);
  EXPECT_EQ(mode60.text, std::nullopt);
  EXPECT_TRUE(mode60.make_visible);
  EXPECT_EQ(decode("", Frame(61).line()).of(Label::Label10).text, " Mode: NOMINAL ");
}

TEST(DecodeFrame, NonHexDigitsFailWithTheWholeFieldText) {
  std::string line = Frame().line();
  line[3 * 57 - 3] = 'G';  // first digit of byte 57, the current's low byte
  const Decoded decoded = decode("", line);
  EXPECT_EQ(decoded.error, "'$00G5' is not a valid integer value");
  EXPECT_EQ(decoded.updates.back().label, Label::Label7);
}

}  // namespace
