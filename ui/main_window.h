#pragma once
// The main window: the menu bar, the satellite's picture, the labels that
// show a decoded frame, the frame selector and the four frame lists.

#include <QMainWindow>
#include <cstdint>
#include <string>

#include "capture/frame_lists.h"
#include "telemetry/label_update.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;

namespace platform {
class ExceptionBox;
class Label;
class OpenDialog;
class UpDown;
}  // namespace platform

namespace ui {

class TForm2;
class TForm3;

class TForm1 : public QMainWindow {
 public:
  static constexpr int kClientWidth = 561;
  static constexpr int kClientHeight = 456;

  TForm1(platform::OpenDialog& open_dialog, platform::ExceptionBox& exception_box);
  ~TForm1() override;

  // The secondary windows, created after this one.
  void set_secondary_windows(TForm2* about, TForm3* help);

  // Controls, in the order of the window's layout.
  QLineEdit* Edit1;
  platform::Label* Label1;
  platform::Label* Label2;
  platform::Label* Label3;
  platform::Label* Label4;
  platform::Label* Label5;
  platform::Label* Label6;
  platform::Label* Label7;
  platform::Label* Label8;
  platform::Label* Label9;
  platform::Label* Label10;
  platform::Label* Label11;
  platform::Label* Label12;
  platform::Label* Label13;
  platform::Label* Label14;
  platform::Label* Label15;
  platform::Label* Label16;
  platform::Label* Label17;
  platform::Label* Label18;
  platform::Label* Label20;
  platform::UpDown* UpDown1;
  QFrame* Bevel1;
  QFrame* Bevel2;
  QLabel* Image1;
  platform::OpenDialog& OpenDialog2;

  // Menu bar.
  QMenu* File1;
  QAction* OpenKSSfile1;
  QAction* Writehexfile1;
  QAction* Exit1;
  QAction* help;
  QAction* About1;

  // The frame lists Memo1 to Memo4 and frame_count.
  capture::FrameLists memos;
  std::int32_t& frame_count = memos.frame_count;
  std::int32_t frame_no = 0;
  std::string start_dir;
  std::string hex_path;

  // Handlers. They throw what they do not handle; the menu and the selector
  // run them inside the exception guard.
  void FormShow();
  void apaga();
  void OpenKSSfile1Click();
  void UpDown1Click();
  void Writehexfile1Click();
  void Exit1Click();
  void helpClick();
  void About1Click();
  void calcula();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void build_controls();
  void build_menu();
  template <class Handler>
  void run_guarded(Handler handler);
  void apply(const telemetry::LabelUpdate& update);
  platform::Label* label_for(telemetry::Label label) const;

  platform::ExceptionBox& exception_box_;
  TForm2* Form2_ = nullptr;
  TForm3* Form3_ = nullptr;
};

}  // namespace ui
