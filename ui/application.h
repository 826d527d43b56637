#pragma once
// The program's three windows, created in this order: the main window first
// (closing it ends the program), then the About and the Help window, hidden.

#include <memory>

#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace ui {

struct Windows {
  std::unique_ptr<TForm1> Form1;
  std::unique_ptr<TForm2> Form2;
  std::unique_ptr<TForm3> Form3;

  Windows(platform::OpenDialog& open_dialog, platform::ExceptionBox& exception_box);
  ~Windows();
};

// The 32 x 32 satellite symbol, the windows' and the application's icon.
void set_application_icon();

}  // namespace ui
