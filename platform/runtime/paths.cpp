#include "platform/runtime/paths.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::string current_directory() {
  std::error_code error;
  auto path = std::filesystem::current_path(error);
  return error ? std::string{} : path.string();
}

void set_current_directory(const std::string& path) noexcept {
  std::error_code ignored;
  std::filesystem::current_path(path, ignored);
}

std::string_view file_name_part(std::string_view path) noexcept {
  const auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace platform
