// The toolkit layer: the exception box's wording and title, the guard, the
// up-down control, labels and the open dialog's filter.

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/runtime/errors.h"
#include "platform/toolkit/exception_box.h"
#include "platform/toolkit/fakes.h"
#include "platform/toolkit/handler_guard.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/open_dialog.h"
#include "platform/toolkit/up_down.h"

namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "toolkit_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own statics may already be gone when the program ends.
  static auto* app = new QApplication(argc, argv);
  return *app;
}

TEST(ExceptionBox, AddsAFullStopAfterCharactersAboveIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"Read beyond end of file", "Read beyond end of file."},
      {"'$' is not a valid integer value", "'$' is not a valid integer value."},
      {"I/O error 32", "I/O error 32."},  // '2' is above '.'
      {"Not from the satellite !", "Not from the satellite !"},
      {"Done.", "Done."},
      {"a-", "a-"},  // '-' is below '.'
      {"", ""},
      {"caf\xE9", "caf\xE9."},  // Latin-1 letters count as above
  };
  for (const auto& c : cases) EXPECT_EQ(platform::exception_box_text(c.message), c.shown) << c.message;
}

TEST(ExceptionBox, TitleIsTheProgramNameUpToItsFirstDot) {
  EXPECT_EQ(platform::application_title("/usr/local/bin/tapir1-decoder"), "tapir1-decoder");
  EXPECT_EQ(platform::application_title("C/TAPIR1Decoder.EXE"), "Tapir1decoder");
  EXPECT_EQ(platform::application_title("./Deco.der.bin"), "Deco");
}

TEST(HandlerGuard, ShowsTheErrorAndKeepsWhatTheHandlerDidBefore) {
  platform::RecordingExceptionBox box;
  int steps = 0;
  platform::guarded(box, [&] {
    ++steps;
    throw platform::IoError(platform::io_code::read_beyond_end_of_file);
  });
  platform::guarded(box, [&] {
    ++steps;
    throw platform::ConvertError("$");
  });
  platform::guarded(box, [&] { ++steps; });
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(box.shown,
            (std::vector<std::string>{"Read beyond end of file.", "'$' is not a valid integer value."}));
}

TEST(UpDown, StepsWithinItsBoundsAndClicksOnlyWhenItMoved) {
  application();
  platform::UpDown up_down(nullptr);
  EXPECT_EQ(up_down.maximum(), 100);
  up_down.set_minimum(1);
  up_down.set_position(1);
  std::vector<platform::UpDown::Button> clicks;
  up_down.OnClick = [&](platform::UpDown::Button b) { clicks.push_back(b); };

  up_down.press(platform::UpDown::Button::Previous);  // at the minimum: nothing
  EXPECT_EQ(up_down.position(), 1);
  EXPECT_TRUE(clicks.empty());

  up_down.set_maximum(3);
  for (int i = 0; i < 3; ++i) up_down.press(platform::UpDown::Button::Next);
  EXPECT_EQ(up_down.position(), 3);  // no wrap at the maximum
  EXPECT_EQ(clicks.size(), 2u);

  up_down.set_position(2);  // setting raises nothing
  up_down.set_maximum(70000);
  EXPECT_EQ(clicks.size(), 2u);
  up_down.set_position(40000);  // wide: frames past 32767 can be chosen
  up_down.press(platform::UpDown::Button::Next);
  EXPECT_EQ(up_down.position(), 40001);

  up_down.set_maximum(0);  // below the minimum: held at it
  EXPECT_EQ(up_down.maximum(), 1);
  EXPECT_EQ(up_down.position(), 1);
}

TEST(Label, KeepsItsTextUpToTheFirstZeroAndSizesItself) {
  application();
  platform::Label label(nullptr);
  label.set_caption_latin1(std::string_view(" Message: HI\0junk", 17));
  EXPECT_EQ(label.caption(), QStringLiteral(" Message: HI"));
  EXPECT_EQ(label.height(), platform::Label::kHeight);
  const int short_width = label.width();
  label.set_caption_latin1(
      " Temperature:  23.5 \xB0"
      "C");
  EXPECT_EQ(label.caption(), QString::fromUtf8(" Temperature:  23.5 \u00B0C"));
  EXPECT_GT(label.width(), short_width);
  label.set_caption({});
  EXPECT_EQ(label.width(), 0);
}

TEST(OpenDialog, FilterListsEveryPattern) {
  EXPECT_EQ(platform::name_filter("Kiss files (*.kss)|*.KSS;*.kss"),
            QStringLiteral("Kiss files (*.kss) (*.KSS *.kss)"));
}

}  // namespace
