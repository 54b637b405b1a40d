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
