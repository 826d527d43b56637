// The installed program as scripts run it: exit status, stderr, the .HEX file.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/kiss_fixture.h"

namespace {

struct ProgramRun {
  int status;
  QByteArray out;
  QByteArray err;
};

ProgramRun run_program(const QStringList& arguments, const QString& working_directory = {}) {
  QProcess process;
  process.setWorkingDirectory(working_directory);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "C");
  process.setProcessEnvironment(environment);
  process.start(TAPIR1_DECODE, arguments);
  process.waitForFinished(60000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
          process.readAllStandardError()};
}

const std::string kOther =
    fixture::data_frame(fixture::address("CQ") + "\x60" + fixture::address("OTHER1") + "\x61\x03\xF0");

TEST(Program, ExitStatusTellsWhetherEveryCaptureWasReadWhole) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString empty = dir.filePath("empty.kss");
  const QString other = dir.filePath("other.kss");
  const QString cut = dir.filePath("cut.kss");
  fixture::write_file(empty.toStdString(), "");
  fixture::write_file(other.toStdString(), kOther);
  fixture::write_file(cut.toStdString(), kOther + "\xC0");

  const struct {
    QStringList arguments;
    int status;
    QByteArray err;  // whole, or its start for usage errors
  } cases[] = {
      {{empty, other}, 0, ""},
      {{"--format", "csv", other}, 0, ""},
      {{other, cut}, 1, "tapir1-decode: " + cut.toUtf8() + ": Read beyond end of file.\n"},
      {{dir.filePath("missing.kss")}, 1, "tapir1-decode: " + dir.filePath("missing.kss").toUtf8() + ": File not found.\n"},
      {{dir.path()}, 1, "tapir1-decode: " + dir.path().toUtf8() + ": File access denied.\n"},
      {{"--nope", other}, 2, "tapir1-decode: Unknown option 'nope'."},
      {{}, 2, "tapir1-decode: no capture file given"},
      {{"--format", "yaml", other}, 2, "tapir1-decode: unknown format 'yaml'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const ProgramRun result = run_program(c.arguments);
    EXPECT_EQ(result.status, c.status);
    if (c.status == 2) {
      EXPECT_TRUE(result.err.startsWith(c.err)) << result.err.toStdString();
      EXPECT_EQ(result.err.count('\n'), 1);
      EXPECT_TRUE(result.out.isEmpty());
    } else {
      EXPECT_EQ(result.err, c.err);
    }
  }
}

TEST(Program, HelpGoesToStandardOutput) {
  const ProgramRun result = run_program({"--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.contains("--format <text|csv|jsonl>"));
  EXPECT_TRUE(result.err.isEmpty());
}

TEST(Program, EmptyCaptureCaptionNamesTheFullPathAsTheFileDialogWould) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  fixture::write_file(dir.filePath("empty.kss").toStdString(), "");
  const ProgramRun result = run_program({"--format", "jsonl", "./empty.kss"}, dir.path());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "{\"type\":\"capture\",\"capture\":\"./empty.kss\",\"frames\":0,\"satellite_frames\":0,"
                        "\"time_stamp_frames\":0,\"error\":null,\"Label5\":\"" +
                            dir.filePath("empty.kss").toUtf8() + "   is not a valid file !\",\"Label4\":null}\n");
}

}  // namespace
