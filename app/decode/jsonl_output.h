#pragma once
// JSON lines, the machine interface: one capture object, then one object per
// frame of the satellite, keys always in the same order.

#include "app/decode/output_format.h"

namespace decode_cli {

class JsonlOutput final : public OutputFormat {
 public:
  explicit JsonlOutput(std::ostream& out) : out_(out) {}
  void capture(const LoadedCapture& loaded) override;
  void frame(const LoadedCapture& loaded, std::int32_t k, const FrameDecoding& decoding) override;

 private:
  std::ostream& out_;
};

}  // namespace decode_cli
