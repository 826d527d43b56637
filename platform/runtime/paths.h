#pragma once
// The current directory, as the Open command and the .HEX export use it.

#include <string>
#include <string_view>

namespace platform {

// The full path of the current directory; empty when the host cannot tell.
std::string current_directory();

// Makes `path` the current directory. The result is not looked at: a
// directory that has gone away leaves the current one as it was.
void set_current_directory(const std::string& path) noexcept;

// The part of a path after its last separator.
std::string_view file_name_part(std::string_view path) noexcept;

}  // namespace platform
