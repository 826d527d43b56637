#pragma once
// The exception message box: an error that leaves an event handler is shown
// to the user, who confirms it, and the program goes on.

#include <QString>
#include <string>
#include <string_view>

#include "platform/runtime/caption.h"

namespace platform {

// The application's title: the program file's name up to its first ".",
// every character after the first in lower case.
std::string application_title(std::string_view program_path);

class ExceptionBox {
 public:
  virtual ~ExceptionBox() = default;
  // Shows `text` (already worded by exception_box_text) and returns when
  // the user has confirmed it.
  virtual void show(const std::string& text) = 0;
};

// A modal box with a stop icon and one OK button, titled by the application.
class QtExceptionBox : public ExceptionBox {
 public:
  explicit QtExceptionBox(std::string title) : title_(std::move(title)) {}
  void show(const std::string& text) override;

 private:
  std::string title_;
};

}  // namespace platform
