#include "capture/unescape.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace capture {

namespace {

// Position of the first "DB " group at or after `from` (a byte boundary) that
// starts a byte (characters 1, 4, 7...). One two-character compare per byte:
// this runs over every satellite line.
std::size_t next_fesc(std::string_view line, std::size_t from = 0) noexcept {
  const char* const text = line.data();
  for (std::size_t p = from; p + 3 <= line.size(); p += 3) {
    if (std::memcmp(text + p, "DB", 2) == 0 && text[p + 2] == ' ') return p;
  }
  return std::string_view::npos;
}

// Writes the unescaped form of `line` from `out` on; never longer than
// `line`. The runs between escapes are copied whole.
char* unescape_to(std::string_view line, char* out) noexcept {
  const char* const text = line.data();
  const std::size_t n = line.size();
  std::size_t p = 0;
  while (p < n) {
    const std::size_t fesc = next_fesc(line, p);
    const std::size_t run_end = fesc == std::string_view::npos ? n : fesc;
    std::memcpy(out, text + p, run_end - p);
    out += run_end - p;
    if (run_end == n) break;
    // The byte after FESC: TFEND and TFESC stand for FEND and FESC, anything
    // else (or nothing, at the end of the line) is dropped with the FESC.
    p = fesc + 3;
    const std::string_view next = line.substr(p, 2);
    if (next == "DC") {
      std::memcpy(out, "C0 ", 3);
      out += 3;
    } else if (next == "DD") {
      std::memcpy(out, "DB ", 3);
      out += 3;
    }
    p += 3;
  }
  return out;
}

}  // namespace

bool has_escape(std::string_view line) noexcept { return next_fesc(line) != std::string_view::npos; }

std::string unescape_line(std::string_view line) {
  std::string out(line.size(), '\0');
  out.resize(static_cast<std::size_t>(unescape_to(line, out.data()) - out.data()));
  return out;
}

void restaura(FrameLists& lists) {
  lists.Memo3.reserve(lists.Memo3.size() + static_cast<std::size_t>(std::max(lists.frame_count, 0)));
  const std::vector<bool>& noted = lists.memo2_escaped;
  const bool all_noted = noted.size() == lists.Memo2.size();
  for (std::int32_t k = 1; k <= lists.frame_count; ++k) {
    const std::string_view escaped = lists.Memo2.line(k);
    const auto index = static_cast<std::size_t>(k - 1);
    const bool escapes = all_noted && index < noted.size() ? noted[index] : has_escape(escaped);
    if (!escapes) {
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
