#pragma once
// CSV (RFC 4180) for spreadsheets: a header row, then one row per frame of the
// satellite with exact values read from the frame's raw fields.

#include <string>
#include <string_view>

#include "app/decode/output_format.h"

namespace decode_cli {

class CsvOutput final : public OutputFormat {
 public:
  explicit CsvOutput(std::ostream& out) : out_(out) {}
  void begin() override;
  void capture(const LoadedCapture& loaded) override;
  void frame(const LoadedCapture& loaded, std::int32_t k, const FrameDecoding& decoding) override;

 private:
  std::ostream& out_;
  std::string capture_column_;  // the path, as given
  std::string row_;
};

// The field as RFC 4180 writes it: in double quotes, its quotes doubled, when
// it holds a comma, a double quote, CR or LF.
void append_csv_field(std::string& row, std::string_view field);

}  // namespace decode_cli
