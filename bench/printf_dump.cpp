// The straightforward listing, kept as the benchmark's baseline and oracle: one fread and one printf
// per packet, the formats exactly as the listing defines them.
//   printf_dump FILE
#include <cinttypes>
#include <cstdio>

#include "packet/packet.h"

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    std::FILE *f = std::fopen(argv[1], "rb");
    if (f == nullptr)
        return 1;
    std::int64_t pkt_cnt = 0;
    unsigned char b[4];
    while (std::fread(b, 1, 4, f) == 4) {
        const PacketWord w = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<PacketWord>(b[3]) << 24);
        ++pkt_cnt;
        const PacketFields p = pkt_decode(w);
        switch (p.kind) {
        case EVENT:
            std::printf(" EVENT: pkt_cnt: %" PRId64 " ew1(h): %8x prompt: %1d ba(h): %8x ba(d): %10d\n", pkt_cnt,
                        p.ew1, static_cast<int>(p.prompt), p.ba, static_cast<std::int32_t>(p.ba));
            break;
        case TAG32_ElapsedTime:
            std::printf(" TAG32_ElapsedTime:    pkt_cnt: %" PRId64 " ew1(h): %8x ms(h): %7x ms(d): %9d\n", pkt_cnt,
                        p.ew1, p.ms, static_cast<std::int32_t>(p.ms));
            break;
        case TAG32_HorizBedPos:
            std::printf(" TAG32_HorizBedPos:    pkt_cnt: %" PRId64 " ew1(h): %8x hbp(h):   %6x hbp_se(d): %8d\n",
                        pkt_cnt, p.ew1, p.hbp, p.hbp_se);
            break;
        case TAG32_LostEventTally:
            std::printf(" TAG32_LostEventTally: pkt_cnt: %" PRId64 " ew1(h): %8x lost(d): %7d\n", pkt_cnt, p.ew1,
                        static_cast<std::int32_t>(p.lost));
            break;
        case TAG32_Other:
            break;
        }
    }
    std::fclose(f);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
