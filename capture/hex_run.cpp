#include "capture/hex_run.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TAPIR_HEX_SSSE3 1
#endif

namespace capture {

namespace {

constexpr std::uint8_t kFend = 0xC0;

// Each byte's hex text as four characters, the fourth a filler: text is
// written four characters at a time, each write overlapping the last by one.
struct HexTable {
  std::array<std::array<char, 4>, 256> entry{};
  constexpr HexTable() {
    constexpr char digits[] = "0123456789ABCDEF";
    for (int b = 0; b < 256; ++b) entry[b] = {digits[b >> 4], digits[b & 0x0F], ' ', ' '};
  }
};
constexpr HexTable kHex;

inline char* put_one(char* out, std::uint8_t byte) noexcept {
  std::memcpy(out, kHex.entry[byte].data(), 4);
  return out + 3;
}

}  // namespace

// Eight bytes at a time while none of them is FEND, then byte by byte.
const std::uint8_t* put_hex_until_fend_portable(const std::uint8_t* p, const std::uint8_t* end,
                                                char*& out) noexcept {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
  constexpr std::uint64_t kFends = kOnes * kFend;
  char* o = out;
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    const std::uint64_t x = word ^ kFends;  // a zero byte where a FEND was
    if ((x - kOnes) & ~x & kHighs) break;
    for (int i = 0; i < 8; ++i) o = put_one(o, p[i]);
    p += 8;
  }
  for (; p != end && *p != kFend; ++p) o = put_one(o, *p);
  out = o;
  return p != end ? p : nullptr;
}

namespace {

#ifdef TAPIR_HEX_SSSE3
// Sixteen bytes become 48 characters: the digits looked up with a byte
// shuffle, spread out with three more shuffles, the blanks put in. A block
// that holds a FEND is written whole and the text cut at the FEND.
__attribute__((target("ssse3"))) const std::uint8_t* put_hex_until_fend_ssse3(const std::uint8_t* p,
                                                                              const std::uint8_t* end,
                                                                              char*& out) noexcept {
  const __m128i digits =
      _mm_setr_epi8('0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F');
  const __m128i low_nibble = _mm_set1_epi8(0x0F);
  const __m128i fends = _mm_set1_epi8(static_cast<char>(kFend));
  // Where each output character comes from in the digit pairs; -1 is a blank.
  const __m128i first = _mm_setr_epi8(0, 1, -1, 2, 3, -1, 4, 5, -1, 6, 7, -1, 8, 9, -1, 10);
  const __m128i middle_low = _mm_setr_epi8(11, -1, 12, 13, -1, 14, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1);
  const __m128i middle_high = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, 0, 1, -1, 2, 3, -1, 4, 5);
  const __m128i last = _mm_setr_epi8(-1, 6, 7, -1, 8, 9, -1, 10, 11, -1, 12, 13, -1, 14, 15, -1);
  const __m128i blanks_first = _mm_setr_epi8(0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0);
  const __m128i blanks_middle = _mm_setr_epi8(0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0);
  const __m128i blanks_last = _mm_setr_epi8(' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ');
  char* o = out;
  while (end - p >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i high_digits = _mm_shuffle_epi8(digits, _mm_and_si128(_mm_srli_epi16(bytes, 4), low_nibble));
    const __m128i low_digits = _mm_shuffle_epi8(digits, _mm_and_si128(bytes, low_nibble));
    const __m128i pairs_low = _mm_unpacklo_epi8(high_digits, low_digits);   // bytes 0 to 7
    const __m128i pairs_high = _mm_unpackhi_epi8(high_digits, low_digits);  // bytes 8 to 15
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o),
                     _mm_or_si128(_mm_shuffle_epi8(pairs_low, first), blanks_first));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16),
                     _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(pairs_low, middle_low),
                                               _mm_shuffle_epi8(pairs_high, middle_high)),
                                  blanks_middle));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 32),
                     _mm_or_si128(_mm_shuffle_epi8(pairs_high, last), blanks_last));
    const int fend_mask = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, fends));
    if (fend_mask != 0) {
      const int before = __builtin_ctz(static_cast<unsigned>(fend_mask));
      out = o + 3 * before;
      return p + before;
    }
    o += 48;
    p += 16;
  }
  out = o;
  return put_hex_until_fend_portable(p, end, out);
}

bool has_ssse3() noexcept {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}
#endif

}  // namespace

char* put_hex(char* out, const std::uint8_t* bytes, std::size_t count) noexcept {
  for (std::size_t i = 0; i < count; ++i) out = put_one(out, bytes[i]);
  return out;
}

const std::uint8_t* put_hex_until_fend(const std::uint8_t* p, const std::uint8_t* end, char*& out) noexcept {
#ifdef TAPIR_HEX_SSSE3
  if (has_ssse3()) return put_hex_until_fend_ssse3(p, end, out);
#endif
  return put_hex_until_fend_portable(p, end, out);
}

}  // namespace capture
