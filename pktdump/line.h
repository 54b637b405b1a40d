// The listing's line formatter: one text line per packet of a known kind, built without printf.
#ifndef PKTDUMP_LINE_H
#define PKTDUMP_LINE_H

#include <cstddef>
#include <cstdint>

#include "packet/packet.h"

// Room a caller leaves at `out` for one line_format: the longest line (a bed-position line with a
// 20-character count, about 110 bytes) plus the formatter's wide stores, which may write up to 16
// bytes past the line's end.
constexpr std::size_t LINE_CAP = 160;

// The packet counter kept as decimal text, so that stepping it is a digit or two of work instead of
// a conversion per line. The digits are text[0..len); text has room to copy it in whole words.
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

// Writes the listing line of `f` with the count `c`, newline included, at `out` (which must have
// LINE_CAP bytes of room) and returns its length: 0 for TAG32_Other, which has no line. The text is
// exactly what these printf formats give, with the decimal fields read as signed 32-bit numbers:
//   EVENT                 " EVENT: pkt_cnt: %lld ew1(h): %8x prompt: %1d ba(h): %8x ba(d): %10d\n"
//   TAG32_ElapsedTime     " TAG32_ElapsedTime:    pkt_cnt: %lld ew1(h): %8x ms(h): %7x ms(d): %9d\n"
//   TAG32_HorizBedPos     " TAG32_HorizBedPos:    pkt_cnt: %lld ew1(h): %8x hbp(h):   %6x hbp_se(d): %8d\n"
//   TAG32_LostEventTally  " TAG32_LostEventTally: pkt_cnt: %lld ew1(h): %8x lost(d): %7d\n"
std::size_t line_format(char *out, const LineCount *c, const PacketFields &f);

#endif
