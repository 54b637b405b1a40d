// Micro-benchmarks of the per-packet pieces: the decoder alone, and decoding with formatting, over a
// realistic mix of words (mostly events) and over events only.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "packet/packet.h"
#include "pktdump/line.h"

static std::vector<PacketWord> words(bool events_only)
{
    std::vector<PacketWord> w(1 << 16);
    std::uint64_t state = 1;
    for (std::size_t i = 0; i < w.size(); ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const auto r = static_cast<std::uint32_t>(state >> 32);
        if (events_only || i % 50 != 0)
            w[i] = pkt_make_event(r >> 31, r);
        else
            w[i] = (i / 50) % 2 == 0 ? pkt_make_elapsed_time(r) : pkt_make_horiz_bed_pos(static_cast<std::int32_t>(r));
    }
    return w;
}

static void decode(benchmark::State &state)
{
    const std::vector<PacketWord> w = words(false);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pkt_decode(w[i++ & (w.size() - 1)]));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(decode);

static void decode_and_format(benchmark::State &state)
{
    const std::vector<PacketWord> w = words(state.range(0) != 0);
    LineCount c;
    line_count_set(&c, 1000000);
    char line[LINE_CAP];
    std::size_t i = 0, bytes = 0;
    for (auto _ : state) {
        bytes += line_format(line, &c, pkt_decode(w[i++ & (w.size() - 1)]));
        line_count_step(&c);
        benchmark::DoNotOptimize(line);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(decode_and_format)->Arg(0)->Arg(1)->ArgNames({"events_only"});

BENCHMARK_MAIN();
