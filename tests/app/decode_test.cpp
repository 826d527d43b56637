// The three formats end to end on small captures built here, whole and cut
// short, and on the sample capture.

#include "app/decode/decode_command.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sstream>

#include "tests/support/kiss_fixture.h"
#include "command_runner.h"

namespace {

using Result = fixture::CommandResult;

Result run(QStringList arguments) { return fixture::run_command(std::move(arguments)); }

std::vector<std::string> lines_of(const std::string& text, const char* end = "\n") {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(end, start)) != std::string::npos; start = at + std::strlen(end)) {
    lines.push_back(text.substr(start, at - start));
  }
  EXPECT_EQ(start, text.size()) << "the output ends inside a line";
  return lines;
}

// A pass of four beacons: a time-stamped one, one with an unknown mode and no
// time stamp of its own, one with the extreme measures, and one cut at 56 bytes.
std::string pass_bytes() {
  fixture::Beacon second;
  second.satellite_time = 0;
  second.current_ma = 65535;
  second.temperature_centi = -525;
  second.mode = 4;
  fixture::Beacon third;
  third.voltage_mv = 12000;
  third.temperature_centi = -4;
  third.mode = 1;
  third.message = "A,\"B\"";
  return fixture::time_stamp_frame(fixture::kReceived) + fixture::data_frame(fixture::beacon_bytes({})) +
         fixture::data_frame(fixture::address("CQ") + "\x60" + fixture::address("OTHER1") + "\x61\x03\xF0") +
         fixture::data_frame(fixture::beacon_bytes(second)) + fixture::data_frame(fixture::beacon_bytes(third)) +
         fixture::data_frame(fixture::beacon_bytes({}).substr(0, 56));
}

// The capture up to 18 data bytes into its last frame.
std::string cut_in_last_frame(const std::string& bytes) {
  return bytes.substr(0, bytes.rfind(std::string("\xC0\x00", 2)) + 20);
}

const std::string kHeaderUpdates =
    "[\"Label15\",\"dest_ssid: 60\"],[\"Label16\",\"src_ssid: E1\"],[\"Label17\",\"ctl: 03\"],[\"Label18\",\"pid: F0\"]";

const std::vector<std::string> kPassFrames = {
    "{\"type\":\"frame\",\"frame\":1,\"updates\":[[\"Label20\",\"RX date: 3/16/21 5:09:52 am UTC\"],"
    "[\"Label3\",\" TimeStamp : 3/16/21 5:09:52 am\"],[\"Label6\",\" Message: HELLO\"],"
    "[\"Label7\",\" Battery voltage:  3.712 V\"],[\"Label8\",\" Battery current:  5.0 mA\"],"
    "[\"Label9\",\" Temperature: 23.5 \xC2\xB0" "C\"],[\"Label10\",\" Mode: NOMINAL \"],"
    "[\"Label11\",\" Boot counter: 7\"],[\"Label12\",\" Rejected commands: 1\"]," + kHeaderUpdates + "],\"error\":null}",
    "{\"type\":\"frame\",\"frame\":2,\"updates\":[[\"Label3\",\" TimeStamp : 1/1/70\"],[\"Label6\",\" Message: HELLO\"],"
    "[\"Label7\",\" Battery voltage:  3.712 V\"],[\"Label8\",\" Battery current: 65535.0 mA\"],"
    "[\"Label9\",\" Temperature: -5.3 \xC2\xB0" "C\"],[\"Label10\",null],"
    "[\"Label11\",\" Boot counter: 7\"],[\"Label12\",\" Rejected commands: 1\"]," + kHeaderUpdates + "],\"error\":null}",
    "{\"type\":\"frame\",\"frame\":3,\"updates\":[[\"Label3\",\" TimeStamp : 3/16/21 5:09:52 am\"],"
    "[\"Label6\",\" Message: A,\\\"B\\\"\"],[\"Label7\",\" Battery voltage: 12.000 V\"],"
    "[\"Label8\",\" Battery current:  5.0 mA\"],[\"Label9\",\" Temperature: -0.0 \xC2\xB0" "C\"],"
    "[\"Label10\",\" Mode: SAFE \"],[\"Label11\",\" Boot counter: 7\"],[\"Label12\",\" Rejected commands: 1\"]," +
        kHeaderUpdates + "],\"error\":null}",
    "{\"type\":\"frame\",\"frame\":4,\"updates\":[[\"Label3\",\" TimeStamp : 3/16/21 5:09:52 am\"],"
    "[\"Label6\",\" Message: HELLO\"],[\"Label7\",\" Battery voltage:  3.712 V\"]],"
    "\"error\":\"'$' is not a valid integer value\"}",
};

const std::vector<std::string> kPassRows = {
    "capture,frame,rx_date,satellite_time,message,battery_voltage_v,battery_current_ma,temperature_c,"
    "mode,boot_counter,rejected_commands,dest_ssid,src_ssid,ctl,pid,error",
    "@,1,RX date: 3/16/21 5:09:52 am UTC,2021-03-16T05:09:52Z,HELLO,3.712,5,23.45,NOMINAL,7,1,60,E1,03,F0,",
    "@,2,,1970-01-01T00:00:00Z,HELLO,3.712,65535,-5.25,04,7,1,60,E1,03,F0,",
    "@,3,,2021-03-16T05:09:52Z,\"A,\"\"B\"\"\",12.000,5,-0.04,SAFE,7,1,60,E1,03,F0,",
    "@,4,,2021-03-16T05:09:52Z,HELLO,3.712,,,,,,60,E1,03,F0,'$' is not a valid integer value",
};

class Decode : public ::testing::Test {
 protected:
  QString capture(const char* name, std::string_view bytes) {
    const QString path = dir_.filePath(name);
    fixture::write_file(path.toStdString(), bytes);
    return path;
  }
  static std::string capture_line(const QString& path, int frames, int satellite, int stamps, const char* error,
                                  const char* label5, const char* label4) {
    auto text = [](const char* value) { return value ? "\"" + std::string(value) + "\"" : std::string("null"); };
    return "{\"type\":\"capture\",\"capture\":\"" + path.toStdString() + "\",\"frames\":" + std::to_string(frames) +
           ",\"satellite_frames\":" + std::to_string(satellite) + ",\"time_stamp_frames\":" + std::to_string(stamps) +
           ",\"error\":" + text(error) + ",\"Label5\":" + text(label5) + ",\"Label4\":" + text(label4) + "}";
  }
  static std::vector<std::string> rows_for(const QString& path, std::size_t count) {
    std::vector<std::string> rows = {kPassRows[0]};
    for (std::size_t k = 1; k <= count; ++k) rows.push_back(path.toStdString() + kPassRows[k].substr(1));
    return rows;
  }
  QTemporaryDir dir_;
};

TEST_F(Decode, JsonLinesOfAWholeAndACutCapture) {
  const std::string bytes = pass_bytes();
  const QString whole = capture("whole.kss", bytes);
  // Cut inside the fifth frame: frames 1 to 3 of the satellite are complete.
  const QString cut = capture("cut.kss", cut_in_last_frame(bytes));

  Result result = run({"--format", "jsonl", whole});
  EXPECT_EQ(result.status, 0) << result.err;
  std::vector<std::string> expected = {
      capture_line(whole, 6, 4, 1, nullptr, "from:  TAPIR1     to:  CQ    ", " This file contains  4  frames")};
  expected.insert(expected.end(), kPassFrames.begin(), kPassFrames.end());
  EXPECT_EQ(lines_of(result.out), expected);
  EXPECT_EQ(result.err, "");

  result = run({"--format", "jsonl", cut});
  EXPECT_EQ(result.status, 1);
  expected = {capture_line(cut, 5, 3, 1, "Read beyond end of file", nullptr, "3")};
  expected.insert(expected.end(), kPassFrames.begin(), kPassFrames.begin() + 3);
  EXPECT_EQ(lines_of(result.out), expected);
  EXPECT_EQ(result.err, "tapir1-decode: " + cut.toStdString() + ": Read beyond end of file.\n");
}

TEST_F(Decode, CsvOfAWholeAndACutCapture) {
  const std::string bytes = pass_bytes();
  const QString whole = capture("whole.kss", bytes);
  const QString cut = capture("cut.kss", cut_in_last_frame(bytes));

  Result result = run({"--format", "csv", whole, cut});
  EXPECT_EQ(result.status, 1);
  auto expected = rows_for(whole, 4);
  const auto cut_rows = rows_for(cut, 3);
  expected.insert(expected.end(), cut_rows.begin() + 1, cut_rows.end());  // one header for all captures
  EXPECT_EQ(lines_of(result.out, "\r\n"), expected);
  EXPECT_EQ(result.err, "tapir1-decode: " + cut.toStdString() + ": Read beyond end of file.\n");
}

TEST_F(Decode, TextOfAWholeAndACutCapture) {
  const std::string bytes = pass_bytes();
  const QString whole = capture("whole.kss", bytes);
  const QString cut = capture("cut.kss", cut_in_last_frame(bytes));

  const Result result = run({whole, cut});
  EXPECT_EQ(result.status, 1);
  const std::string header = "    dest_ssid: 60\n    src_ssid: E1\n    ctl: 03\n    pid: F0\n";
  const std::string frames_1_to_3 =
      "\n  frame 1 of N\n"
      "    RX date: 3/16/21 5:09:52 am UTC\n    TimeStamp : 3/16/21 5:09:52 am\n    Message: HELLO\n"
      "    Battery voltage:  3.712 V\n    Battery current:  5.0 mA\n    Temperature: 23.5 \xC2\xB0" "C\n"
      "    Mode: NOMINAL\n    Boot counter: 7\n    Rejected commands: 1\n" + header +
      "\n  frame 2 of N\n"
      "    TimeStamp : 1/1/70\n    Message: HELLO\n    Battery voltage:  3.712 V\n"
      "    Battery current: 65535.0 mA\n    Temperature: -5.3 \xC2\xB0" "C\n    Mode: unknown code 04\n"
      "    Boot counter: 7\n    Rejected commands: 1\n" + header +
      "\n  frame 3 of N\n"
      "    TimeStamp : 3/16/21 5:09:52 am\n    Message: A,\"B\"\n    Battery voltage: 12.000 V\n"
      "    Battery current:  5.0 mA\n    Temperature: -0.0 \xC2\xB0" "C\n    Mode: SAFE\n"
      "    Boot counter: 7\n    Rejected commands: 1\n" + header;
  auto with_count = [](std::string text, char count) {
    for (std::size_t at; (at = text.find(" of N")) != std::string::npos;) text.replace(at + 4, 1, 1, count);
    return text;
  };
  EXPECT_EQ(result.out,
            whole.toStdString() + "\n  frames read: 6, satellite frames: 4, time-stamp frames: 1\n"
            "  from:  TAPIR1     to:  CQ\n  This file contains  4  frames\n" + with_count(frames_1_to_3, '4') +
            "\n  frame 4 of 4\n    TimeStamp : 3/16/21 5:09:52 am\n    Message: HELLO\n"
            "    Battery voltage:  3.712 V\n    error: '$' is not a valid integer value.\n"
            "\n" + cut.toStdString() + "\n  frames read: 5, satellite frames: 3, time-stamp frames: 1\n"
            "  error: Read beyond end of file.\n" + with_count(frames_1_to_3, '3'));
}

TEST_F(Decode, HexFileOfTheCapture) {
  const std::string bytes = pass_bytes();
  const QString whole = capture("whole.kss", bytes);
  const QString hex = dir_.filePath("out.HEX");
  const Result result = run({"--format", "csv", "--hex", hex, whole});
  EXPECT_EQ(result.status, 0) << result.err;
  QFile file(hex);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  ASSERT_EQ(lines.size(), 5);  // four lines ended by CR LF
  EXPECT_TRUE(lines[0].startsWith("86 A2 40 40 40 40 60 A8 82 A0 92 A4 62 E1 03 F0 "));
  EXPECT_TRUE(lines[0].endsWith(" \r"));
  EXPECT_EQ(lines[3].size(), 56 * 3 + 1);

  // A directory in the way of the .HEX file is an error of its own.
  const Result blocked = run({"--hex", dir_.path(), whole});
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.err.find("tapir1-decode: " + dir_.path().toStdString() + ": "), std::string::npos) << blocked.err;
}

// The sample capture in every format: one line or row per frame of the
// satellite, and the exact CSV columns agree with the label texts.
TEST_F(Decode, SampleCaptureInEveryFormat) {
  const QString sample = QString::fromLocal8Bit(qgetenv("TAPIR_SOURCE_DIR")) + "/samples/demo.kss";
  if (!QFile::exists(sample)) GTEST_SKIP() << "no sample capture";

  const Result jsonl = run({"--format", "jsonl", sample});
  const Result csv = run({"--format", "csv", sample});
  const Result text = run({sample});
  ASSERT_EQ(jsonl.status, 0) << jsonl.err;
  ASSERT_EQ(csv.status, 0);
  ASSERT_EQ(text.status, 0);

  const auto json_lines = lines_of(jsonl.out);
  const auto rows = lines_of(csv.out, "\r\n");
  ASSERT_FALSE(json_lines.empty());
  const QJsonObject summary = QJsonDocument::fromJson(QByteArray::fromStdString(json_lines[0])).object();
  const int frame_count = summary["satellite_frames"].toInt();
  ASSERT_GT(frame_count, 0);
  ASSERT_EQ(json_lines.size(), static_cast<std::size_t>(frame_count) + 1);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(frame_count) + 1);
  EXPECT_NE(text.out.find("frame " + std::to_string(frame_count) + " of " + std::to_string(frame_count) + "\n"),
            std::string::npos);

  for (int k = 1; k <= frame_count; ++k) {
    SCOPED_TRACE(k);
    const QJsonObject frame = QJsonDocument::fromJson(QByteArray::fromStdString(json_lines[k])).object();
    EXPECT_EQ(frame["frame"].toInt(), k);
    QString voltage, current;
    for (const QJsonValue update : frame["updates"].toArray()) {
      const QJsonArray pair = update.toArray();
      if (pair[0] == "Label7") voltage = pair[1].toString().section(' ', -2, -2);
      if (pair[0] == "Label8") current = pair[1].toString().section(' ', -2, -2);
    }
    const QStringList columns = QString::fromStdString(rows[k]).split(',');
    if (columns.size() != 16) continue;  // a message with a comma
    EXPECT_EQ(columns[5], voltage);
    EXPECT_EQ(columns[6] + ".0", current);
  }
}

}  // namespace
