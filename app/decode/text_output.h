#pragma once
// Text for people: a short summary of each capture, then each frame of the
// satellite with the label texts as the window shows them, in UTF-8.

#include "app/decode/output_format.h"

namespace decode_cli {

class TextOutput final : public OutputFormat {
 public:
  explicit TextOutput(std::ostream& out) : out_(out) {}
  void capture(const LoadedCapture& loaded) override;
  void frame(const LoadedCapture& loaded, std::int32_t k, const FrameDecoding& decoding) override;

 private:
  std::ostream& out_;
  bool first_capture_ = true;
};

}  // namespace decode_cli
