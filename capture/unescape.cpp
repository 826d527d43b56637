#include "capture/unescape.h"

#include <algorithm>
#include <cstring>

namespace capture {

namespace {

constexpr std::string_view kFescGroup = "DB ";

// Position of the first "DB " group that starts a byte (characters 1, 4, 7...).
std::size_t first_fesc(std::string_view line) noexcept {
  for (std::size_t at = line.find(kFescGroup); at != std::string_view::npos;
       at = line.find(kFescGroup, at + 1)) {
    if (at % 3 == 0) return at;
  }
  return std::string_view::npos;
}

// Writes the unescaped form of `line` from `out` on; never longer than `line`.
char* unescape_to(std::string_view line, char* out) noexcept {
  const std::size_t n = line.size();
  for (std::size_t p = 0; p < n; p += 3) {
    const std::size_t group = std::min<std::size_t>(3, n - p);
    if (group == 3 && line.compare(p, 3, kFescGroup) == 0) {
      p += 3;
      const std::string_view next = p < n ? line.substr(p, 2) : std::string_view{};
      if (next == "DC") {
        std::memcpy(out, "C0 ", 3);
        out += 3;
      } else if (next == "DD") {
        std::memcpy(out, "DB ", 3);
        out += 3;
      }
    } else {
      std::memcpy(out, line.data() + p, group);
      out += group;
    }
  }
  return out;
}

}  // namespace

std::string unescape_line(std::string_view line) {
  std::string out(line.size(), '\0');
  out.resize(static_cast<std::size_t>(unescape_to(line, out.data()) - out.data()));
  return out;
}

void restaura(FrameLists& lists) {
  lists.Memo3.reserve(lists.Memo3.size() + static_cast<std::size_t>(std::max(lists.frame_count, 0)));
  for (std::int32_t k = 1; k <= lists.frame_count; ++k) {
    const std::string_view escaped = lists.Memo2.line(k);
    if (first_fesc(escaped) == std::string_view::npos) {
      lists.Memo3.append(escaped);  // nothing to remove: share the stored text
      continue;
    }
    char* const start = lists.text.allocate(escaped.size());
    char* const end = unescape_to(escaped, start);
    lists.text.shrink_last(end);
    lists.Memo3.append({start, static_cast<std::size_t>(end - start)});
  }
}

}  // namespace capture
