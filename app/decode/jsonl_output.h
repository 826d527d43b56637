#pragma once
// JSON lines, the machine interface: one capture object, then one object per
// frame of the satellite, keys always in the same order.

#include <QByteArray>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/decode/output_format.h"

namespace decode_cli {

// Label texts as JSON strings, written by Qt. Most texts come back frame after
// frame (names, header bytes, modes, messages), so each is written once and
// remembered; the memory stays bounded.
class JsonTexts {
 public:
  // The JSON string of a label text given as Latin-1 bytes.
  const QByteArray& operator()(std::string_view latin1_text);

 private:
  static constexpr std::size_t kMostRemembered = 4096;
  std::unordered_map<std::string, QByteArray> written_;
};

class JsonlOutput final : public OutputFormat {
 public:
  explicit JsonlOutput(std::ostream& out) : out_(out) {}
  void capture(const LoadedCapture& loaded) override;
  void frame(const LoadedCapture& loaded, std::int32_t k, const FrameDecoding& decoding) override;

 private:
  std::ostream& out_;
  JsonTexts texts_;
};

}  // namespace decode_cli
