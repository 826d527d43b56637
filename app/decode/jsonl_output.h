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
  // Looked up by the view itself: no key is made for a text already written.
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
  };
  static constexpr std::size_t kMostRemembered = 4096;
  std::unordered_map<std::string, QByteArray, Hash, std::equal_to<>> written_;
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
