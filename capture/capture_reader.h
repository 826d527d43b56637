#pragma once
// Splits a KISS capture into frames and sorts their hex-text lines into the
// frame lists: every frame, the satellite's frames, the time-stamp frames.

#include <cstdint>
#include <functional>

#include "capture/frame_lists.h"
#include "platform/runtime/capture_file.h"

namespace capture {

// Called after every frame with the current frame_count.
using Progress = std::function<void(std::int32_t frame_count)>;

// Reads every frame of a non-empty capture into lists.Memo1, Memo2 and Memo4
// and counts the satellite's frames in lists.frame_count. The capture is
// closed on every path out. A capture that ends inside a frame keeps every
// frame completed before and throws IoError "Read beyond end of file".
void carrega(platform::CaptureFile& capture, FrameLists& lists, const Progress& progress = {});

// Whether a stored frame line is the satellite's: the first five letters of
// its AX.25 source address are TAPIR.
bool is_satellite_frame(std::string_view line) noexcept;

}  // namespace capture
