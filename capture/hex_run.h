#pragma once
// Hex text of runs of capture bytes, written straight into line storage: two
// upper-case digits and a blank per byte. The writers may write past the text
// they produce (one character after a run, up to 48 within a long run), so
// the caller leaves room for 3 characters per byte of the window plus one.

#include <cstddef>
#include <cstdint>

namespace capture {

// The hex text of `count` bytes; returns the end of the text.
char* put_hex(char* out, const std::uint8_t* bytes, std::size_t count) noexcept;

// The hex text of the bytes from `p` up to the first FEND (0xC0). Returns the
// FEND's position, or nullptr when `end` comes first; `out` moves to the end
// of the text either way.
const std::uint8_t* put_hex_until_fend(const std::uint8_t* p, const std::uint8_t* end, char*& out) noexcept;

// The same without vector instructions, as machines without them run it.
const std::uint8_t* put_hex_until_fend_portable(const std::uint8_t* p, const std::uint8_t* end,
                                                char*& out) noexcept;

}  // namespace capture
