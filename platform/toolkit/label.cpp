#include "platform/toolkit/label.h"

#include <QEvent>

#include "platform/toolkit/text.h"

namespace platform {

Label::Label(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(true);
  setMargin(0);
  setIndent(0);
}

void Label::set_caption(const QString& caption) {
  const auto zero = caption.indexOf(QChar(0));
  setText(zero < 0 ? caption : caption.left(zero));
  fit();
}

void Label::fit() { resize(fontMetrics().horizontalAdvance(text()), kHeight); }

void Label::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) fit();
}

void Label::set_caption_latin1(std::string_view caption) { set_caption(from_latin1(caption)); }

}  // namespace platform
