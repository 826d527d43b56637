// The command line run in-process: usage errors, help, several captures in one
// call, and the exit status that scripts rely on.

#include "app/decode/decode_command.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "tests/support/kiss_fixture.h"
#include "command_runner.h"

namespace {

using Result = fixture::CommandResult;

Result run(QStringList arguments) { return fixture::run_command(std::move(arguments)); }

std::size_t line_count(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

const std::string kOther =
    fixture::data_frame(fixture::address("CQ") + "\x60" + fixture::address("OTHER1") + "\x61\x03\xF0");

class Command : public ::testing::Test {
 protected:
  QString capture(const char* name, std::string_view bytes) {
    const QString path = dir_.filePath(name);
    fixture::write_file(path.toStdString(), bytes);
    return path;
  }
  QTemporaryDir dir_;
};

TEST_F(Command, UsageErrorsGiveStatusTwoAndOneLine) {
  const QString good = capture("good.kss", kOther);
  const struct {
    QStringList arguments;
    const char* complaint;
  } cases[] = {
      {{"--bogus", good}, "Unknown option 'bogus'"},
      {{}, "no capture file given"},
      {{"--format", "xml", good}, "unknown format 'xml'"},
      {{"--format"}, "Missing value after '--format'"},
      {{"--hex", dir_.filePath("x.HEX"), good, good}, "give a single capture"},
  };
  for (const auto& c : cases) {
    const Result result = run(c.arguments);
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    EXPECT_EQ(result.status, decode_cli::kExitUsage);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("tapir1-decode: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(c.complaint), std::string::npos) << result.err;
    EXPECT_EQ(line_count(result.err), 1u);
  }
}

TEST_F(Command, HelpAndVersion) {
  const Result help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--format <text|csv|jsonl>"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("--hex <FILE>"), std::string::npos);
  const Result version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tapir1-decode 1.0\n");
}

TEST_F(Command, SeveralCapturesInOneCallEachWithItsOwnSummary) {
  const QString empty = capture("empty.kss", "");
  const QString other = capture("other.kss", kOther + kOther);
  const QString missing = dir_.filePath("missing.kss");
  const QString cut = capture("cut.kss", kOther + kOther.substr(0, 9));
  const std::string full_empty = empty.toStdString();

  Result result = run({"--format", "jsonl", empty, other});
  EXPECT_EQ(result.status, decode_cli::kExitSuccess) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "{\"type\":\"capture\",\"capture\":\"" + full_empty +
                "\",\"frames\":0,\"satellite_frames\":0,\"time_stamp_frames\":0,\"error\":null,"
                "\"Label5\":\"" + full_empty + "   is not a valid file !\",\"Label4\":null}\n"
                "{\"type\":\"capture\",\"capture\":\"" + other.toStdString() +
                "\",\"frames\":2,\"satellite_frames\":0,\"time_stamp_frames\":0,\"error\":null,"
                "\"Label5\":\"  This KSS file is not from VOZEZAROROZE-1 !  \",\"Label4\":\"0\"}\n");

  // A capture that fails does not stop the others; the status tells of it.
  result = run({"--format", "jsonl", missing, cut, other});
  EXPECT_EQ(result.status, decode_cli::kExitCaptureError);
  EXPECT_EQ(result.err, "tapir1-decode: " + missing.toStdString() + ": File not found.\n" +
                            "tapir1-decode: " + cut.toStdString() + ": Read beyond end of file.\n");
  EXPECT_EQ(line_count(result.out), 3u);
  EXPECT_NE(result.out.find("\"frames\":0,\"satellite_frames\":0,\"time_stamp_frames\":0,"
                            "\"error\":\"File not found\",\"Label5\":null,\"Label4\":null}"),
            std::string::npos);
  EXPECT_NE(result.out.find("\"frames\":1,\"satellite_frames\":0,\"time_stamp_frames\":0,"
                            "\"error\":\"Read beyond end of file\",\"Label5\":null,\"Label4\":\"0\"}"),
            std::string::npos);

  // The same in the other formats: CSV has its header once and no rows here.
  result = run({"--format", "csv", empty, other});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(line_count(result.out), 1u);
  result = run({empty, other, missing});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("  " + full_empty + "   is not a valid file !\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  This KSS file is not from VOZEZAROROZE-1 !\n"), std::string::npos);
  EXPECT_NE(result.out.find("  error: File not found.\n"), std::string::npos);
}

// The Open command stops at the destination call sign when the first frame
// of the satellite is too short for it: the window shows the error, so the
// command reports it, and still lists the frame.
TEST_F(Command, FirstFrameTooShortForTheCallSignIsAnError) {
  const QString tiny = capture("tiny.kss", std::string("\xC0\x00\xDB\x01\xDB\x01\xDB\x01\xDB", 9) +
                                               "\xA8\x82\xA0\x92\xA4\x62\xC0");
  const Result result = run({"--format", "jsonl", tiny});
  EXPECT_EQ(result.status, decode_cli::kExitCaptureError);
  EXPECT_EQ(result.err, "tapir1-decode: " + tiny.toStdString() + ": '$' is not a valid integer value.\n");
  EXPECT_EQ(result.out, "{\"type\":\"capture\",\"capture\":\"" + tiny.toStdString() +
                            "\",\"frames\":1,\"satellite_frames\":1,\"time_stamp_frames\":0,"
                            "\"error\":\"'$' is not a valid integer value\",\"Label5\":null,\"Label4\":\"1\"}\n"
                            "{\"type\":\"frame\",\"frame\":1,\"updates\":[],\"error\":\"'$' is not a valid integer value\"}\n");
}

}  // namespace
