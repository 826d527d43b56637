#include "app/decode/loaded_capture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "tests/support/kiss_fixture.h"
#include "platform/runtime/caption.h"

namespace {

using decode_cli::LoadOutcome;
using fixture::Beacon;

struct Case {
  const char* name;
  std::string bytes;
  LoadOutcome outcome;
  std::size_t frames;
  std::int32_t satellite_frames;
  std::size_t time_stamp_frames;
  std::optional<std::string> error;
  std::optional<std::string> label5;
  std::optional<std::string> label4;
};

const std::string kSatellite = fixture::data_frame(fixture::beacon_bytes(Beacon{}));
const std::string kStamp = fixture::time_stamp_frame(fixture::kReceived);
const std::string kOther = fixture::data_frame(fixture::address("CQ") + "\x60" + fixture::address("OTHER1") + "\x61\x03\xF0");
const std::string kFrom = "from:  TAPIR1     to:  CQ    ";

TEST(LoadCapture, CaptionsAndErrorsFollowTheOpenCommand) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // Stored with "TAPIR" in the source address, but the stray escapes drop the
  // first eight bytes, leaving five: too few for the destination call sign.
  const std::string tiny_satellite = std::string("\xC0\x00\xDB\x01\xDB\x01\xDB\x01\xDB", 9) +
                                     "\xA8\x82\xA0\x92\xA4\x62\xC0";

  const Case cases[] = {
      {"empty", "", LoadOutcome::empty, 0, 0, 0, std::nullopt, "@/empty   is not a valid file !", std::nullopt},
      {"other_stations", kOther + kStamp, LoadOutcome::not_from_satellite, 2, 0, 1, std::nullopt,
       "  This KSS file is not from VOZEZAROROZE-1 !  ", "0"},
      {"one_frame", kStamp + kSatellite, LoadOutcome::satellite_frames, 2, 1, 1, std::nullopt, kFrom,
       " This file contains  1  frame"},
      {"three_frames", kSatellite + kOther + kSatellite + kSatellite, LoadOutcome::satellite_frames, 4, 3, 0,
       std::nullopt, kFrom, " This file contains  3  frames"},
      {"cut_in_first_frame", kSatellite.substr(0, 20), LoadOutcome::read_failed, 0, 0, 0,
       "Read beyond end of file", std::nullopt, std::nullopt},
      {"cut_after_two", kStamp + kSatellite + kStamp + kSatellite.substr(0, 30), LoadOutcome::read_failed, 3, 1, 2,
       "Read beyond end of file", std::nullopt, "1"},
      {"first_frame_too_short_for_call_sign", tiny_satellite, LoadOutcome::caption_failed, 1, 1, 0,
       "'$' is not a valid integer value", std::nullopt, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.filePath(c.name).toStdString();
    fixture::write_file(path, c.bytes);
    const auto loaded = decode_cli::load_capture(path, "@/" + std::string(c.name));
    EXPECT_EQ(loaded.outcome, c.outcome);
    EXPECT_EQ(loaded.lists.Memo1.size(), c.frames);
    EXPECT_EQ(loaded.lists.frame_count, c.satellite_frames);
    EXPECT_EQ(loaded.lists.Memo4.size(), c.time_stamp_frames);
    // The frames completed before a failed read are unescaped all the same.
    EXPECT_EQ(loaded.lists.Memo3.size(), static_cast<std::size_t>(c.satellite_frames));
    EXPECT_EQ(loaded.error, c.error);
    EXPECT_EQ(loaded.label5, c.label5);
    EXPECT_EQ(loaded.label4, c.label4);
    EXPECT_EQ(loaded.succeeded(), !c.error.has_value());
  }
}

TEST(LoadCapture, MissingFilesAndDirectoriesCannotBeOpened) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const struct {
    std::string path;
    const char* error;
  } cases[] = {
      {dir.filePath("missing.kss").toStdString(), "File not found"},
      {dir.path().toStdString(), "File access denied"},
  };
  for (const auto& c : cases) {
    const auto loaded = decode_cli::load_capture(c.path, c.path);
    EXPECT_EQ(loaded.outcome, LoadOutcome::open_failed) << c.path;
    EXPECT_EQ(loaded.error, c.error);
    EXPECT_FALSE(loaded.label5);
    EXPECT_FALSE(loaded.label4);
  }
}

TEST(LoadCapture, MessagesAreWordedAsTheMessageBoxWordsThem) {
  EXPECT_EQ(platform::exception_box_text("Read beyond end of file"), "Read beyond end of file.");
  EXPECT_EQ(platform::exception_box_text("'$' is not a valid integer value"), "'$' is not a valid integer value.");
  EXPECT_EQ(platform::exception_box_text("  is not a valid file !"), "  is not a valid file !");
  EXPECT_EQ(platform::exception_box_text("done."), "done.");
  EXPECT_EQ(platform::exception_box_text("I/O error 5"), "I/O error 5.");
}

}  // namespace
