// The outcomes of "Open .KSS file": what the main window shows, the menu
// item "Write .HEX file", the frame lists and the .HEX path.

#include <QWidget>
#include <optional>
#include <set>
#include <vector>

#include "tests/ui/window_fixture.h"
#include "ui/load_texts.h"

namespace tests {
namespace {

// Every control whose visibility the Open command or the decoding sets.
const std::vector<std::string> kControls = {
    "Edit1",   "Image1",  "UpDown1", "Label1",  "Label2",  "Label3",  "Label4",  "Label5",
    "Label6",  "Label7",  "Label8",  "Label9",  "Label10", "Label11", "Label12", "Label13",
    "Label14", "Label15", "Label16", "Label17", "Label18", "Label20", "Bevel1",  "Bevel2",
};
// The labels only the decoding shows.
const std::set<std::string> kDecodedOnly = {"Label3",  "Label10", "Label11", "Label12",
                                            "Label15", "Label16", "Label17", "Label18"};
const std::set<std::string> kFrameControls = {"Label13", "Label14", "Label20", "Bevel1", "Bevel2"};

std::set<std::string> with(std::set<std::string> a, const std::set<std::string>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

enum class File { Cancel, Empty, NoSatellite, OneFrame, ThreeFrames, CutShort, Missing };

struct Outcome {
  const char* name;
  bool after_load;  // a capture of three beacons was loaded before
  File file;
  std::set<std::string> visible;  // of kControls; the others are hidden
  bool write_hex_enabled;
  std::optional<std::string> label5;  // none: not looked at
  std::optional<std::string> label4;
  std::vector<std::size_t> memo_sizes;  // Memo1 to Memo4
  std::int32_t frame_count;
  const char* hex_name;  // in the start folder; "" for none
  std::vector<std::string> messages;
  bool decodes;  // the first frame is decoded (its labels are checked below)
};

// Controls that step 4 of the command shows before the file is read.
const std::set<std::string> kShownBeforeReading = {"Edit1",   "UpDown1", "Label1", "Label4", "Label5",
                                                   "Label6",  "Label7",  "Label8", "Label9", "Label20",
                                                   "Label13", "Label14", "Bevel1", "Bevel2"};
const std::set<std::string> kFrameShown =
    with({"Edit1", "Label4", "Label5", "Label6", "Label7", "Label8", "Label9"}, kFrameControls);

// clang-format off
const Outcome kOutcomes[] = {
    {.name = "cancelled before any load", .after_load = false, .file = File::Cancel,
     .visible = {"Edit1", "Image1"}, .write_hex_enabled = false, .label5 = "Label5", .label4 = "label4",
     .memo_sizes = {0, 0, 0, 1}, .frame_count = 0, .hex_name = "", .messages = {}, .decodes = false},
    {.name = "cancelled after a load", .after_load = true, .file = File::Cancel,
     .visible = with({"Edit1", "Image1"}, kFrameControls), .write_hex_enabled = true, .label5 = {}, .label4 = {},
     .memo_sizes = {3, 3, 3, 0}, .frame_count = 3, .hex_name = "prior.HEX", .messages = {}, .decodes = false},
    {.name = "empty file", .after_load = true, .file = File::Empty,
     .visible = with({"Edit1", "Label5"}, kFrameControls), .write_hex_enabled = false,
     .label5 = "<path>   is not a valid file !", .label4 = {},
     .memo_sizes = {0, 0, 0, 0}, .frame_count = 0, .hex_name = "empty.HEX", .messages = {}, .decodes = false},
    {.name = "no frame of the satellite", .after_load = false, .file = File::NoSatellite,
     .visible = with({"Edit1", "Label5"}, kFrameControls), .write_hex_enabled = false,
     .label5 = std::string(ui::kNotFromSatelliteCaption), .label4 = "0",
     .memo_sizes = {3, 0, 0, 1}, .frame_count = 0, .hex_name = "others.HEX", .messages = {}, .decodes = false},
    {.name = "one frame", .after_load = false, .file = File::OneFrame,
     .visible = kFrameShown, .write_hex_enabled = true,
     .label5 = "from:  TAPIR1     to:  CQ    ", .label4 = " This file contains  1  frame",
     .memo_sizes = {2, 1, 1, 1}, .frame_count = 1, .hex_name = "one.HEX", .messages = {}, .decodes = true},
    {.name = "several frames", .after_load = false, .file = File::ThreeFrames,
     .visible = with(kFrameShown, {"UpDown1", "Label2", "Label1"}), .write_hex_enabled = true,
     .label5 = "from:  TAPIR1     to:  CQ    ", .label4 = " This file contains  3  frames",
     .memo_sizes = {3, 3, 3, 0}, .frame_count = 3, .hex_name = "three.HEX", .messages = {}, .decodes = true},
    {.name = "capture cut short", .after_load = false, .file = File::CutShort,
     .visible = with(kShownBeforeReading, {"Image1"}), .write_hex_enabled = true, .label5 = "Label5", .label4 = "2",
     .memo_sizes = {3, 2, 2, 1}, .frame_count = 2, .hex_name = "cut.HEX",
     .messages = {"Read beyond end of file."}, .decodes = false},
    {.name = "file that cannot be opened", .after_load = true, .file = File::Missing,
     .visible = with(kShownBeforeReading, {"Image1"}), .write_hex_enabled = true,
     .label5 = {}, .label4 = " This file contains  3  frames",
     .memo_sizes = {3, 3, 3, 0}, .frame_count = 3, .hex_name = "prior.HEX",
     .messages = {"File not found."}, .decodes = false},
};
// clang-format on

class OpenCommand : public WindowTest {
 protected:
  std::string file_for(File file) {
    switch (file) {
      case File::Cancel:
        return {};
      case File::Empty:
        return capture("empty.kss", {});
      case File::NoSatellite:
        return capture("others.kss", kiss(other_frame()) + time_stamp(1000) + kiss(other_frame()));
      case File::OneFrame:
        return capture("one.kss", time_stamp(1615871392999) + kiss(beacon_frame({})));
      case File::ThreeFrames:
        return capture("three.kss", beacons(3));
      case File::CutShort:
        return capture("cut.kss", beacons(1) + time_stamp(1000) + beacons(1) + Bytes{0xC0, 0x00, 0xA8, 0x82});
      case File::Missing:
        return missing("gone.kss");
    }
    return {};
  }
};

TEST_F(OpenCommand, Outcomes) {
  for (const Outcome& c : kOutcomes) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    std::string prior;
    if (c.after_load) {
      prior = capture("prior.kss", beacons(3));
      open(prior);
    }
    box.shown.clear();
    const std::string path = file_for(c.file);
    if (c.file == File::Cancel) {
      open_cancelled();
    } else {
      open(path);
    }

    for (const std::string& name : kControls) {
      if (c.decodes && kDecodedOnly.count(name)) continue;
      const auto* control = form().findChild<QWidget*>(QString::fromStdString(name));
      ASSERT_NE(control, nullptr) << name;
      EXPECT_EQ(control->isVisible(), c.visible.count(name) == 1) << name;
    }
    EXPECT_EQ(form().Writehexfile1->isEnabled(), c.write_hex_enabled);
    const std::string shown_path = c.file == File::Cancel ? prior : path;
    EXPECT_EQ(edit1(), shown_path);
    if (c.label5) {
      std::string expected = *c.label5;
      if (const auto at = expected.find("<path>"); at != std::string::npos) expected.replace(at, 6, path);
      EXPECT_EQ(text(form().Label5), expected);
    }
    if (c.label4) {
      EXPECT_EQ(text(form().Label4), *c.label4);
    }
    if (c.file != File::Cancel && !c.decodes) {
      EXPECT_EQ(text(form().Label20), "");
    }
    const auto& memos = form().memos;
    EXPECT_EQ((std::vector<std::size_t>{memos.Memo1.size(), memos.Memo2.size(), memos.Memo3.size(),
                                        memos.Memo4.size()}),
              c.memo_sizes);
    EXPECT_EQ(form().frame_count, c.frame_count);
    EXPECT_EQ(form().hex_path, *c.hex_name ? (start_dir() / c.hex_name).string() : std::string{});
    EXPECT_EQ(box.shown, c.messages);
    if (c.decodes) {
      EXPECT_EQ(form().frame_no, 1);
      EXPECT_EQ(text(form().Label1), "1");
    }
  }
}

TEST_F(OpenCommand, DialogAsksForKissFilesAndOpensWithTheLastChoice) {
  const std::string first = capture("pass.kss", beacons(2));
  open(first);
  open_cancelled();
  ASSERT_EQ(dialog.runs, 2);
  EXPECT_EQ(dialog.filter, "Kiss files (*.kss)|*.KSS;*.kss");
  EXPECT_EQ(dialog.opened_with[1].toStdString(), first);
  EXPECT_EQ(dialog.file_name.toStdString(), first);  // kept on cancel
}

TEST_F(OpenCommand, CutShortCaptureKeepsItsCompleteFramesUnescaped) {
  Beacon with_fend;
  with_fend.message =
      "A\xC0"
      "B";  // stored escaped as DB DC
  open(capture("cut.kss", kiss(beacon_frame(with_fend)) + Bytes{0xC0, 0x00, 0x01}));
  EXPECT_EQ(box.shown, std::vector<std::string>{"Read beyond end of file."});
  ASSERT_EQ(form().memos.Memo3.size(), 1u);
  EXPECT_NE(form().memos.Memo2.line(1), form().memos.Memo3.line(1));
  EXPECT_NE(form().memos.Memo3.line(1).find("41 C0 42 "), std::string_view::npos);
}

// The source test passes on the stored bytes, but unescaped the first frame
// is too short for the destination call sign.
TEST_F(OpenCommand, FirstFrameTooShortForItsDestinationEndsTheCommand) {
  const Bytes stored = {0xC0, 0x00, 0xDB, 0x41, 0xDB, 0x41, 0xDB, 0x41,
                        0xDB, 0xA8, 0x82, 0xA0, 0x92, 0xA4, 0xC0};
  open(capture("short.kss", stored));
  EXPECT_EQ(box.shown, std::vector<std::string>{"'$' is not a valid integer value."});
  EXPECT_EQ(form().frame_count, 1);
  EXPECT_EQ(text(form().Label4), "1");  // the count, not yet the sentence
  EXPECT_EQ(text(form().Label5), "Label5");
  EXPECT_EQ(form().frame_no, 0);
  EXPECT_TRUE(form().Writehexfile1->isEnabled());
}

TEST_F(OpenCommand, SecondLoadAfterAFailedOneStartsFromClearedLists) {
  open(capture("cut.kss", beacons(2) + Bytes{0xC0}));
  open(capture("others.kss", kiss(other_frame())));
  EXPECT_EQ(form().memos.Memo1.size(), 1u);
  EXPECT_EQ(form().memos.Memo3.size(), 0u);
  EXPECT_EQ(form().frame_count, 0);
}

TEST_F(OpenCommand, ShowsTheFirstFrameDecoded) {
  open(capture("one.kss", time_stamp(1615871392999) + kiss(beacon_frame({}))));
  EXPECT_TRUE(box.shown.empty());
  for (const platform::Label* label : {form().Label3, form().Label10, form().Label11, form().Label12,
                                       form().Label15, form().Label16, form().Label17, form().Label18}) {
    EXPECT_TRUE(label->isVisible()) << label->objectName().toStdString();
  }
  EXPECT_EQ(text(form().Label6), " Message: HELLO");
  EXPECT_EQ(text(form().Label10), " Mode: NOMINAL ");
  EXPECT_EQ(text(form().Label11), " Boot counter: 7");
  EXPECT_EQ(text(form().Label15), "dest_ssid: 60");
  EXPECT_EQ(text(form().Label18), "pid: F0");
  EXPECT_EQ(text(form().Label20).rfind("RX date: ", 0), 0u);
  EXPECT_EQ(form().Label9->caption(), QString::fromUtf8(" Temperature: 23.5 \u00B0C"));
}

}  // namespace
}  // namespace tests

namespace tests {
namespace {

using RealCaptures = WindowTest;

// Every frame of the demo capture can be shown without an error.
TEST_F(RealCaptures, DemoCaptureSteppedThroughEveryFrame) {
  const char* source = std::getenv("TAPIR_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  open(std::string(source) + "/samples/demo.kss");
  ASSERT_GE(form().frame_count, 2);
  next(form().frame_count);
  EXPECT_EQ(form().frame_no, form().frame_count);
  EXPECT_TRUE(box.shown.empty()) << box.shown.front();
}

// Captures of another satellite: loaded whole, or cut short, never more.
TEST_F(RealCaptures, OtherSatelliteCapturesShowTheirMessage) {
  const char* shared = std::getenv("TAPIR_SHARED_DIR");
  const std::filesystem::path folder = shared ? std::filesystem::path(shared) / "captures/real" : "";
  if (!shared || !std::filesystem::is_directory(folder)) GTEST_SKIP() << "no real captures here";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".kss") continue;
    SCOPED_TRACE(entry.path().string());
    box.shown.clear();
    open(entry.path().string());
    if (box.shown.empty()) {
      EXPECT_EQ(text(form().Label5), ui::kNotFromSatelliteCaption);
      EXPECT_FALSE(form().Writehexfile1->isEnabled());
    } else {
      EXPECT_EQ(box.shown, std::vector<std::string>{"Read beyond end of file."});
    }
    EXPECT_GT(form().memos.Memo1.size(), 0u);
  }
}

}  // namespace
}  // namespace tests
