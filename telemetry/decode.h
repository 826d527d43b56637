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

// The reception date from a time-stamp line, in its numeric or its text
// form; none when the line has neither form.
std::optional<std::string> reception_date(std::string_view time_stamp_line);

// Step 0 (the reception date, when there is one) and then every beacon step
// of the unescaped frame line. A field that the frame is too short for
// throws platform::ConvertError after the updates before it were delivered.
void decode_frame(std::string_view time_stamp_line, std::string_view frame_line,
                  const UpdateSink& apply);

}  // namespace telemetry
