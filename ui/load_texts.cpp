#include "ui/load_texts.h"

#include "capture/hex_text.h"

namespace ui {

namespace {
constexpr char kSeparator = '/';
}

std::string empty_file_caption(std::string_view capture_path) {
  std::string caption(capture_path);
  caption += "   is not a valid file !";
  return caption;
}

std::string source_destination_caption(std::string_view first_unescaped_line) {
  return "from:  TAPIR1     to:  " + capture::indicativo(first_unescaped_line, 6);
}

std::string frame_count_caption(std::int32_t frame_count) {
  return " This file contains  " + std::to_string(frame_count) +
         (frame_count == 1 ? "  frame" : "  frames");
}

std::string hex_path_for(std::string_view start_dir, std::string_view capture_path) {
  std::string_view name = capture_path.substr(capture_path.find_last_of(kSeparator) + 1);
  if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos) {
    name = name.substr(0, dot);
  }
  std::string path(start_dir);
  path += kSeparator;
  path += name;
  path += ".HEX";
  return path;
}

}  // namespace ui
