#include "app/decode/text_output.h"

#include <QFile>

#include "app/decode/beacon_fields.h"
#include "platform/runtime/caption.h"

namespace decode_cli {

namespace {

// Labels begin or end with blanks that place them in the window; a listing
// reads better without them.
void write_line(std::ostream& out, const char* indent, const QString& text) {
  out << indent;
  write_utf8(out, text.trimmed());
  out << '\n';
}

}  // namespace

void TextOutput::capture(const LoadedCapture& loaded) {
  if (!first_capture_) out_ << '\n';
  first_capture_ = false;
  const auto& lists = loaded.lists;
  write_line(out_, "", QFile::decodeName(QByteArray::fromStdString(loaded.path)));
  out_ << "  frames read: " << lists.Memo1.size() << ", satellite frames: " << lists.frame_count
       << ", time-stamp frames: " << lists.Memo4.size() << '\n';
  if (loaded.label5) write_line(out_, "  ", caption_text(*loaded.label5));
  if (loaded.outcome == LoadOutcome::satellite_frames && loaded.label4) {
    write_line(out_, "  ", caption_text(*loaded.label4));
  }
  if (loaded.error) write_line(out_, "  error: ", QString::fromStdString(platform::exception_box_text(*loaded.error)));
}

void TextOutput::frame(const LoadedCapture& loaded, std::int32_t k, const FrameDecoding& decoding) {
  out_ << "\n  frame " << k << " of " << loaded.lists.frame_count << '\n';
  for (const auto& update : decoding.updates) {
    if (update.text) {
      write_line(out_, "    ", label_text(*update.text));
    } else if (update.label == telemetry::Label::Label10) {
      // The window keeps the previous mode; say which code matched none.
      const auto digits = read_beacon_fields(loaded.lists.Memo3.line(k)).mode_digits;
      write_line(out_, "    ", QStringLiteral("Mode: unknown code ") + QString::fromStdString(digits.value_or("(none)")));
    }
  }
  if (decoding.error) write_line(out_, "    error: ", QString::fromStdString(platform::exception_box_text(*decoding.error)));
}

}  // namespace decode_cli
