#pragma once
// An up-down control: two arrow buttons, one above the other, that step a
// position between a minimum and a maximum without wrapping. A press that
// moves the position raises the click handler once; a press at a bound moves
// nothing and raises nothing. Setting the position or the bounds raises
// nothing. The values are 32-bit, so the control can hold any frame number.

#include <QWidget>
#include <cstdint>
#include <functional>

class QToolButton;

namespace platform {

class UpDown : public QWidget {
 public:
  enum class Button { Next, Previous };
  using ClickHandler = std::function<void(Button)>;

  explicit UpDown(QWidget* parent);

  std::int32_t minimum() const noexcept { return minimum_; }
  std::int32_t maximum() const noexcept { return maximum_; }
  std::int32_t position() const noexcept { return position_; }
  // Each keeps the position within the bounds.
  void set_minimum(std::int32_t value);
  void set_maximum(std::int32_t value);
  void set_position(std::int32_t value);

  // What a press on an arrow does (the buttons call it; tests may too).
  void press(Button button);

  ClickHandler OnClick;

 private:
  void clamp();

  QToolButton* up_;
  QToolButton* down_;
  std::int32_t minimum_ = 0;
  std::int32_t maximum_ = 100;
  std::int32_t position_ = 0;
};

}  // namespace platform
