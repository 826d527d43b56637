#pragma once
// The ".HEX" file: lines 1 to frame_count of the unescaped list, each ended by CR LF.

#include <cstdint>
#include <string>

#include "capture/frame_lists.h"

namespace capture {

// Writes the file whole or not at all: an existing file of that name is only
// replaced once every line is written; on failure it is left untouched and
// IoError is thrown.
void write_hex_file(const std::string& path, const LineList& unescaped, std::int32_t frame_count);

}  // namespace capture
