#pragma once
// One capture loaded as the Open command loads it, with what that command
// would have shown: the captions of Label5 and Label4 and the error, if any.

#include <cstdint>
#include <optional>
#include <string>

#include "capture/frame_lists.h"

namespace decode_cli {

enum class LoadOutcome {
  open_failed,         // the file could not be opened or its size taken
  empty,               // a file of 0 bytes
  read_failed,         // cut inside a frame, or a read failed
  not_from_satellite,  // read whole, none of the satellite's frames
  caption_failed,      // the first frame is too short for the destination call sign
  satellite_frames,    // read whole, at least one frame of the satellite
};

struct LoadedCapture {
  std::string path;  // as given
  capture::FrameLists lists;
  LoadOutcome outcome = LoadOutcome::open_failed;
  std::optional<std::string> error;   // the exception's message, as raised
  std::optional<std::string> label5;  // caption bytes, cut at a zero character
  std::optional<std::string> label4;

  // Every frame of the file was read and the Open command ran to its end.
  bool succeeded() const noexcept { return !error.has_value(); }
};

// `full_path` is what the window's file dialog would have returned for `path`.
LoadedCapture load_capture(const std::string& path, const std::string& full_path);

}  // namespace decode_cli
