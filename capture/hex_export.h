#pragma once
// The ".HEX" file: lines 1 to frame_count of the unescaped list, each ended by
// CR LF. A line past the end of the list is empty, so it is written as CR LF alone.

#include <cstdint>
#include <string>

#include "capture/frame_lists.h"
#include "platform/runtime/text_file.h"

namespace capture {

// Writes the file whole or not at all: an existing file of that name is only
// replaced once every line is written; on failure it is left untouched and
// IoError is thrown.
void write_hex_file(const std::string& path, const LineList& unescaped, std::int32_t frame_count);

// The same, with the bytes going through `write` (a test's stand-in for the disk).
void write_hex_file(const std::string& path, const LineList& unescaped, std::int32_t frame_count,
                    const platform::WriteBytes& write);

}  // namespace capture
