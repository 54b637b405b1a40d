// The packet format: classification and fields of the edge words, the encoders' cuts, the round trip
// of every bed position and lost tally, and the byte order on a stream.
#include <cstdint>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "packet/packet.h"

namespace {

struct DecodeCase {
    PacketWord word;
    PacketKind kind;
    std::uint32_t prompt, ba, ms, hbp;
    std::int32_t hbp_se;
    std::uint32_t lost;
};

// Expected fields as the format's bit table gives them, written out by hand.
const DecodeCase decode_cases[] = {
    // word         kind                  prompt  ba           ms           hbp      hbp_se   lost
    {0x00000000, EVENT, 0, 0, 0, 0, 0, 0},
    {0x7FFFFFFF, EVENT, 1, 0x3FFFFFFF, 0, 0, 0, 0},
    {0x40000000, EVENT, 1, 0, 0, 0, 0, 0},
    {0x3FFFFFFF, EVENT, 0, 0x3FFFFFFF, 0, 0, 0, 0},
    {0x12345678, EVENT, 0, 0x12345678, 0, 0, 0, 0},
    {0x80000000, TAG32_ElapsedTime, 0, 0, 0, 0, 0, 0},
    {0x9FFFFFFF, TAG32_ElapsedTime, 0, 0, 0x1FFFFFFF, 0, 0, 0},
    {0x80000001, TAG32_ElapsedTime, 0, 0, 1, 0, 0, 0},
    {0xA0000000, TAG32_Other, 0, 0, 0, 0, 0, 0},
    {0xC4000000, TAG32_HorizBedPos, 0, 0, 0, 0, 0, 0},
    {0xC40FFFFF, TAG32_HorizBedPos, 0, 0, 0, 0xFFFFF, -1, 0},
    {0xC4080000, TAG32_HorizBedPos, 0, 0, 0, 0x80000, -524288, 0},
    {0xC407FFFF, TAG32_HorizBedPos, 0, 0, 0, 0x7FFFF, 524287, 0},
    {0xC4F00001, TAG32_HorizBedPos, 0, 0, 0, 1, 1, 0},  // bits 23..20 carry nothing
    {0xC4FFFFFF, TAG32_HorizBedPos, 0, 0, 0, 0xFFFFF, -1, 0},
    {0xC4F80000, TAG32_HorizBedPos, 0, 0, 0, 0x80000, -524288, 0},
    {0xC3FFFFFF, TAG32_Other, 0, 0, 0, 0, 0, 0},
    {0xC5000000, TAG32_Other, 0, 0, 0, 0, 0, 0},
    {0xBC000000, TAG32_LostEventTally, 0, 0, 0, 0, 0, 0},
    {0xBC0FFFFF, TAG32_LostEventTally, 0, 0, 0, 0, 0, 1048575},
    {0xBFFFFFFF, TAG32_LostEventTally, 0, 0, 0, 0, 0, 1048575},  // bits 25..20 carry nothing
    {0xBD000000, TAG32_LostEventTally, 0, 0, 0, 0, 0, 0},
    {0xBE300005, TAG32_LostEventTally, 0, 0, 0, 0, 0, 5},
    {0xBBFFFFFF, TAG32_Other, 0, 0, 0, 0, 0, 0},
    {0xC0000000, TAG32_Other, 0, 0, 0, 0, 0, 0},
    {0xE0000000, TAG32_Other, 0, 0, 0, 0, 0, 0},
    {0xFFFFFFFF, TAG32_Other, 0, 0, 0, 0, 0, 0},
};

TEST(Decode, EdgeWordsGiveTheirKindAndFields)
{
    for (const DecodeCase &c : decode_cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "word 0x" << c.word);
        const PacketFields f = pkt_decode(c.word);
        EXPECT_EQ(pkt_classify(c.word), c.kind);
        EXPECT_EQ(f.kind, c.kind);
        EXPECT_EQ(f.ew1, c.word);
        EXPECT_EQ(f.prompt, c.prompt);
        EXPECT_EQ(f.ba, c.ba);
        EXPECT_EQ(f.ms, c.ms);
        EXPECT_EQ(f.hbp, c.hbp);
        EXPECT_EQ(f.hbp_se, c.hbp_se);
        EXPECT_EQ(f.lost, c.lost);
    }
}

struct EncodeCase {
    const char *what;
    PacketWord got;
    PacketWord want;
};

TEST(Encode, KeepsOnlyTheFieldsLowBits)
{
    const EncodeCase cases[] = {
        {"event 0,0", pkt_make_event(0, 0), 0x00000000},
        {"event 1,0x3FFFFFFF", pkt_make_event(1, 0x3FFFFFFF), 0x7FFFFFFF},
        {"event prompt 2 keeps bit 0 only", pkt_make_event(2, 5), 0x00000005},
        {"event all ones stays an event", pkt_make_event(0xFFFFFFFF, 0xFFFFFFFF), 0x7FFFFFFF},
        {"event ba 2^30 is cut to 0", pkt_make_event(0, 0x40000000), 0x00000000},
        {"time 0", pkt_make_elapsed_time(0), 0x80000000},
        {"time 0x1FFFFFFF", pkt_make_elapsed_time(0x1FFFFFFF), 0x9FFFFFFF},
        {"time 2^29 is cut to 0", pkt_make_elapsed_time(0x20000000), 0x80000000},
        {"time all ones", pkt_make_elapsed_time(0xFFFFFFFF), 0x9FFFFFFF},
        {"position 0", pkt_make_horiz_bed_pos(0), 0xC4000000},
        {"position -1", pkt_make_horiz_bed_pos(-1), 0xC40FFFFF},
        {"position 0x80000", pkt_make_horiz_bed_pos(0x80000), 0xC4080000},
        {"position -524288", pkt_make_horiz_bed_pos(-524288), 0xC4080000},
        {"position 524287", pkt_make_horiz_bed_pos(524287), 0xC407FFFF},
        {"position 2^20 is cut to 0", pkt_make_horiz_bed_pos(0x100000), 0xC4000000},
        {"position INT32_MIN", pkt_make_horiz_bed_pos(INT32_MIN), 0xC4000000},
        {"position INT32_MAX", pkt_make_horiz_bed_pos(INT32_MAX), 0xC40FFFFF},
        {"tally 0", pkt_make_lost_event_tally(0), 0xBC000000},
        {"tally 0xFFFFF", pkt_make_lost_event_tally(0xFFFFF), 0xBC0FFFFF},
        {"tally 2^20 is cut to 0", pkt_make_lost_event_tally(0x100000), 0xBC000000},
        {"tally all ones", pkt_make_lost_event_tally(0xFFFFFFFF), 0xBC0FFFFF},
    };
    for (const EncodeCase &c : cases)
        EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(RoundTrip, EveryBedPositionComesBack)
{
    for (std::int32_t pos = -524288; pos <= 524287; ++pos) {
        const PacketFields f = pkt_decode(pkt_make_horiz_bed_pos(pos));
        ASSERT_EQ(f.kind, TAG32_HorizBedPos) << pos;
        ASSERT_EQ(f.hbp_se, pos);
        // The raw field is the position modulo 2^20.
        ASSERT_EQ(f.hbp, static_cast<std::uint32_t>(pos < 0 ? pos + 1048576 : pos));
    }
}

TEST(RoundTrip, EveryLostTallyComesBack)
{
    for (std::uint32_t lost = 0; lost <= 0xFFFFF; ++lost) {
        const PacketFields f = pkt_decode(pkt_make_lost_event_tally(lost));
        ASSERT_EQ(f.kind, TAG32_LostEventTally) << lost;
        ASSERT_EQ(f.lost, lost);
    }
}

TEST(RoundTrip, EventsAndTimesAcrossTheirRanges)
{
    // Too many to try all: a prime stride samples the whole range, and the top ends are added.
    for (std::uint64_t ba = 0; ba <= 0x3FFFFFFF + 65521u; ba += 65521) {
        const auto b = static_cast<std::uint32_t>(ba > 0x3FFFFFFF ? 0x3FFFFFFF : ba);
        for (std::uint32_t prompt = 0; prompt <= 1; ++prompt) {
            const PacketFields f = pkt_decode(pkt_make_event(prompt, b));
            ASSERT_EQ(f.kind, EVENT);
            ASSERT_EQ(f.prompt, prompt);
            ASSERT_EQ(f.ba, b);
        }
    }
    for (std::uint64_t ms = 0; ms <= 0x1FFFFFFF + 65521u; ms += 65521) {
        const auto m = static_cast<std::uint32_t>(ms > 0x1FFFFFFF ? 0x1FFFFFFF : ms);
        const PacketFields f = pkt_decode(pkt_make_elapsed_time(m));
        ASSERT_EQ(f.kind, TAG32_ElapsedTime);
        ASSERT_EQ(f.ms, m);
    }
}

// A stream over bytes held in memory, read back as a string once closed.
std::string written_bytes(const PacketWord *words, std::size_t n)
{
    char *buf = nullptr;
    std::size_t len = 0;
    std::FILE *f = open_memstream(&buf, &len);
    for (std::size_t i = 0; i < n; ++i)
        EXPECT_TRUE(pkt_put(f, words[i]));
    std::fclose(f);
    std::string s(buf, len);
    std::free(buf);
    return s;
}

TEST(Put, WritesLeastSignificantByteFirst)
{
    const PacketWord words[] = {0x80000001, 0x12345678, 0xBC0FFFFF};
    EXPECT_EQ(written_bytes(words, 3), std::string("\x01\x00\x00\x80"
                                                   "\x78\x56\x34\x12"
                                                   "\xFF\xFF\x0F\xBC",
                                                   12));
}

TEST(Put, ReportsARefusedWrite)
{
    std::FILE *f = std::fopen("/dev/full", "wb");
    ASSERT_NE(f, nullptr);
    std::setvbuf(f, nullptr, _IONBF, 0);  // unbuffered, so the device's refusal shows at once
    EXPECT_FALSE(pkt_put(f, 0x80000000));
    std::fclose(f);
}

std::FILE *stream_of(const std::string &bytes)
{
    std::FILE *f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    return f;
}

TEST(Get, SixBytesGiveOnePacketThenEnd)
{
    std::FILE *f = stream_of(std::string("\x01\x00\x00\x80\xAA\xBB", 6));
    PacketWord w = 0;
    EXPECT_TRUE(pkt_get(f, &w));
    EXPECT_EQ(w, 0x80000001u);
    EXPECT_FALSE(pkt_get(f, &w));
    EXPECT_TRUE(std::feof(f));
    EXPECT_FALSE(std::ferror(f));
    std::fclose(f);
}

TEST(Get, ReadsEveryByteInItsPlace)
{
    std::FILE *f = stream_of(std::string("\x78\x56\x34\x12\xFF\xFF\x0F\xBC", 8));
    PacketWord w = 0;
    EXPECT_TRUE(pkt_get(f, &w));
    EXPECT_EQ(w, 0x12345678u);
    EXPECT_TRUE(pkt_get(f, &w));
    EXPECT_EQ(w, 0xBC0FFFFFu);
    EXPECT_FALSE(pkt_get(f, &w));
    std::fclose(f);
}

TEST(Get, NoWholePacketGivesFalseAtOnce)
{
    for (std::size_t n = 0; n <= 3; ++n) {
        std::FILE *f = stream_of(std::string("\x01\x02\x03", n));
        PacketWord w = 0xDEADBEEF;
        EXPECT_FALSE(pkt_get(f, &w)) << n << " bytes";
        EXPECT_EQ(w, 0xDEADBEEFu) << "a failed read leaves the word alone";
        EXPECT_FALSE(std::ferror(f));
        std::fclose(f);
    }
}

TEST(Get, AReadErrorGivesFalseAndTheStreamsErrorFlag)
{
    // On Linux a directory opens for reading and then fails to read.
    std::FILE *f = std::fopen("/", "rb");
    ASSERT_NE(f, nullptr);
    PacketWord w = 0;
    EXPECT_FALSE(pkt_get(f, &w));
    EXPECT_TRUE(std::ferror(f));
    std::fclose(f);
}

}  // namespace
