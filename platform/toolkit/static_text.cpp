#include "platform/toolkit/static_text.h"

#include <QEvent>
#include <QMouseEvent>

namespace platform {

StaticText::StaticText(QWidget* parent, const QString& text) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setText(text);
  resize(fontMetrics().horizontalAdvance(text), kHeight);
}

void StaticText::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) resize(fontMetrics().horizontalAdvance(text()), kHeight);
}

void StaticText::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) {
    OnClick();
  }
}

}  // namespace platform
