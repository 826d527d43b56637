#include "app/decode/decode_command.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/decode/frame_decoding.h"
#include "app/decode/loaded_capture.h"
#include "app/decode/output_format.h"
#include "capture/hex_export.h"
#include "platform/runtime/caption.h"
#include "platform/runtime/errors.h"

namespace decode_cli {

namespace {

constexpr const char* kProgram = "tapir1-decode";

std::ostream& complain(std::ostream& err) { return err << kProgram << ": "; }

void write_text(std::ostream& out, const QString& text) { out << text.toLocal8Bit().toStdString(); }

std::string local_path(const QString& path) { return QFile::encodeName(path).toStdString(); }

struct Options {
  Format format = Format::text;
  QString hex_path;  // empty: no .HEX file
  QStringList captures;
};

// Reads the command line; on help, version or a usage error, `exit_status` is set.
Options parse_options(const QStringList& arguments, std::ostream& out, std::ostream& err, std::optional<int>& exit_status) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Decodes every beacon of the cubesat TAPIR1 in KISS capture files (.kss), "
      "for terminals, spreadsheets and scripts.\n"
      "Exit status: 0 every capture read whole, 1 a capture could not be opened or read, 2 usage error.");
  const QCommandLineOption help_option = parser.addHelpOption();
  const QCommandLineOption version_option = parser.addVersionOption();
  const QCommandLineOption format_option(
      "format", "Output format: text (default), csv (RFC 4180, exact values) or jsonl (one JSON object a line).",
      "text|csv|jsonl", "text");
  const QCommandLineOption hex_option("hex", "Also write the capture's .HEX file (its satellite frames, unescaped) to FILE.",
                                      "FILE");
  parser.addOption(format_option);
  parser.addOption(hex_option);
  parser.addPositionalArgument("CAPTURE", "KISS capture files to decode, in order.", "CAPTURE...");

  Options options;
  if (!parser.parse(arguments)) {
    complain(err) << parser.errorText().toStdString() << " (see --help)\n";
    exit_status = kExitUsage;
    return options;
  }
  if (parser.isSet(help_option) || parser.isSet("help-all")) {
    write_text(out, parser.helpText());
    exit_status = kExitSuccess;
    return options;
  }
  if (parser.isSet(version_option)) {
    out << kProgram << ' ' << TAPIR_VERSION << '\n';
    exit_status = kExitSuccess;
    return options;
  }
  const QString format_name = parser.value(format_option);
  const auto format = format_from_name(format_name);
  if (!format) {
    complain(err) << "unknown format '" << format_name.toStdString() << "': use text, csv or jsonl\n";
    exit_status = kExitUsage;
    return options;
  }
  options.format = *format;
  options.hex_path = parser.value(hex_option);
  options.captures = parser.positionalArguments();
  if (options.captures.isEmpty()) {
    complain(err) << "no capture file given (see --help)\n";
    exit_status = kExitUsage;
  } else if (parser.isSet(hex_option) && options.captures.size() > 1) {
    complain(err) << "--hex writes the file of one capture: give a single capture\n";
    exit_status = kExitUsage;
  } else if (parser.isSet(hex_option) && options.hex_path.isEmpty()) {
    complain(err) << "--hex needs a file name\n";
    exit_status = kExitUsage;
  }
  return options;
}

// Loads one capture, prints it and writes its .HEX file when asked. Whatever
// was loaded is released before the next capture.
bool decode_one(const QString& capture_path, const Options& options, OutputFormat& output, std::ostream& out,
                std::ostream& err) {
  // The window's file dialog hands the Open command a clean full path.
  const QString full_path = QDir::cleanPath(QFileInfo(capture_path).absoluteFilePath());
  const LoadedCapture loaded = load_capture(local_path(capture_path), local_path(full_path));
  output.capture(loaded);
  for (std::int32_t k = 1; k <= loaded.lists.frame_count; ++k) {
    output.frame(loaded, k, decode_satellite_frame(loaded.lists, k));
  }
  bool ok = loaded.succeeded();
  if (!ok) {
    out.flush();  // the frames come before the error that ended the capture
    complain(err) << loaded.path << ": " << platform::exception_box_text(*loaded.error) << '\n';
  }
  if (!options.hex_path.isEmpty() && loaded.outcome != LoadOutcome::open_failed) {
    try {
      capture::write_hex_file(local_path(options.hex_path), loaded.lists.Memo3, loaded.lists.frame_count);
    } catch (const platform::IoError& error) {
      complain(err) << local_path(options.hex_path) << ": " << platform::exception_box_text(error.what()) << '\n';
      ok = false;
    }
  }
  return ok;
}

}  // namespace

int run_decode_command(const QStringList& arguments, std::ostream& out, std::ostream& err) {
  std::optional<int> exit_status;
  const Options options = parse_options(arguments, out, err, exit_status);
  if (exit_status) return *exit_status;

  const auto output = make_output(options.format, out);
  output->begin();
  int status = kExitSuccess;
  for (const QString& capture_path : options.captures) {
    if (!decode_one(capture_path, options, *output, out, err)) status = kExitCaptureError;
  }
  out.flush();
  if (!out) {
    complain(err) << "could not write the output\n";
    status = kExitCaptureError;
  }
  return status;
}

}  // namespace decode_cli
