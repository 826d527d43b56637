#pragma once
// A caption or text box keeps its text up to its first character of code 0.

#include <string_view>

namespace platform {

constexpr std::string_view shown_text(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace platform
