// The line formatter against snprintf with the listing's formats, over the edge words, a large
// random sample of every kind, and packet counts across every digit length.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "packet/packet.h"
#include "pktdump/line.h"
#include "properties.h"

namespace {

// Formats into a buffer of exactly the room the contract promises to need, so that the address
// sanitizer catches a store past it.
std::string formatted(const LineCount &c, const PacketFields &f)
{
    char buf[LINE_CAP];
    const std::size_t n = line_format(buf, &c, f);
    EXPECT_LE(n, LINE_CAP - 16);
    return std::string(buf, n);
}

void expect_same(std::int64_t cnt, PacketWord w)
{
    LineCount c;
    line_count_set(&c, cnt);
    const PacketFields f = pkt_decode(w);
    ASSERT_EQ(formatted(c, f), printf_line(cnt, f)) << std::hex << "word 0x" << w;
}

TEST(Line, EdgeWordsMatchPrintf)
{
    const PacketWord words[] = {
        0x00000000, 0x00000001, 0x0000000F, 0x00000010, 0x0000FFFF, 0x00100000, 0x0FFFFFFF, 0x10000000,
        0x3FFFFFFF, 0x40000000, 0x7FFFFFFF, 0x7FFFFFF0, 0x3B9AC9FF, 0x3B9ACA00, 0x05F5E0FF, 0x05F5E100,
        0x80000000, 0x80000001, 0x8FFFFFFF, 0x90000000, 0x9FFFFFFF, 0x9000000A, 0x80989680, 0x8098967F,
        0xA0000000, 0xC4000000, 0xC40FFFFF, 0xC4080000, 0xC407FFFF, 0xC4F00001, 0xC4FFFFFF, 0xC4000009,
        0xC40FFFF6, 0xC3FFFFFF, 0xC5000000, 0xBC000000, 0xBC0FFFFF, 0xBFFFFFFF, 0xBD000000, 0xBC00000A,
        0xBC0F423F, 0xBC0F4240, 0xBBFFFFFF, 0xE0000000, 0xFFFFFFFF,
    };
    for (PacketWord w : words)
        expect_same(1, w);
}

TEST(Line, RandomWordsOfEveryKindMatchPrintf)
{
    // Uniform words are mostly events and unknown tags, so each tag kind also gets its own share:
    // random low bits under its identifying pattern.
    const PacketWord patterns[][2] = {
        // keep mask, then OR
        {0xFFFFFFFF, 0x00000000},  // anything
        {0x7FFFFFFF, 0x00000000},  // events
        {0x1FFFFFFF, 0x80000000},  // elapsed times
        {0x00FFFFFF, 0xC4000000},  // bed positions
        {0x03FFFFFF, 0xBC000000},  // lost tallies
        {0x000FFFFF, 0xC4000000},  // bed positions, bits 23..20 clear
        {0x0000FFFF, 0x00000000},  // short values: padding
    };
    std::mt19937_64 rng(20261211);
    std::uniform_int_distribution<std::int64_t> counts(1, INT64_MAX);
    for (const auto &p : patterns) {
        for (int i = 0; i < 200000; ++i) {
            const auto w = static_cast<PacketWord>((rng() & p[0]) | p[1]);
            // Mostly small counts as in real files; now and then any count at all.
            const std::int64_t cnt = i % 16 == 0 ? counts(rng) : i + 1;
            expect_same(cnt, w);
        }
    }
}

TEST(Line, UnknownTagsHaveNoLine)
{
    LineCount c;
    line_count_set(&c, 1);
    char buf[LINE_CAP];
    for (PacketWord w : {0xA0000000u, 0xC3FFFFFFu, 0xC5000000u, 0xBBFFFFFFu, 0xE0000000u, 0xFFFFFFFFu})
        EXPECT_EQ(line_format(buf, &c, pkt_decode(w)), 0u) << std::hex << w;
}

TEST(Line, CountsAcrossEveryDigitLengthMatchPrintf)
{
    std::vector<std::int64_t> values = {1, 2, 9, 10, 11, 99, 100, 101, 999, 1000, 4294967295, 4294967296,
                                        4294967297, INT64_MAX - 1, INT64_MAX};
    for (std::int64_t p = 10; p <= INT64_MAX / 10; p *= 10) {
        values.push_back(p - 1);
        values.push_back(p);
        values.push_back(p * 10 - 1);
    }
    for (std::int64_t v : values) {
        SCOPED_TRACE(v);
        // Set straight to the value, and reached by a step from the one below, carries and all.
        expect_same(v, 0x00000005);
        LineCount c;
        line_count_set(&c, v - 1);
        line_count_step(&c);
        EXPECT_EQ(formatted(c, pkt_decode(0xBC000001)), printf_line(v, pkt_decode(0xBC000001)));
    }
}

TEST(Line, CountStepsOneByOneFromZero)
{
    LineCount c;
    line_count_set(&c, 0);
    for (std::int64_t v = 1; v <= 1100000; ++v) {
        line_count_step(&c);
        ASSERT_EQ(std::string(c.text, c.len), std::to_string(v));
    }
}

}  // namespace
