#include "properties.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "pktdump/dump.h"
#include "pktdump/line.h"
#include "streams.h"

std::string printf_line(std::int64_t cnt, const PacketFields &f)
{
    char buf[256];
    int n = 0;
    switch (f.kind) {
    case EVENT:
        n = std::snprintf(buf, sizeof buf,
                          " EVENT: pkt_cnt: %" PRId64 " ew1(h): %8x prompt: %1d ba(h): %8x ba(d): %10d\n", cnt,
                          f.ew1, static_cast<int>(f.prompt), f.ba, static_cast<std::int32_t>(f.ba));
        break;
    case TAG32_ElapsedTime:
        n = std::snprintf(buf, sizeof buf,
                          " TAG32_ElapsedTime:    pkt_cnt: %" PRId64 " ew1(h): %8x ms(h): %7x ms(d): %9d\n", cnt,
                          f.ew1, f.ms, static_cast<std::int32_t>(f.ms));
        break;
    case TAG32_HorizBedPos:
        n = std::snprintf(buf, sizeof buf,
                          " TAG32_HorizBedPos:    pkt_cnt: %" PRId64 " ew1(h): %8x hbp(h):   %6x hbp_se(d): %8d\n",
                          cnt, f.ew1, f.hbp, f.hbp_se);
        break;
    case TAG32_LostEventTally:
        n = std::snprintf(buf, sizeof buf, " TAG32_LostEventTally: pkt_cnt: %" PRId64 " ew1(h): %8x lost(d): %7d\n",
                          cnt, f.ew1, static_cast<std::int32_t>(f.lost));
        break;
    case TAG32_Other:
        break;
    }
    return std::string(buf, static_cast<std::size_t>(n));
}

static PacketWord word_at(const std::uint8_t *data, std::size_t size)
{
    PacketWord w = 0;
    for (std::size_t i = 0; i < 4 && i < size; ++i)
        w |= static_cast<PacketWord>(data[i]) << (8 * i);
    return w;
}

// The word with its unused bits cleared, as the encoders would write it back.
static PacketWord reencoded(const PacketFields &f)
{
    switch (f.kind) {
    case EVENT:
        return pkt_make_event(f.prompt, f.ba);
    case TAG32_ElapsedTime:
        return pkt_make_elapsed_time(f.ms);
    case TAG32_HorizBedPos:
        return pkt_make_horiz_bed_pos(f.hbp_se);
    case TAG32_LostEventTally:
        return pkt_make_lost_event_tally(f.lost);
    case TAG32_Other:
        break;
    }
    return f.ew1;
}

std::string check_word(const std::uint8_t *data, std::size_t size)
{
    const PacketWord w = word_at(data, size);
    const PacketFields f = pkt_decode(w);
    if (f.kind != pkt_classify(w) || f.ew1 != w)
        return "decode and classify disagree";
    PacketWord used = w;  // the word as an encoder writes it: the bits that carry nothing cleared
    if (f.kind == TAG32_HorizBedPos)
        used = w & (PKT_HBP_TAG | PKT_HBP_MASK);
    if (f.kind == TAG32_LostEventTally)
        used = PKT_LOST_TAG | (w & PKT_LOST_MASK);
    if (reencoded(f) != used)
        return "the fields do not encode back to the word";
    if (f.kind == TAG32_Other && (f.prompt | f.ba | f.ms | f.hbp | f.lost | static_cast<std::uint32_t>(f.hbp_se)) != 0)
        return "a tag of no known kind has fields";

    LineCount c;
    const std::int64_t cnt = static_cast<std::int64_t>(word_at(data + 4, size > 4 ? size - 4 : 0)) + 1;
    line_count_set(&c, cnt);
    char line[LINE_CAP];
    const std::size_t n = line_format(line, &c, f);
    if (std::string(line, n) != printf_line(cnt, f))
        return "the line differs from printf's";
    return "";
}

std::string check_dump(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    std::string out, err;
    std::FILE *in = memory_reader(bytes);
    std::FILE *err_stream = memory_writer(&err);
    const int status = dump_run(in, "fuzz", memory_writer(&out), err_stream);  // closes its output
    std::fclose(in);
    std::fclose(err_stream);
    if (status != 0)
        return "status " + std::to_string(status);
    if (!err.empty())
        return "error stream: " + err;
    std::string want;
    for (std::size_t i = 0; i + 4 <= size; i += 4)
        want += printf_line(static_cast<std::int64_t>(i / 4 + 1), pkt_decode(word_at(data + i, 4)));
    if (out != want)
        return "the listing differs from printf's";
    return "";
}

int fuzz_verdict(const std::string &why)
{
    if (why.empty())
        return 0;
    std::fprintf(stderr, "%s\n", why.c_str());
    std::abort();
}
