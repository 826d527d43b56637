#pragma once
// The texts that the Open command derives from a capture: the captions of
// the main window after a load and the path of the ".HEX" file. Window-free,
// so that the batch decoder words its summaries the same way.

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

inline constexpr std::string_view kNotFromSatelliteCaption =
    "  This KSS file is not from VOZEZAROROZE-1 !  ";

// Label5 for an empty capture: its full path, then "   is not a valid file !".
std::string empty_file_caption(std::string_view capture_path);

// Label5 once the satellite's frames were found: the destination call sign of
// the first unescaped frame, as its six address characters stand. Throws
// platform::ConvertError when the line holds fewer than six bytes.
std::string source_destination_caption(std::string_view first_unescaped_line);

// Label4 once the satellite's frames were found.
std::string frame_count_caption(std::int32_t frame_count);

// start_dir, a separator, and the capture's file name with its last extension
// replaced by ".HEX" (".HEX" appended when it has none).
std::string hex_path_for(std::string_view start_dir, std::string_view capture_path);

}  // namespace ui
