#pragma once
// A static text: sizes itself to its text, 17 pixels high, no border, and
// the background of the panel it sits on. It may answer a click.

#include <QLabel>
#include <functional>

namespace platform {

class StaticText : public QLabel {
 public:
  static constexpr int kHeight = 17;

  StaticText(QWidget* parent, const QString& text);
  std::function<void()> OnClick;

 protected:
  void changeEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace platform
