#pragma once
// The fonts the windows were designed with, and the platform fonts that stand
// in for them at the same pixel size: "MS Sans Serif" and "Arial" by a
// sans-serif font, "Courier" by a monospace one.

#include <QFont>
#include <string_view>

namespace platform {

QFont design_font(std::string_view design_family, int pixel_size, bool bold = false);

// "MS Sans Serif" at 11 pixels (8 points), the windows' own font.
inline QFont window_font(bool bold = false) { return design_font("MS Sans Serif", 11, bold); }

}  // namespace platform
