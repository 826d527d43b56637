#include "capture/hex_export.h"

#include "platform/runtime/text_file.h"

namespace capture {

void write_hex_file(const std::string& path, const LineList& unescaped, std::int32_t frame_count,
                    const platform::WriteBytes& write) {
  platform::TextFileWriter file(path, write);
  for (std::int32_t k = 1; k <= frame_count; ++k) file.write_line(unescaped.line(k));
  file.commit();
}

void write_hex_file(const std::string& path, const LineList& unescaped, std::int32_t frame_count) {
  write_hex_file(path, unescaped, frame_count, platform::host_write());
}

}  // namespace capture
