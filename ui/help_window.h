#pragma once
// The Help window: a text box with a short description of the two file commands.

#include <QWidget>
#include <array>
#include <string_view>

class QPlainTextEdit;

namespace ui {

// The lines of the help text, in Latin-1, each followed by a line break.
extern const std::array<std::string_view, 14> kHelpLines;

class TForm3 : public QWidget {
 public:
  TForm3();

  QPlainTextEdit* Memo1;

  // Runs at every showing: the text is built anew.
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace ui
