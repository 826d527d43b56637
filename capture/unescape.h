#pragma once
// Removes the KISS escapes from the satellite's frames, working on the hex
// text itself: FESC TFEND becomes C0, FESC TFESC becomes DB, FESC followed by
// anything else is dropped with the byte after it.

#include <string>
#include <string_view>

#include "capture/frame_lists.h"

namespace capture {

// Appends to lists.Memo3 the unescaped form of lines 1 to frame_count of lists.Memo2.
void restaura(FrameLists& lists);

// Whether the line holds a "DB " group at a byte boundary: an escape to remove.
bool has_escape(std::string_view line) noexcept;

// The unescaped form of one hex-text line.
std::string unescape_line(std::string_view line);

}  // namespace capture
