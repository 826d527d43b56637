#pragma once
// How a text reaches the user: a caption or text box keeps its text up to its
// first character of code 0; an error message gets the box's full stop.

#include <string>
#include <string_view>

namespace platform {

constexpr std::string_view shown_text(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// An error message as the exception box words it: "." is added when the code
// of its last character is above that of ".".
inline std::string exception_box_text(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

}  // namespace platform
