#include "platform/toolkit/up_down.h"

#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace platform {

UpDown::UpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const struct {
    QToolButton* button;
    Qt::ArrowType arrow;
    Button meaning;
  } arrows[] = {{up_, Qt::UpArrow, Button::Next}, {down_, Qt::DownArrow, Button::Previous}};
  for (const auto& a : arrows) {
    a.button->setArrowType(a.arrow);
    a.button->setAutoRepeat(true);  // a held arrow steps by one at each repeat
    a.button->setFocusPolicy(Qt::NoFocus);
    a.button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(a.button);
    const Button meaning = a.meaning;
    QObject::connect(a.button, &QToolButton::clicked, this, [this, meaning] { press(meaning); });
  }
}

void UpDown::set_minimum(std::int32_t value) {
  minimum_ = value;
  clamp();
}

void UpDown::set_maximum(std::int32_t value) {
  maximum_ = value;
  clamp();
}

void UpDown::set_position(std::int32_t value) {
  position_ = value;
  clamp();
}

void UpDown::clamp() {
  if (maximum_ < minimum_) maximum_ = minimum_;
  position_ = std::clamp(position_, minimum_, maximum_);
}

void UpDown::press(Button button) {
  const std::int32_t target = button == Button::Next ? (position_ < maximum_ ? position_ + 1 : position_)
                                                     : (position_ > minimum_ ? position_ - 1 : position_);
  if (target == position_) return;
  position_ = target;
  if (OnClick) OnClick(button);
}

}  // namespace platform
