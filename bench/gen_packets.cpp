// Writes a realistic packet file for benchmarks, the same for the same arguments:
//   gen_packets COUNT FILE [SEED]
// Mostly events with random prompt and ba; one elapsed-time tag per 1,000 packets, its milliseconds
// rising; now and then a bed position, a lost tally or a tag of no known kind.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "packet/packet.h"

// splitmix64: small, fast, and the same sequence on every platform.
static std::uint64_t next_random(std::uint64_t *state)
{
    std::uint64_t z = (*state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s COUNT FILE [SEED]\n", argv[0]);
        return 2;
    }
    const std::uint64_t count = std::strtoull(argv[1], nullptr, 10);
    std::uint64_t state = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    std::FILE *f = std::fopen(argv[2], "wb");
    if (f == nullptr) {
        std::perror(argv[2]);
        return 1;
    }
    static char buf[1 << 20];
    std::setvbuf(f, buf, _IOFBF, sizeof buf);

    std::uint32_t ms = 0;
    bool ok = true;
    for (std::uint64_t i = 0; i < count && ok; ++i) {
        const std::uint64_t r = next_random(&state);
        const auto lo = static_cast<std::uint32_t>(r);
        const auto pick = static_cast<std::uint32_t>(r >> 32) % 1000;
        PacketWord w;
        if (i % 1000 == 0) {
            ms += 1 + pick % 3;
            w = pkt_make_elapsed_time(ms);
        } else if (pick == 0) {
            w = pkt_make_horiz_bed_pos(static_cast<std::int32_t>(lo % 1048576) - 524288);
        } else if (pick == 1) {
            w = pkt_make_lost_event_tally(lo % 2000);
        } else if (pick == 2) {
            w = 0xE0000000u | (lo & 0x0FFFFFFFu);  // a tag of no known kind
        } else {
            w = pkt_make_event(lo >> 31, lo);
        }
        ok = pkt_put(f, w);
    }
    if (!ok || std::fclose(f) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
