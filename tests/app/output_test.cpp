// The formats' own work on hand-made decodings: which columns and lines they
// make from a loaded capture and the updates of a frame.

#include "app/decode/output_format.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "app/decode/csv_output.h"
#include "app/decode/jsonl_output.h"
#include "tests/support/kiss_fixture.h"

namespace {

using decode_cli::FrameDecoding;
using telemetry::Label;

constexpr const char* kHeader =
    "capture,frame,rx_date,satellite_time,message,battery_voltage_v,battery_current_ma,temperature_c,"
    "mode,boot_counter,rejected_commands,dest_ssid,src_ssid,ctl,pid,error\r\n";

class Formats : public ::testing::Test {
 protected:
  // Loads a capture of the given beacons (whole frames, or the first `cut` bytes of the last).
  decode_cli::LoadedCapture load(const std::vector<std::string>& frames) {
    std::string bytes;
    for (const auto& frame : frames) bytes += fixture::data_frame(frame);
    const std::string path = dir_.filePath("pass.kss").toStdString();
    fixture::write_file(path, bytes);
    auto loaded = decode_cli::load_capture(path, path);
    loaded.path = "pass, \"A\".kss";  // as if given so on the command line
    return loaded;
  }

  std::string print(decode_cli::Format format, const decode_cli::LoadedCapture& loaded,
                    const std::vector<FrameDecoding>& decodings) {
    std::ostringstream out;
    const auto output = decode_cli::make_output(format, out);
    output->begin();
    output->capture(loaded);
    for (std::size_t k = 1; k <= decodings.size(); ++k) {
      output->frame(loaded, static_cast<std::int32_t>(k), decodings[k - 1]);
    }
    return out.str();
  }

  QTemporaryDir dir_;
};

TEST(CsvField, QuotesOnlyWhatRfc4180Needs) {
  const struct {
    const char* field;
    const char* written;
  } cases[] = {
      {"plain text", "plain text"},     {"", ""},
      {"a,b", "\"a,b\""},               {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""}, {"lf\nonly", "\"lf\nonly\""},
  };
  for (const auto& c : cases) {
    std::string row;
    decode_cli::append_csv_field(row, c.field);
    EXPECT_EQ(row, c.written);
  }
}

TEST_F(Formats, CsvGivesExactValuesFromTheRawFields) {
  fixture::Beacon first;  // 3712 mV, 5 mA, 2345
  first.message = "Hi, \xE9t\xE9";  // Latin-1 é
  fixture::Beacon second;
  second.current_ma = 65535;
  second.temperature_centi = -525;
  second.mode = 4;
  second.satellite_time = 0;
  fixture::Beacon third;
  third.temperature_centi = -4;
  third.voltage_mv = 12000;
  third.mode = 0;
  const std::string short_frame = fixture::beacon_bytes(fixture::Beacon{}).substr(0, 50);
  const auto loaded = load({fixture::beacon_bytes(first), fixture::beacon_bytes(second),
                            fixture::beacon_bytes(third), short_frame});
  ASSERT_EQ(loaded.lists.frame_count, 4);

  const std::vector<FrameDecoding> decodings = {
      {{{Label::Label20, "RX date: 3/16/21 5:09:52 am UTC", false}}, std::nullopt},
      {{}, std::nullopt},
      {{}, std::nullopt},
      {{}, "'$' is not a valid integer value"},
  };
  const std::string p = "\"pass, \"\"A\"\".kss\"";
  EXPECT_EQ(print(decode_cli::Format::csv, loaded, decodings),
            kHeader +
                p + ",1,RX date: 3/16/21 5:09:52 am UTC,2021-03-16T05:09:52Z,\"Hi, \xC3\xA9t\xC3\xA9\",3.712,5,23.45,NOMINAL,7,1,60,E1,03,F0,\r\n" +
                p + ",2,,1970-01-01T00:00:00Z,HELLO,3.712,65535,-5.25,04,7,1,60,E1,03,F0,\r\n" +
                p + ",3,,2021-03-16T05:09:52Z,HELLO,12.000,5,-0.04,GROUND,7,1,60,E1,03,F0,\r\n" +
                p + ",4,,,HELLO,,,,,,,60,E1,03,F0,'$' is not a valid integer value\r\n");
}

TEST_F(Formats, JsonlCaptureObjectKeepsItsKeysInOrder) {
  const auto loaded = load({fixture::beacon_bytes(fixture::Beacon{})});
  EXPECT_EQ(print(decode_cli::Format::jsonl, loaded, {}),
            "{\"type\":\"capture\",\"capture\":\"pass, \\\"A\\\".kss\",\"frames\":1,\"satellite_frames\":1,"
            "\"time_stamp_frames\":0,\"error\":null,\"Label5\":\"from:  TAPIR1     to:  CQ    \","
            "\"Label4\":\" This file contains  1  frame\"}\n");
}

TEST_F(Formats, JsonlFrameObjectsEscapeEveryTextThroughQt) {
  const auto loaded = load({fixture::beacon_bytes(fixture::Beacon{})});
  const std::vector<FrameDecoding> decodings = {
      {{{Label::Label6, " Message: \"q\" \\ \x01 \xE9", true}, {Label::Label10, std::nullopt, true}}, std::nullopt},
      {{{Label::Label9, " Temperature: 23.5 \xB0" "C", true}}, "'$' is not a valid integer value"},
  };
  const std::string out = print(decode_cli::Format::jsonl, loaded, decodings);
  EXPECT_EQ(out.substr(out.find('\n') + 1),
            "{\"type\":\"frame\",\"frame\":1,\"updates\":[[\"Label6\",\" Message: \\\"q\\\" \\\\ \\u0001 \xC3\xA9\"],"
            "[\"Label10\",null]],\"error\":null}\n"
            "{\"type\":\"frame\",\"frame\":2,\"updates\":[[\"Label9\",\" Temperature: 23.5 \xC2\xB0" "C\"]],"
            "\"error\":\"'$' is not a valid integer value\"}\n");

  // Texts written once are remembered; far more distinct texts than it keeps
  // still come out right, the first ones again at the end.
  std::ostringstream many;
  decode_cli::JsonlOutput output(many);
  std::string expected;
  for (int i = 0; i < 10000; ++i) {
    const int n = i < 9000 ? i : i - 9000;
    output.frame(loaded, 1, {{{Label::Label11, " Boot counter: " + std::to_string(n), true}}, std::nullopt});
    expected += "{\"type\":\"frame\",\"frame\":1,\"updates\":[[\"Label11\",\" Boot counter: " + std::to_string(n) +
                "\"]],\"error\":null}\n";
  }
  EXPECT_EQ(many.str(), expected);
}

TEST_F(Formats, TextShowsTheLabelTextsInUtf8AndTheError) {
  fixture::Beacon unknown_mode;
  unknown_mode.mode = 0x2A;
  const auto loaded = load({fixture::beacon_bytes(unknown_mode)});
  const std::vector<FrameDecoding> decodings = {
      {{{Label::Label9, " Temperature: 23.5 \xB0""C", true},
        {Label::Label10, std::nullopt, true},
        {Label::Label6, std::string(" Message: AB\0CD", 15), true}},
       "'$' is not a valid integer value"},
  };
  EXPECT_EQ(print(decode_cli::Format::text, loaded, decodings),
            "pass, \"A\".kss\n"
            "  frames read: 1, satellite frames: 1, time-stamp frames: 0\n"
            "  from:  TAPIR1     to:  CQ\n"
            "  This file contains  1  frame\n"
            "\n"
            "  frame 1 of 1\n"
            "    Temperature: 23.5 \xC2\xB0""C\n"
            "    Mode: unknown code 2A\n"
            "    Message: AB\n"
            "    error: '$' is not a valid integer value.\n");
}

}  // namespace
