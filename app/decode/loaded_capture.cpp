#include "app/decode/loaded_capture.h"

#include <filesystem>

#include "capture/capture_reader.h"
#include "capture/unescape.h"
#include "platform/runtime/caption.h"
#include "platform/runtime/capture_file.h"
#include "platform/runtime/errors.h"
#include "ui/load_texts.h"

namespace decode_cli {

namespace {

std::string shown(std::string_view caption) { return std::string(platform::shown_text(caption)); }

}  // namespace

// The captions follow the Open command's paths out:
// - open failed: it sets neither caption;
// - empty file: Label5 = the full path and "   is not a valid file !", Label4 none;
// - read failed: Label4 = the frame count set after the last complete frame
//   (none when no frame was complete), Label5 none; the completed frames are
//   unescaped all the same so that they can be shown;
// - read whole without the satellite's frames: Label5 = the "not from" caption,
//   Label4 = "0" from the progress after each frame (a non-empty file read
//   whole holds at least one frame);
// - satellite's frames: Label5 = the source and destination line, Label4 = the
//   frame count caption; if the first frame is too short for the call sign the
//   conversion error ends the command with Label4 still at the progress count.
LoadedCapture load_capture(const std::string& path, const std::string& full_path) {
  LoadedCapture loaded;
  loaded.path = path;
  auto& lists = loaded.lists;

  std::optional<platform::CaptureFile> file;
  try {
    std::error_code ignored;
    // Opening a directory succeeds on POSIX; the window's system refuses it.
    if (std::filesystem::is_directory(path, ignored)) throw platform::IoError(platform::io_code::access_denied);
    file.emplace(path);
  } catch (const platform::IoError& error) {
    loaded.outcome = LoadOutcome::open_failed;
    loaded.error = error.what();
    return loaded;
  }

  if (file->size() == 0) {
    file->close();
    loaded.outcome = LoadOutcome::empty;
    loaded.label5 = shown(ui::empty_file_caption(full_path));
    return loaded;
  }

  try {
    capture::carrega(*file, lists);
  } catch (const platform::IoError& error) {
    loaded.outcome = LoadOutcome::read_failed;
    loaded.error = error.what();
    if (!lists.Memo1.empty()) loaded.label4 = std::to_string(lists.frame_count);
    capture::restaura(lists);
    return loaded;
  }
  capture::restaura(lists);
  loaded.label4 = std::to_string(lists.frame_count);

  if (lists.frame_count == 0) {
    loaded.outcome = LoadOutcome::not_from_satellite;
    loaded.label5 = shown(ui::kNotFromSatelliteCaption);
    return loaded;
  }
  try {
    loaded.label5 = shown(ui::source_destination_caption(lists.Memo3.line(1)));
  } catch (const platform::ConvertError& error) {
    loaded.outcome = LoadOutcome::caption_failed;
    loaded.error = error.what();
    return loaded;
  }
  loaded.label4 = shown(ui::frame_count_caption(lists.frame_count));
  loaded.outcome = LoadOutcome::satellite_frames;
  return loaded;
}

}  // namespace decode_cli
