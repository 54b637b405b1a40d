#include "pktgen/gen.h"

#include <cinttypes>
#include <cstdio>

#include "packet/packet.h"

namespace {

struct Writer {
    std::FILE *file;
    std::int64_t packets;
    bool ok;
};

}  // namespace

static void put(Writer *w, PacketWord word)
{
    if (w->ok && pkt_put(w->file, word))
        ++w->packets;
    else
        w->ok = false;
}

static void put_tag_group(Writer *w, std::uint32_t ms, std::int32_t pos, std::uint32_t lost)
{
    put(w, pkt_make_elapsed_time(ms));
    put(w, pkt_make_horiz_bed_pos(pos));
    put(w, pkt_make_lost_event_tally(lost));
}

// Sixteen events; the bound is an unsigned comparison, so a run may end at the top of the field.
static void put_event_run(Writer *w, std::uint32_t prompt, std::uint32_t first_ba, std::uint32_t last_ba)
{
    for (std::uint32_t ba = first_ba; ba <= last_ba; ++ba)
        put(w, pkt_make_event(prompt, ba));
}

std::int64_t gen_pattern(std::FILE *file)
{
    // Every field at its lowest values and at its highest, the bed position also at -1 and at its
    // most negative (0x80000 in 20 bits), so a round trip shows each limit come back.
    Writer w{file, 0, true};
    put_tag_group(&w, 0, 0, 0);
    put_event_run(&w, 0, 0x0, 0xF);
    put_tag_group(&w, 1, -1, 1);
    put_event_run(&w, 1, PKT_BA_MASK - 0xF, PKT_BA_MASK);
    put_tag_group(&w, PKT_MS_MASK, static_cast<std::int32_t>(PKT_HBP_SIGN), PKT_LOST_MASK);
    return w.ok ? w.packets : -1;
}

int gen_run(std::FILE *file, const char *name, std::FILE *out, std::FILE *err)
{
    const std::int64_t packets = gen_pattern(file);
    const bool closed = std::fclose(file) == 0;  // the buffered bytes reach the file only here
    int status = 0;
    if (packets < 0 || !closed) {
        std::fprintf(out, "Write error %s\n", name);
        status = 1;
    } else {
        // The wording is kept as users' scripts know it; the figures are the packets and bytes
        // actually written.
        std::fprintf(out, " number of 64-bit packets output: %" PRId64 " file size: %" PRIx64 "\n",
                     packets, packets * PKT_BYTES);
    }
    if (std::fclose(out) != 0) {
        std::fputs("Write error standard output\n", err);
        status = 1;
    }
    return status;
}
