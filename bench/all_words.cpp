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
#include "properties.h"

int main(int argc, char **argv)
{
    std::uint64_t first = 0, last = 0xFFFFFFFF;
    if (argc == 3) {
        first = std::strtoull(argv[1], nullptr, 16);
        last = std::strtoull(argv[2], nullptr, 16);
    }
    LineCount c;
    line_count_set(&c, 1234567);
    char got[LINE_CAP];
    for (std::uint64_t w = first; w <= last; ++w) {
        const PacketFields f = pkt_decode(static_cast<PacketWord>(w));
        const std::string want = printf_line(1234567, f);
        const std::size_t m = line_format(got, &c, f);
        if (m != want.size() || std::memcmp(got, want.data(), m) != 0) {
            std::printf("word %08" PRIx64 " differs:\n%s%.*s", w, want.c_str(), static_cast<int>(m), got);
            return 1;
        }
    }
    std::printf("%" PRIu64 " words %08" PRIx64 "..%08" PRIx64 " identical\n", last - first + 1, first, last);
    return 0;
}
