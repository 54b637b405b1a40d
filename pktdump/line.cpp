#include "pktdump/line.h"

#include <cstring>

// Two decimal digits per table entry, so a number is written two digits per division.
static const char DIGITS2[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

static const std::uint32_t POW10[] = {1,      10,      100,      1000,      10000,
                                      100000, 1000000, 10000000, 100000000, 1000000000};

static const char SPACES[] = "                ";  // 16

// Eight characters kept in one integer, the first in its lowest byte, stored in that order whatever
// the host's byte order (compilers merge the byte stores into one).
static inline void store8(char *p, std::uint64_t chars)
{
    for (unsigned i = 0; i < 8; ++i)
        p[i] = static_cast<char>(chars >> (8 * i));
}

template <std::size_t N>
static inline char *put_literal(char *p, const char (&s)[N])
{
    std::memcpy(p, s, N - 1);
    return p + N - 1;
}

// "%*x" for width 1 to 8: all eight hex digits are made at once by spreading the nibbles into bytes
// and adding the right character offset to each; the leading zeros then become spaces. No branch
// depends on the digits, so random values cost what small ones do.
static inline char *put_hex(char *p, std::uint32_t v, unsigned width)
{
    std::uint64_t x = v;
    x = ((x & 0xFFFF0000u) << 16) | (x & 0x0000FFFFu);
    x = ((x & 0x0000FF000000FF00u) << 8) | (x & 0x000000FF000000FFu);
    x = ((x & 0x00F000F000F000F0u) << 4) | (x & 0x000F000F000F000Fu);
    x = __builtin_bswap64(x);  // most significant nibble first
    const std::uint64_t letters = ((x + 0x0606060606060606u) >> 4) & 0x0101010101010101u;
    x += 0x3030303030303030u + letters * ('a' - '0' - 10);

    const unsigned digits = (35u - static_cast<unsigned>(__builtin_clz(v | 1u))) / 4;
    const std::uint64_t blank = (std::uint64_t{1} << (8 * (8 - digits))) - 1;
    x = (x & ~blank) | (0x2020202020202020u & blank);

    const unsigned len = digits > width ? digits : width;
    store8(p, x >> (8 * (8 - len)));
    return p + len;
}

static inline unsigned count_digits(std::uint32_t u)
{
    // u|1 has as many decimal digits as u, and a bit length from which log10 is off by at most one.
    const std::uint32_t w = u | 1u;
    const unsigned t = ((32u - static_cast<unsigned>(__builtin_clz(w))) * 1233u) >> 12;
    return t + (w >= POW10[t] ? 1u : 0u);
}

// "%*d" for width 1 to 16, of a signed 32-bit value: the field is blanked first, then the digits
// are filled in from its end.
static inline char *put_dec(char *p, std::int32_t v, unsigned width)
{
    std::uint32_t u = v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    const unsigned n = count_digits(u) + (v < 0 ? 1u : 0u);
    const unsigned len = n > width ? n : width;
    std::memcpy(p, SPACES, 16);
    char *q = p + len;
    while (u >= 100) {
        q -= 2;
        std::memcpy(q, DIGITS2 + 2 * (u % 100), 2);
        u /= 100;
    }
    if (u >= 10) {
        q -= 2;
        std::memcpy(q, DIGITS2 + 2 * u, 2);
    } else {
        *--q = static_cast<char>('0' + u);
    }
    if (v < 0)
        *--q = '-';
    return p + len;
}

static inline char *put_count(char *p, const LineCount *c)
{
    std::memcpy(p, c->text, 24);  // a fixed-size copy is a few moves; the excess is overwritten
    return p + c->len;
}

void line_count_set(LineCount *c, std::int64_t n)
{
    char rev[24];
    std::size_t len = 0;
    auto u = static_cast<std::uint64_t>(n);
    do {
        rev[len++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    std::memset(c->text, '0', sizeof c->text);
    for (std::size_t i = 0; i < len; ++i)
        c->text[i] = rev[len - 1 - i];
    c->len = len;
}

std::size_t line_format(char *out, const LineCount *c, const PacketFields &f)
{
    char *p = out;
    switch (f.kind) {
    case EVENT:
        p = put_literal(p, " EVENT: pkt_cnt: ");
        p = put_count(p, c);
        p = put_literal(p, " ew1(h): ");
        p = put_hex(p, f.ew1, 8);
        p = put_literal(p, " prompt: ");
        p = put_dec(p, static_cast<std::int32_t>(f.prompt), 1);
        p = put_literal(p, " ba(h): ");
        p = put_hex(p, f.ba, 8);
        p = put_literal(p, " ba(d): ");
        p = put_dec(p, static_cast<std::int32_t>(f.ba), 10);
        break;
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
