// Checks the line formatter against snprintf for every one of the 2^32 words (about ten minutes on
// one core; the range can be split across processes). Prints the first difference and exits 1, or
// prints how many words were checked and exits 0.
//   all_words [FIRST LAST]   words FIRST..LAST inclusive, in hexadecimal; all of them by default
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "packet/packet.h"
#include "pktdump/line.h"

static int printf_line(char *buf, std::size_t size, const PacketFields &f)
{
    const std::int64_t cnt = 1234567;
    switch (f.kind) {
    case EVENT:
        return std::snprintf(buf, size, " EVENT: pkt_cnt: %" PRId64 " ew1(h): %8x prompt: %1d ba(h): %8x ba(d): %10d\n",
                             cnt, f.ew1, static_cast<int>(f.prompt), f.ba, static_cast<std::int32_t>(f.ba));
    case TAG32_ElapsedTime:
        return std::snprintf(buf, size, " TAG32_ElapsedTime:    pkt_cnt: %" PRId64 " ew1(h): %8x ms(h): %7x ms(d): %9d\n",
                             cnt, f.ew1, f.ms, static_cast<std::int32_t>(f.ms));
    case TAG32_HorizBedPos:
        return std::snprintf(buf, size,
                             " TAG32_HorizBedPos:    pkt_cnt: %" PRId64 " ew1(h): %8x hbp(h):   %6x hbp_se(d): %8d\n",
                             cnt, f.ew1, f.hbp, f.hbp_se);
    case TAG32_LostEventTally:
        return std::snprintf(buf, size, " TAG32_LostEventTally: pkt_cnt: %" PRId64 " ew1(h): %8x lost(d): %7d\n", cnt,
                             f.ew1, static_cast<std::int32_t>(f.lost));
    case TAG32_Other:
        break;
    }
    return 0;
}

int main(int argc, char **argv)
{
    std::uint64_t first = 0, last = 0xFFFFFFFF;
    if (argc == 3) {
        first = std::strtoull(argv[1], nullptr, 16);
        last = std::strtoull(argv[2], nullptr, 16);
    }
    LineCount c;
    line_count_set(&c, 1234567);
    char want[256], got[LINE_CAP];
    for (std::uint64_t w = first; w <= last; ++w) {
        const PacketFields f = pkt_decode(static_cast<PacketWord>(w));
        const int n = printf_line(want, sizeof want, f);
        const std::size_t m = line_format(got, &c, f);
        if (m != static_cast<std::size_t>(n) || std::memcmp(got, want, m) != 0) {
            std::printf("word %08" PRIx64 " differs:\n%.*s%.*s", w, n, want, static_cast<int>(m), got);
            return 1;
        }
    }
    std::printf("%" PRIu64 " words %08" PRIx64 "..%08" PRIx64 " identical\n", last - first + 1, first, last);
    return 0;
}
