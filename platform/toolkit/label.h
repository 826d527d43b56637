#pragma once
// A label that sizes itself to its text, is 13 pixels high and paints an
// opaque background in the window colour.

#include <QLabel>
#include <string_view>

namespace platform {

class Label : public QLabel {
 public:
  static constexpr int kHeight = 13;

  explicit Label(QWidget* parent);

  // The caption, cut at its first character of code 0; the label then
  // takes the width of its text.
  void set_caption(const QString& caption);
  void set_caption_latin1(std::string_view caption);
  QString caption() const { return text(); }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void fit();
};

}  // namespace platform
