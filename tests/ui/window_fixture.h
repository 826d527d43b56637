#pragma once
// The program's three windows on the offscreen platform, a scripted open
// dialog, a recording exception box and a scratch folder whose "start"
// subfolder is the current directory when the main window is shown.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/toolkit/fakes.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/up_down.h"
#include "tests/ui/capture_files.h"
#include "ui/application.h"

namespace tests {

inline QApplication& application() {
  static int argc = 1;
  static char name[] = "ui_window_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own statics may already be gone when the program ends.
  static auto* app = new QApplication(argc, argv);
  return *app;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() / ("tapir_ui_" + std::string(info->test_suite_name()) +
                                                     "_" + info->name() + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "start");
    std::filesystem::current_path(dir_ / "start");
    windows_ = std::make_unique<ui::Windows>(dialog, box);
    form().show();
  }

  void TearDown() override {
    windows_.reset();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(dir_);
  }

  ui::TForm1& form() { return *windows_->Form1; }
  ui::TForm2& about() { return *windows_->Form2; }
  ui::TForm3& help() { return *windows_->Form3; }
  std::filesystem::path start_dir() const { return dir_ / "start"; }

  // Writes a capture into the scratch folder and gives its full path.
  std::string capture(const std::string& name, const Bytes& bytes) { return write_file(dir_ / name, bytes); }
  std::string missing(const std::string& name) const { return (dir_ / name).string(); }

  void open(const std::string& path) {
    dialog.choose(path);
    form().OpenKSSfile1->trigger();
  }
  void open_cancelled() {
    dialog.cancel();
    form().OpenKSSfile1->trigger();
  }
  void press(platform::UpDown::Button button, int times = 1) {
    for (int i = 0; i < times; ++i) form().UpDown1->press(button);
  }
  void next(int times = 1) { press(platform::UpDown::Button::Next, times); }
  void previous(int times = 1) { press(platform::UpDown::Button::Previous, times); }

  static std::string text(const platform::Label* label) { return label->caption().toStdString(); }
  std::string edit1() { return form().Edit1->text().toStdString(); }

  platform::ScriptedOpenDialog dialog;
  platform::RecordingExceptionBox box;

 private:
  std::filesystem::path dir_;
  std::unique_ptr<ui::Windows> windows_;
};

}  // namespace tests
