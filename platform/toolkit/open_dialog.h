#pragma once
// The open-file dialog, behind an interface so that tests can answer it.

#include <QString>
#include <string>

class QWidget;

namespace platform {

class OpenDialog {
 public:
  virtual ~OpenDialog() = default;

  // A label and its patterns separated by "|", the patterns by ";":
  // "Kiss files (*.kss)|*.KSS;*.kss".
  std::string filter;
  // The chosen file's full path; kept on cancel (empty at first), and the
  // dialog opens with it.
  QString file_name;

  // True when the user confirmed a file (a typed name need not exist).
  virtual bool execute(QWidget* owner) = 0;
};

// The toolkit's own file dialog.
class QtOpenDialog : public OpenDialog {
 public:
  bool execute(QWidget* owner) override;
};

// "label|p1;p2" as the toolkit's name filter "label (p1 p2)".
QString name_filter(const std::string& filter);

}  // namespace platform
