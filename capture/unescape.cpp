#include "capture/unescape.h"

namespace capture {

std::string unescape_line(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (std::size_t p = 0; p < line.size(); p += 3) {
    const std::string_view group = line.substr(p, 3);
    if (group == "DB ") {
      p += 3;
      const std::string_view next = p < line.size() ? line.substr(p, 2) : std::string_view{};
      if (next == "DC") out += "C0 ";
      else if (next == "DD") out += "DB ";
    } else {
      out += group;
    }
  }
  return out;
}

void restaura(FrameLists& lists) {
  for (std::int32_t k = 1; k <= lists.frame_count; ++k) {
    const std::string_view escaped = lists.Memo2.line(k);
    if (escaped.find("DB ") == std::string_view::npos) {
      lists.Memo3.append(escaped);
    } else {
      lists.Memo3.append(lists.text.keep(unescape_line(escaped)));
    }
  }
}

}  // namespace capture
