#include "pktdump/dump.h"

#include <cstddef>

#include "packet/packet.h"
#include "pktdump/line.h"

// Large enough that a listing costs few system calls, small enough to stay in cache.
static constexpr std::size_t BLOCK = 256 * 1024;

static bool write_block(std::FILE *out, const char *buf, std::size_t len)
{
    return std::fwrite(buf, 1, len, out) == len;
}

DumpResult dump_packets(std::FILE *in, std::FILE *out)
{
    char buf[BLOCK + LINE_CAP];
    std::size_t len = 0;
    // The count of the packet about to be read. It is stepped right after its line is made, not
    // right before the next: the digits it changes are then long in memory when the next line reads
    // them back whole, where reading them at once would stall on the byte just stored.
    LineCount count;
    line_count_set(&count, 1);
    PacketWord word;
    while (pkt_get(in, &word)) {
        len += line_format(buf + len, &count, pkt_decode(word));
        line_count_step(&count);
        if (len >= BLOCK) {
            // Stop at once: a dead output must not make us read a long file to its end.
            if (!write_block(out, buf, len))
                return DUMP_WRITE_ERROR;
            len = 0;
        }
    }
    if (!write_block(out, buf, len) || std::fflush(out) != 0)
        return DUMP_WRITE_ERROR;
    return std::ferror(in) ? DUMP_READ_ERROR : DUMP_OK;
}

int dump_run(std::FILE *in, const char *name, std::FILE *out, std::FILE *err)
{
    const DumpResult r = dump_packets(in, out);
    if (r == DUMP_READ_ERROR)
        std::fprintf(out, "Read error %s\n", name);
    // Closing flushes the last bytes, so only its outcome tells whether the listing got through.
    const bool closed = std::fclose(out) == 0;
    if (r == DUMP_WRITE_ERROR || !closed) {
        std::fputs("Write error standard output\n", err);
        return 1;
    }
    return r == DUMP_OK ? 0 : 1;
}
