// The toolkit layer: the exception box's wording and title, the guard, the
// up-down control, labels and the open dialog's filter.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>

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

// Runs `inspect` on the modal window that the next call opens.
template <class Window, class Inspect>
void when_shown(Inspect inspect) {
  QTimer::singleShot(0, [inspect] {
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    inspect(*window);
  });
}

TEST(ExceptionBox, QtBoxHasTheTitleAStopIconAndOneOkButton) {
  application();
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  qsizetype buttons = 0;
  when_shown<QMessageBox>([&](QMessageBox& box) {
    title = box.windowTitle();
    text = box.text();
    icon = box.icon();
    buttons = box.buttons().size();
    box.button(QMessageBox::Ok)->click();
  });
  platform::QtExceptionBox("tapir1-decoder").show("File not found.");
  EXPECT_EQ(title.toStdString(), "tapir1-decoder");
  EXPECT_EQ(text.toStdString(), "File not found.");
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(buttons, 1);
}

TEST(OpenDialog, QtDialogListsBothCasesAndKeepsTheNameOnCancel) {
  application();
  QTemporaryDir temporary;
  ASSERT_TRUE(temporary.isValid());
  const std::filesystem::path folder = temporary.path().toStdString();
  const QString chosen = QString::fromStdString((folder / "pass.kss").string());
  std::ofstream(folder / "pass.kss") << "x";

  platform::QtOpenDialog dialog;
  dialog.filter = "Kiss files (*.kss)|*.KSS;*.kss";
  QStringList filters;
  when_shown<QFileDialog>([&](QFileDialog& shown) {
    filters = shown.nameFilters();
    shown.selectFile(chosen);
    static_cast<QDialog&>(shown).accept();  // as the Open button does
  });
  ASSERT_TRUE(dialog.execute(nullptr));
  EXPECT_EQ(filters, QStringList{"Kiss files (*.kss) (*.KSS *.kss)"});
  EXPECT_EQ(dialog.file_name, chosen);

  QStringList opened_with;
  when_shown<QFileDialog>([&](QFileDialog& shown) {
    opened_with = shown.selectedFiles();
    shown.reject();
  });
  EXPECT_FALSE(dialog.execute(nullptr));
  EXPECT_EQ(opened_with, QStringList{chosen});
  EXPECT_EQ(dialog.file_name, chosen);
}

}  // namespace
