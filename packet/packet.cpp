#include "packet/packet.h"

#include <cstdio>

bool pkt_put(std::FILE *stream, PacketWord w)
{
    // Byte by byte, by shifts, so the file is the same on a host of either byte order.
    const unsigned char bytes[PKT_BYTES] = {
        static_cast<unsigned char>(w),
        static_cast<unsigned char>(w >> 8),
        static_cast<unsigned char>(w >> 16),
        static_cast<unsigned char>(w >> 24),
    };
    return std::fwrite(bytes, 1, sizeof bytes, stream) == sizeof bytes;
}

bool pkt_get(std::FILE *stream, PacketWord *w)
{
    // getc_unlocked is a few inline instructions while the stream's buffer lasts; this is the hot
    // path of a listing, run once per packet.
    PacketWord word = 0;
    for (unsigned i = 0; i < PKT_BYTES; ++i) {
        const int c = getc_unlocked(stream);
        if (c == EOF)
            return false;
        word |= static_cast<PacketWord>(c) << (8 * i);
    }
    *w = word;
    return true;
}
