#pragma once
// The three ways the batch decoder prints captures: text for people, CSV for
// spreadsheets, JSON lines for scripts. Each prints as it goes, never holding
// more than one frame's output.

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "app/decode/frame_decoding.h"
#include "app/decode/loaded_capture.h"

namespace decode_cli {

enum class Format { text, csv, jsonl };

// "text", "csv" or "jsonl"; anything else gives none.
std::optional<Format> format_from_name(const QString& name);

class OutputFormat {
 public:
  virtual ~OutputFormat() = default;
  // Once, before the first capture.
  virtual void begin() {}
  // Once per capture, before its frames.
  virtual void capture(const LoadedCapture& loaded) = 0;
  // Frame k of the capture's satellite frames, k from 1 to frame_count.
  virtual void frame(const LoadedCapture& loaded, std::int32_t k, const FrameDecoding& decoding) = 0;
};

std::unique_ptr<OutputFormat> make_output(Format format, std::ostream& out);

// A label's text as the label shows it: up to its first zero character, each
// byte the character of the same code (Latin-1).
QString label_text(std::string_view bytes);

// A caption of the Open command; the empty-file caption holds the path in the
// file system's encoding, the others are plain ASCII.
QString caption_text(std::string_view bytes);

void write_utf8(std::ostream& out, const QString& text);

}  // namespace decode_cli
