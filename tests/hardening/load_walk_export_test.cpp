// The whole life of a capture in the window, twice over: load, a walk through
// every frame, the export. Under the sanitizer build LeakSanitizer checks at
// exit that none of it leaks; valgrind can run the same program by hand.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "capture/capture_reader.h"
#include "capture/frame_lists.h"
#include "capture/hex_export.h"
#include "capture/unescape.h"
#include "platform/runtime/capture_file.h"
#include "platform/runtime/errors.h"
#include "telemetry/decode.h"
#include "tests/hardening/scratch_dir.h"
#include "ui/load_texts.h"

namespace hardening {
namespace {

// A beacon with every field present and a frame whose fields run short.
Bytes mixed_capture() {
  Bytes bytes;
  for (int i = 0; i < 50; ++i) {
    append(bytes, time_stamp_frame(1615871392999 + static_cast<std::uint64_t>(i) * 10000));
    Bytes body(49);
    for (std::size_t j = 0; j < body.size(); ++j) body[j] = static_cast<std::uint8_t>(0x20 + (i + j) % 0x60);
    body[44] = static_cast<std::uint8_t>(i % 4);  // operating mode
    append(bytes, kiss_frame(0x00, satellite_ax25(body)));
  }
  append(bytes, kiss_frame(0x00, satellite_ax25({0x41, 0x42})));
  return bytes;
}

struct Walk {
  std::size_t frames = 0;
  std::size_t updates = 0;
  std::size_t short_frames = 0;  // ended by a conversion error
};

Walk load_walk_export(const std::string& capture_path, const std::string& hex_path,
                      capture::FrameLists& lists) {
  Walk walk;
  lists.clear();
  try {
    platform::CaptureFile file(capture_path);
    if (file.size() == 0) return walk;
    capture::carrega(file, lists);
    capture::restaura(lists);
  } catch (const platform::IoError& error) {
    EXPECT_EQ(error.code(), platform::io_code::read_beyond_end_of_file) << capture_path;
  }
  if (lists.frame_count > 0) {
    try {
      EXPECT_FALSE(ui::source_destination_caption(lists.Memo3.line(1)).empty());
    } catch (const platform::ConvertError&) {
    }
  }
  const telemetry::UpdateSink count = [&walk](const telemetry::LabelUpdate&) { ++walk.updates; };
  for (std::int32_t k = 1; k <= lists.frame_count; ++k) {
    ++walk.frames;
    try {
      telemetry::decode_frame(lists.Memo4.line(k), lists.Memo3.line(k), count);
    } catch (const platform::ConvertError&) {
      ++walk.short_frames;
    }
  }
  capture::write_hex_file(hex_path, lists.Memo3, lists.frame_count);
  return walk;
}

TEST(LoadWalkExportTest, EveryCaptureLoadsWalksAndExportsTwice) {
  ScratchDir dir;
  std::vector<std::string> captures = {dir.file("mixed.kss")};
  write_file(captures.front(), mixed_capture());
  for (const char* name : {"TAPIR_SOURCE_DIR", "TAPIR_SHARED_DIR"}) {
    const char* root = std::getenv(name);
    if (root == nullptr) continue;
    for (const char* folder : {"/samples", "/captures/real"}) {
      std::error_code missing;
      for (const auto& entry : std::filesystem::directory_iterator(std::string(root) + folder, missing)) {
        if (entry.path().extension() == ".kss") captures.push_back(entry.path().string());
      }
    }
  }

  capture::FrameLists lists;  // one set of lists, reused by every load as the window does
  for (const std::string& capture_path : captures) {
    SCOPED_TRACE(capture_path);
    const std::string hex_path = dir.file("export.HEX");
    const Walk first = load_walk_export(capture_path, hex_path, lists);
    const std::string first_export = read_file(hex_path);
    const Walk second = load_walk_export(capture_path, hex_path, lists);
    EXPECT_EQ(read_file(hex_path), first_export);
    EXPECT_EQ(second.updates, first.updates);
    EXPECT_EQ(first.frames, static_cast<std::size_t>(lists.frame_count));
  }
  // The built capture: every full beacon decodes, the short one stops early.
  const Walk mixed = load_walk_export(captures.front(), dir.file("export.HEX"), lists);
  EXPECT_EQ(mixed.frames, 51u);
  EXPECT_EQ(mixed.short_frames, 1u);
  EXPECT_GT(mixed.updates, 50u * 10u);
}

}  // namespace
}  // namespace hardening
