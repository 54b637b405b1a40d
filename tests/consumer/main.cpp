// Decodes the word given in hexadecimal and prints its kind.
#include <cstdio>
#include <cstdlib>

#include <packet/packet.h>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const auto word = static_cast<PacketWord>(std::strtoul(argv[1], nullptr, 16));
    static const char *const names[] = {"EVENT", "TAG32_ElapsedTime", "TAG32_HorizBedPos", "TAG32_LostEventTally",
                                        "TAG32_Other"};
    const PacketFields f = pkt_decode(word);
    std::printf("%s %d\n", names[f.kind], static_cast<int>(f.hbp_se));
    return 0;
}
