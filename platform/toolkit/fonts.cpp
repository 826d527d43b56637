#include "platform/toolkit/fonts.h"

#include <QStringList>

namespace platform {

QFont design_font(std::string_view design_family, int pixel_size, bool bold) {
  const bool monospace = design_family == "Courier";
  QFont font;
  // The Liberation fonts share their metrics with the Windows fonts; DejaVu
  // and the generic names are there when they are missing.
  font.setFamilies(monospace ? QStringList{"Liberation Mono", "DejaVu Sans Mono", "Monospace"}
                             : QStringList{"Liberation Sans", "DejaVu Sans", "Sans Serif"});
  font.setStyleHint(monospace ? QFont::Monospace : QFont::SansSerif);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

}  // namespace platform
