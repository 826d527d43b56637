#pragma once
// The decoding of one frame of the satellite into the label updates of the
// main window, delivered one by one, in order, as each value becomes known.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "telemetry/label_update.h"

namespace telemetry {

using UpdateSink = std::function<void(const LabelUpdate&)>;

// The reception date from a time-stamp line, in its numeric form
// ("RX date: 3/16/21 5:09:52 am UTC", always UTC) or its text form
// (" RX date: " and the first 27 bytes of the frame as they stand); none when
// the line has neither form. The text is not cut at a zero byte.
std::optional<std::string> reception_date(std::string_view time_stamp_line);

// Delivers, in this order and each as soon as it is known: Label20 (only when
// the time-stamp line has a date; its visibility untouched), then Label3,
// Label6, Label7 (visibility untouched), Label8, Label9, Label10 (no text for
// an unknown mode, still made visible), Label11, Label12, Label15, Label16,
// Label17 and Label18, every text cut at its first zero byte.
// A field none of whose bytes is in the frame line throws
// platform::ConvertError for "$" after the updates before it were delivered;
// a field with only its low bytes in the line is read from those.
void decode_frame(std::string_view time_stamp_line, std::string_view frame_line,
                  const UpdateSink& apply);

}  // namespace telemetry
