// Frames of real captures (another satellite, so every field is noise to
// this decoder) decode fully or stop where their length says, never worse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "capture/capture_reader.h"
#include "capture/unescape.h"
#include "platform/runtime/errors.h"
#include "telemetry/decode.h"

namespace {

// How many beacon updates a frame of `length` bytes delivers before it stops.
std::size_t updates_before_stop(std::size_t length) {
  const struct {
    std::size_t shortest;
    std::size_t updates;
  } stops[] = {{64, 12}, {62, 7}, {59, 6}, {57, 4}, {55, 3}, {51, 2}};
  for (const auto& stop : stops) {
    if (length >= stop.shortest) return stop.updates;
  }
  return 0;
}

TEST(RealCaptures, EveryFrameDecodesOrStopsWhereItsLengthSays) {
  const char* shared = std::getenv("TAPIR_SHARED_DIR");
  const std::filesystem::path folder = std::filesystem::path(shared ? shared : "") / "captures" / "real";
  if (!shared || !std::filesystem::is_directory(folder)) GTEST_SKIP() << "no real captures";

  std::size_t frames = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".kss") continue;
    capture::FrameLists lists;
    try {
      platform::CaptureFile file(entry.path().string());
      capture::carrega(file, lists);
    } catch (const platform::IoError&) {
      // A capture cut inside a frame keeps the frames before the cut.
    }
    for (std::size_t i = 0; i < lists.Memo1.size(); ++i) {
      const std::string line = capture::unescape_line(lists.Memo1[i]);
      std::size_t updates = 0;
      std::optional<std::string> error;
      try {
        // The real captures hold no time stamps; only beacon updates are counted.
        telemetry::decode_frame(lists.Memo4[i], line, [&](const telemetry::LabelUpdate& update) {
          updates += update.label != telemetry::Label::Label20;
        });
      } catch (const platform::ConvertError& e) {
        error = e.what();
      }
      const std::size_t length = line.size() / 3;
      const std::size_t expected = updates_before_stop(length);
      EXPECT_EQ(updates, expected) << entry.path().filename() << " frame " << i + 1;
      if (expected < 12) EXPECT_EQ(error, "'$' is not a valid integer value") << length << " bytes";
      else EXPECT_EQ(error, std::nullopt) << length << " bytes";
      ++frames;
    }
  }
  EXPECT_GT(frames, 0u);
}

}  // namespace
