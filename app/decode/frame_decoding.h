#pragma once
// The label updates that the decoding of one frame of the satellite makes on
// its own, and the conversion error that stopped it, if any.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "capture/frame_lists.h"
#include "telemetry/label_update.h"

namespace decode_cli {

struct FrameDecoding {
  std::vector<telemetry::LabelUpdate> updates;  // in the order they were made
  std::optional<std::string> error;             // the conversion error's message
};

// Frame k (from 1) with its time-stamp line k, as the window decodes it.
FrameDecoding decode_satellite_frame(const capture::FrameLists& lists, std::int32_t k);

}  // namespace decode_cli
