#pragma once
// Stand-ins for the dialogs, so that tests answer the open dialog and read
// the exception message box without a person.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit/exception_box.h"
#include "platform/toolkit/open_dialog.h"

namespace platform {

// Answers each run with the next scripted answer: a path confirms it, none cancels.
class ScriptedOpenDialog : public OpenDialog {
 public:
  void answer(std::optional<QString> path) { answers_.push_back(std::move(path)); }
  void choose(const std::string& path) { answer(QString::fromStdString(path)); }
  void cancel() { answer(std::nullopt); }

  bool execute(QWidget*) override {
    ++runs;
    opened_with.push_back(file_name);
    if (answers_.empty()) return false;
    auto next = std::move(answers_.front());
    answers_.pop_front();
    if (!next) return false;
    file_name = *next;
    return true;
  }

  int runs = 0;
  std::vector<QString> opened_with;  // file_name as each run found it

 private:
  std::deque<std::optional<QString>> answers_;
};

// Keeps every text the box would have shown.
class RecordingExceptionBox : public ExceptionBox {
 public:
  void show(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

}  // namespace platform
