#include "capture/hex_export.h"

#include <cstdio>

#include "platform/runtime/errors.h"

namespace capture {

// First draft: plain stdio; replaced by the whole-or-nothing writer.
void write_hex_file(const std::string& path, const LineList& unescaped, std::int32_t frame_count) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) platform::throw_io_error_from_errno(errno);
  for (std::int32_t k = 1; k <= frame_count; ++k) {
    const std::string_view line = unescaped.line(k);
    std::fwrite(line.data(), 1, line.size(), file);
    std::fwrite("\r\n", 1, 2, file);
  }
  if (std::fclose(file) != 0) platform::throw_io_error_from_errno(errno);
}

}  // namespace capture
