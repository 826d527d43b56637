#include "app/decode/frame_decoding.h"

#include "platform/runtime/errors.h"
#include "telemetry/decode.h"

namespace decode_cli {

FrameDecoding decode_satellite_frame(const capture::FrameLists& lists, std::int32_t k) {
  FrameDecoding decoding;
  try {
    telemetry::decode_frame(lists.Memo4.line(k), lists.Memo3.line(k),
                            [&decoding](const telemetry::LabelUpdate& update) { decoding.updates.push_back(update); });
  } catch (const platform::ConvertError& error) {
    decoding.error = error.what();
  }
  return decoding;
}

}  // namespace decode_cli
