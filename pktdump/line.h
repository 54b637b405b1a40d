// The listing's line formatter: one text line per packet of a known kind, built without printf.
// It is defined here, inline, because it runs once per packet: the caller's loop then keeps its
// constants in registers and the decoded fields never go through memory.
#ifndef PKTDUMP_LINE_H
#define PKTDUMP_LINE_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "packet/packet.h"

// Room a caller leaves at `out` for one line_format: the longest line (about 110 bytes, a
// bed-position line with a 20-character count) and more, since the formatter stores whole words
// (eight bytes, or 24 for the count) that may reach past the bytes it keeps.
constexpr std::size_t LINE_CAP = 160;

// The packet counter kept as decimal text, so that stepping it is a digit or two of work instead of
// a conversion per line. The digits are text[0..len); text has room to be copied in whole words.
struct LineCount {
    char text[32];
    std::size_t len;
};

// Sets `c` to `n`, which must be 0 or more.
void line_count_set(LineCount *c, std::int64_t n);

// Adds 1 to `c`, carrying in place; a run of nines gains a digit.
inline void line_count_step(LineCount *c)
{
    std::size_t i = c->len;
    while (i > 0 && c->text[i - 1] == '9')
        c->text[--i] = '0';
    if (i > 0) {
        ++c->text[i - 1];
        return;
    }
    c->text[0] = '1';
    c->text[c->len++] = '0';
}

namespace line_detail {

// Eight characters in one integer, the first in its lowest byte, stored in that order whatever the
// host's byte order (compilers merge the byte stores into one).
inline void store8(char *p, std::uint64_t chars)
{
    for (unsigned i = 0; i < 8; ++i)
        p[i] = static_cast<char>(chars >> (8 * i));
}

constexpr std::uint64_t ZEROS = 0x3030303030303030u;   // '0' in every byte
constexpr std::uint64_t SPACES = 0x2020202020202020u;  // ' ' in every byte

// The low `n` bytes set, n from 0 to 7.
inline std::uint64_t low_bytes(unsigned n) { return (std::uint64_t{1} << (8 * n)) - 1; }

template <std::size_t N>
inline char *put_literal(char *p, const char (&s)[N])
{
    std::memcpy(p, s, N - 1);
    return p + N - 1;
}

// Two characters per byte value, the first in the low byte: the hexadecimal of every byte, and the
// decimal of 0 to 99 with a leading zero as a space (the first two of ten positions: "  " for 0).
struct CharPairs {
    std::uint16_t hex[256];
    std::uint16_t blank_dec[100];
};

constexpr std::uint16_t char_pair(unsigned first, unsigned second)
{
    return static_cast<std::uint16_t>(first | (second << 8));
}

constexpr CharPairs make_char_pairs()
{
    CharPairs t{};
    constexpr char digits[] = "0123456789abcdef";
    for (unsigned i = 0; i < 256; ++i)
        t.hex[i] = char_pair(static_cast<unsigned char>(digits[i >> 4]), static_cast<unsigned char>(digits[i & 15]));
    for (unsigned i = 0; i < 100; ++i)
        t.blank_dec[i] = char_pair(i >= 10 ? '0' + i / 10 : ' ', i != 0 ? '0' + i % 10 : ' ');
    return t;
}

inline constexpr CharPairs CHAR_PAIRS = make_char_pairs();

// The eight hexadecimal digits of v, zero-padded, the first in the lowest byte.
inline std::uint64_t hex8(std::uint32_t v)
{
    const std::uint16_t *t = CHAR_PAIRS.hex;
    return std::uint64_t{t[v >> 24]} | (std::uint64_t{t[(v >> 16) & 0xFF]} << 16) |
           (std::uint64_t{t[(v >> 8) & 0xFF]} << 32) | (std::uint64_t{t[v & 0xFF]} << 48);
}

// "%*x" of v, width 1 to 8, given hex8(v): leading zeros become spaces, and a value wider than the
// width takes the room it needs.
inline char *put_hex8(char *p, std::uint64_t chars, std::uint32_t v, unsigned width)
{
    const unsigned zeros = static_cast<unsigned>(__builtin_clz(v | 1u)) / 4;  // 0 to 7, the last digit kept
    const std::uint64_t blank = low_bytes(zeros);
    chars = (chars & ~blank) | (SPACES & blank);
    if (width >= 8) {
        store8(p, chars);
        return p + 8;
    }
    const unsigned len = 8 - zeros > width ? 8 - zeros : width;
    store8(p, chars >> (8 * (8 - len)));
    return p + len;
}

inline char *put_hex(char *p, std::uint32_t v, unsigned width) { return put_hex8(p, hex8(v), v, width); }

// The eight decimal digits of u < 10^8, zero-padded, as byte values 0 to 9, the first digit in the
// lowest byte: split into two halves of four digits, then each lane into pairs and the pairs into
// digits, by multiplying with scaled reciprocals (exact for these ranges) in all lanes at once.
inline std::uint64_t decimal8(std::uint32_t u)
{
    std::uint64_t x = (u / 10000) | (static_cast<std::uint64_t>(u % 10000) << 32);
    std::uint64_t q = ((x * 10486) >> 20) & 0x0000007F0000007Fu;  // lane / 100
    x = ((x - q * 100) << 16) | q;
    q = ((x * 103) >> 10) & 0x000F000F000F000Fu;  // lane / 10
    return ((x - q * 10) << 8) | q;
}

// How many of decimal8's leading zero digits become spaces: all but the last digit. A byte set
// beyond the eighth stops the count at 7.
inline unsigned leading_zeros8(std::uint64_t digits)
{
    return static_cast<unsigned>(__builtin_ctzll(digits | (std::uint64_t{1} << 56))) / 8;
}

// Eight digits from decimal8 as characters, the first `z` of them spaces.
inline std::uint64_t blanked8(std::uint64_t digits, unsigned z)
{
    return ((digits + ZEROS) & ~low_bytes(z)) | (SPACES & low_bytes(z));
}

// "%*d" of a signed 32-bit value, width 1 to 10. A decoded packet's fields always fit their width
// and take the short paths, which make all digit positions at once and turn leading zeros into
// spaces; anything else is written digit by digit.
inline char *put_dec(char *p, std::int32_t v, unsigned width)
{
    const unsigned sign = v < 0 ? 1u : 0u;
    const std::uint32_t u = sign != 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    if (width == 1 && sign == 0 && u < 10) {
        *p = static_cast<char>('0' + u);
        return p + 1;
    }
    if (width <= 8 && width > sign && u < 100000000) {
        const std::uint64_t lo = decimal8(u);
        // At most width - sign digits: the first 8 - width + sign positions are zeros, and the last
        // `width` of the eight are kept.
        if ((lo & low_bytes(8 - width + sign)) == 0) {
            const unsigned skip = 8 - width;
            const unsigned z = leading_zeros8(lo) - skip;
            std::uint64_t chars = blanked8(lo >> (8 * skip), z);
            if (sign != 0)
                chars = (chars & ~(std::uint64_t{0xFF} << (8 * (z - 1)))) | (std::uint64_t{'-'} << (8 * (z - 1)));
            store8(p, chars);
            return p + width;
        }
    }
    if ((width == 10 || (width == 9 && u < 1000000000u)) && sign == 0) {
        // Two positions from the top digits (blank where zero), then eight; those are blanked only
        // where everything before them is zero.
        const std::uint32_t hi = u / 100000000;
        const std::uint64_t lo = decimal8(u - hi * 100000000);
        const std::uint16_t top = CHAR_PAIRS.blank_dec[hi];
        if (width == 10)
            *p++ = static_cast<char>(top);
        *p++ = static_cast<char>(top >> 8);
        store8(p, blanked8(lo, hi != 0 ? 0 : leading_zeros8(lo)));
        return p + 8;
    }
    char digits[11];
    char *q = digits + sizeof digits;
    std::uint32_t rest = u;
    do {
        *--q = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (sign != 0)
        *--q = '-';
    const auto n = static_cast<unsigned>(digits + sizeof digits - q);
    for (unsigned i = n; i < width; ++i)
        *p++ = ' ';
    std::memcpy(p, q, n);
    return p + n;
}

inline char *put_count(char *p, const LineCount *c)
{
    std::memcpy(p, c->text, 24);  // a fixed-size copy is a few moves; the excess is overwritten
    return p + c->len;
}

}  // namespace line_detail

// Writes the listing line of `f` with the count `c`, newline included, at `out` (which must have
// LINE_CAP bytes of room) and returns its length: 0 for TAG32_Other, which has no line. The text is
// exactly what these printf formats give, with the decimal fields read as signed 32-bit numbers:
//   EVENT                 " EVENT: pkt_cnt: %lld ew1(h): %8x prompt: %1d ba(h): %8x ba(d): %10d\n"
//   TAG32_ElapsedTime     " TAG32_ElapsedTime:    pkt_cnt: %lld ew1(h): %8x ms(h): %7x ms(d): %9d\n"
//   TAG32_HorizBedPos     " TAG32_HorizBedPos:    pkt_cnt: %lld ew1(h): %8x hbp(h):   %6x hbp_se(d): %8d\n"
//   TAG32_LostEventTally  " TAG32_LostEventTally: pkt_cnt: %lld ew1(h): %8x lost(d): %7d\n"
#if defined(__GNUC__)
__attribute__((always_inline))  // too big for the compilers' own limit, yet worth a third of its cost
#endif
inline std::size_t line_format(char *out, const LineCount *c, const PacketFields &f)
{
    using namespace line_detail;
    char *p = out;
    switch (f.kind) {
    case EVENT: {
        // An event's word and its ba differ only in the top hex digit, so one conversion serves both.
        const std::uint64_t ba_hex = hex8(f.ba);
        const std::uint64_t ew1_hex = (ba_hex & ~std::uint64_t{0xFF}) | (CHAR_PAIRS.hex[f.ew1 >> 28] >> 8);
        p = put_literal(p, " EVENT: pkt_cnt: ");
        p = put_count(p, c);
        p = put_literal(p, " ew1(h): ");
        p = put_hex8(p, ew1_hex, f.ew1, 8);
        p = put_literal(p, " prompt: ");
        p = put_dec(p, static_cast<std::int32_t>(f.prompt), 1);
        p = put_literal(p, " ba(h): ");
        p = put_hex8(p, ba_hex, f.ba, 8);
        p = put_literal(p, " ba(d): ");
        p = put_dec(p, static_cast<std::int32_t>(f.ba), 10);
        break;
    }
    case TAG32_ElapsedTime:
        p = put_literal(p, " TAG32_ElapsedTime:    pkt_cnt: ");
        p = put_count(p, c);
        p = put_literal(p, " ew1(h): ");
        p = put_hex(p, f.ew1, 8);
        p = put_literal(p, " ms(h): ");
        p = put_hex(p, f.ms, 7);
        p = put_literal(p, " ms(d): ");
        p = put_dec(p, static_cast<std::int32_t>(f.ms), 9);
        break;
    case TAG32_HorizBedPos:
        p = put_literal(p, " TAG32_HorizBedPos:    pkt_cnt: ");
        p = put_count(p, c);
        p = put_literal(p, " ew1(h): ");
        p = put_hex(p, f.ew1, 8);
        p = put_literal(p, " hbp(h):   ");
        p = put_hex(p, f.hbp, 6);
        p = put_literal(p, " hbp_se(d): ");
        p = put_dec(p, f.hbp_se, 8);
        break;
    case TAG32_LostEventTally:
        p = put_literal(p, " TAG32_LostEventTally: pkt_cnt: ");
        p = put_count(p, c);
        p = put_literal(p, " ew1(h): ");
        p = put_hex(p, f.ew1, 8);
        p = put_literal(p, " lost(d): ");
        p = put_dec(p, static_cast<std::int32_t>(f.lost), 7);
        break;
    case TAG32_Other:
        return 0;
    }
    *p++ = '\n';
    return static_cast<std::size_t>(p - out);
}

#endif
