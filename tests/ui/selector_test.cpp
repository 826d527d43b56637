// The frame selector: stepping through the loaded frames, its bounds, and
// loads of files of other sizes in between.

#include "tests/ui/window_fixture.h"

namespace tests {
namespace {

class Selector : public WindowTest {
 protected:
  // Label1 and frame_no after each press.
  std::vector<std::string> steps(int presses) {
    std::vector<std::string> shown;
    for (int i = 0; i < presses; ++i) {
      next();
      shown.push_back(text(form().Label1) + "/" + std::to_string(form().frame_no));
    }
    return shown;
  }
  // A sentinel in a label that every decode rewrites tells whether a press decoded.
  void mark() { form().Label11->set_caption(QStringLiteral("untouched")); }
};

TEST_F(Selector, FiveFramesSteppedToTheEndAndOneMorePress) {
  open(capture("five.kss", beacons(5)));
  EXPECT_EQ(steps(4), (std::vector<std::string>{"2/2", "3/3", "4/4", "5/5"}));
  EXPECT_EQ(text(form().Label11), " Boot counter: 5");  // frame 5 decoded
  mark();
  next();
  EXPECT_EQ(form().UpDown1->position(), 5);
  EXPECT_EQ(text(form().Label1), "5");
  EXPECT_EQ(form().frame_no, 5);
  EXPECT_EQ(text(form().Label11), "untouched");
}

TEST_F(Selector, LowerBoundRightAfterALoad) {
  open(capture("five.kss", beacons(5)));
  mark();
  previous();
  EXPECT_EQ(form().UpDown1->position(), 1);
  EXPECT_EQ(text(form().Label1), "1");
  EXPECT_EQ(text(form().Label11), "untouched");
}

TEST_F(Selector, TenFramesThenThree) {
  open(capture("ten.kss", beacons(10)));
  steps(9);
  ASSERT_EQ(form().frame_no, 10);
  open(capture("three.kss", beacons(3)));
  EXPECT_EQ(form().UpDown1->position(), 1);
  EXPECT_EQ(steps(3), (std::vector<std::string>{"2/2", "3/3", "3/3"}));
}

TEST_F(Selector, ThreeFramesThenTen) {
  open(capture("three.kss", beacons(3)));
  steps(3);
  ASSERT_EQ(form().frame_no, 3);
  open(capture("ten.kss", beacons(10)));
  const auto shown = steps(10);
  EXPECT_EQ(shown[8], "10/10");
  EXPECT_EQ(shown[9], "10/10");
}

TEST_F(Selector, NeverPassesTheFramesOfACaptureCutShort) {
  // One complete frame of the satellite, then the capture ends inside a frame.
  open(capture("cut.kss", beacons(1) + Bytes{0xC0, 0x00, 0xA8}));
  ASSERT_TRUE(form().UpDown1->isVisible());
  mark();
  next();
  EXPECT_EQ(form().UpDown1->position(), 1);
  EXPECT_EQ(text(form().Label11), "untouched");

  open(capture("two.kss", beacons(2) + Bytes{0xC0}));
  EXPECT_EQ(steps(2), (std::vector<std::string>{"2/2", "2/2"}));
}

TEST_F(Selector, ReachesFramesPastThe16BitRange) {
  open(capture("many.kss", beacons(32770)));
  form().UpDown1->set_position(32768);
  EXPECT_EQ(steps(3), (std::vector<std::string>{"32769/32769", "32770/32770", "32770/32770"}));
}

TEST_F(Selector, KeepsTheReceptionDateAndAnUnknownMode) {
  Beacon unknown_mode;
  unknown_mode.mode = 0x04;
  unknown_mode.boots = 2;
  open(capture("pass.kss",
               time_stamp(1615871392999) + kiss(beacon_frame({})) + kiss(beacon_frame(unknown_mode))));
  const std::string date = text(form().Label20);
  ASSERT_FALSE(date.empty());
  EXPECT_EQ(text(form().Label10), " Mode: NOMINAL ");
  next();
  EXPECT_EQ(text(form().Label11), " Boot counter: 2");
  EXPECT_EQ(text(form().Label20), date);  // frame 2 has no time stamp of its own
  EXPECT_EQ(text(form().Label10), " Mode: NOMINAL ");
  EXPECT_TRUE(form().Label10->isVisible());
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(Selector, FrameTooShortShowsTheConversionErrorAndKeepsTheNumber) {
  Bytes short_frame = beacon_frame({});
  short_frame.resize(40);
  open(capture("short.kss", beacons(1) + kiss(short_frame)));
  const std::string boots = text(form().Label11);
  next();
  EXPECT_EQ(box.shown, std::vector<std::string>{"'$' is not a valid integer value."});
  EXPECT_EQ(text(form().Label1), "2");
  EXPECT_EQ(text(form().Label11), boots);
}

}  // namespace
}  // namespace tests
