// The packet file format: one 32-bit word per packet, stored least significant byte first.
//
// Bit 31 tells the two families apart: 0 is an event, 1 is a tag. The tag kinds are told apart by
// fixed patterns in their top bits:
//
//   EVENT                 bit 31 = 0            bit 30 prompt, bits 29..0 ba
//   TAG32_ElapsedTime     bits 31..29 = 100     bits 28..0 ms
//   TAG32_HorizBedPos     top byte 0xC4         bits 19..0 hbp, 20-bit two's complement
//   TAG32_LostEventTally  bits 31..26 = 101111  bits 19..0 lost
//   TAG32_Other           any other tag         nothing
//
// The bits between a tag's pattern and its field carry nothing: encoders write them as 0, the
// decoder ignores them.
//
// Everything here is a pure function of its arguments except pkt_put and pkt_get, which move one
// packet to or from a stdio stream. Nothing here prints, exits or allocates.
#ifndef PACKET_PACKET_H
#define PACKET_PACKET_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

using PacketWord = std::uint32_t;

enum PacketKind {
    EVENT,
    TAG32_ElapsedTime,
    TAG32_HorizBedPos,
    TAG32_LostEventTally,
    TAG32_Other,
};

// The decoded view of one packet. Fields that do not belong to `kind` are 0; `ew1` is always the
// word as read.
struct PacketFields {
    PacketKind kind;
    std::uint32_t ew1;
    std::uint32_t prompt;  // EVENT: 0 or 1
    std::uint32_t ba;      // EVENT: 0 to 0x3FFFFFFF
    std::uint32_t ms;      // TAG32_ElapsedTime: 0 to 0x1FFFFFFF
    std::uint32_t hbp;     // TAG32_HorizBedPos: the raw 20-bit field
    std::int32_t hbp_se;   // TAG32_HorizBedPos: hbp sign-extended from bit 19
    std::uint32_t lost;    // TAG32_LostEventTally: 0 to 0xFFFFF
};

// The layout, named once. A kind's pattern is what its identifying bits hold after the shift and
// mask given beside it.
constexpr std::uint32_t PKT_TAG_BIT = 0x80000000u;  // bit 31: 0 event, 1 tag
constexpr unsigned PKT_PROMPT_SHIFT = 30;
constexpr std::uint32_t PKT_PROMPT_MASK = 0x1u;
constexpr std::uint32_t PKT_BA_MASK = 0x3FFFFFFFu;

constexpr unsigned PKT_MS_ID_SHIFT = 28;  // bits 31..29, read as the top hex digit without bit 28
constexpr std::uint32_t PKT_MS_ID_MASK = 0xEu;
constexpr std::uint32_t PKT_MS_ID = 0x8u;
constexpr std::uint32_t PKT_MS_TAG = 0x80000000u;
constexpr std::uint32_t PKT_MS_MASK = 0x1FFFFFFFu;

constexpr unsigned PKT_TOP_BYTE_SHIFT = 24;
constexpr std::uint32_t PKT_HBP_ID = 0xC4u;  // the whole top byte
constexpr std::uint32_t PKT_HBP_TAG = 0xC4000000u;
constexpr std::uint32_t PKT_HBP_MASK = 0xFFFFFu;
constexpr std::uint32_t PKT_HBP_SIGN = 0x80000u;    // bit 19
constexpr std::int32_t PKT_HBP_SPAN = 0x100000;     // 2^20: a negative hbp_se is hbp minus this

constexpr std::uint32_t PKT_LOST_ID_MASK = 0xFCu;  // top byte without its two low bits
constexpr std::uint32_t PKT_LOST_ID = 0xBCu;
constexpr std::uint32_t PKT_LOST_TAG = 0xBC000000u;
constexpr std::uint32_t PKT_LOST_MASK = 0xFFFFFu;

constexpr unsigned PKT_BYTES = 4;  // a packet on file

// Encoders. Each keeps only as many low bits of a value as its field has, silently; none fails.

// An event: bit 0 of `prompt` at bit 30, `ba` in bits 29..0. Bit 31 is always 0.
inline PacketWord pkt_make_event(std::uint32_t prompt, std::uint32_t ba)
{
    return ((prompt & PKT_PROMPT_MASK) << PKT_PROMPT_SHIFT) | (ba & PKT_BA_MASK);
}

// An elapsed-time tag carrying the low 29 bits of `ms`.
inline PacketWord pkt_make_elapsed_time(std::uint32_t ms)
{
    return PKT_MS_TAG | (ms & PKT_MS_MASK);
}

// A bed-position tag carrying the low 20 bits of `pos` in two's complement: -1 gives 0xC40FFFFF.
inline PacketWord pkt_make_horiz_bed_pos(std::int32_t pos)
{
    return PKT_HBP_TAG | (static_cast<std::uint32_t>(pos) & PKT_HBP_MASK);
}

// A lost-event tally carrying the low 20 bits of `lost`, always with top byte 0xBC.
inline PacketWord pkt_make_lost_event_tally(std::uint32_t lost)
{
    return PKT_LOST_TAG | (lost & PKT_LOST_MASK);
}

// The kind of any word. The three tag patterns exclude one another.
inline PacketKind pkt_classify(PacketWord w)
{
    if ((w & PKT_TAG_BIT) == 0)
        return EVENT;
    if (((w >> PKT_MS_ID_SHIFT) & PKT_MS_ID_MASK) == PKT_MS_ID)
        return TAG32_ElapsedTime;
    if ((w >> PKT_TOP_BYTE_SHIFT) == PKT_HBP_ID)
        return TAG32_HorizBedPos;
    if (((w >> PKT_TOP_BYTE_SHIFT) & PKT_LOST_ID_MASK) == PKT_LOST_ID)
        return TAG32_LostEventTally;
    return TAG32_Other;
}

// The kind and fields of any word; every word decodes, bits that carry nothing are ignored.
// Defined here, like the encoders, so that a caller's loop sees through it and keeps only the
// fields it uses.
inline PacketFields pkt_decode(PacketWord w)
{
    PacketFields f{};
    f.kind = pkt_classify(w);
    f.ew1 = w;
    switch (f.kind) {
    case EVENT:
        f.prompt = (w >> PKT_PROMPT_SHIFT) & PKT_PROMPT_MASK;
        f.ba = w & PKT_BA_MASK;
        break;
    case TAG32_ElapsedTime:
        f.ms = w & PKT_MS_MASK;
        break;
    case TAG32_HorizBedPos:
        f.hbp = w & PKT_HBP_MASK;
        // Sign-extend from bit 19 by arithmetic, not by converting a wide unsigned to signed.
        f.hbp_se = static_cast<std::int32_t>(f.hbp) - ((f.hbp & PKT_HBP_SIGN) != 0 ? PKT_HBP_SPAN : 0);
        break;
    case TAG32_LostEventTally:
        f.lost = w & PKT_LOST_MASK;
        break;
    case TAG32_Other:
        break;
    }
    return f;
}

// Writes the 4 bytes of `w` to `stream`, least significant first, whatever the host's byte order.
// Returns true only when the stream accepted all 4 (a buffered stream may still fail later, on
// flush or close, which the caller must check).
bool pkt_put(std::FILE *stream, PacketWord w);

// Reads the next 4 bytes of `stream` into `*w`, least significant first. Returns true only when all
// 4 were read; false at the end of the data, after a tail of 1 to 3 bytes (consumed and lost) or on
// a read error, which the caller tells apart with ferror(). Like getc_unlocked it takes no lock on
// the stream: a stream shared between threads needs the caller's flockfile(). Defined here because
// it is the inner loop of every reader: inline, each byte is a few instructions while the stream's
// buffer lasts.
inline bool pkt_get(std::FILE *stream, PacketWord *w)
{
#if defined(__GLIBC__)
    // While 4 bytes wait in the stream's buffer, take them at once: this is exactly what four
    // getc_unlocked calls do there (glibc's getc_unlocked reads these two fields), with one check
    // instead of four.
    if (stream->_IO_read_end - stream->_IO_read_ptr >= static_cast<std::ptrdiff_t>(PKT_BYTES)) {
        const auto *b = reinterpret_cast<const unsigned char *>(stream->_IO_read_ptr);
        *w = static_cast<PacketWord>(b[0]) | (static_cast<PacketWord>(b[1]) << 8) |
             (static_cast<PacketWord>(b[2]) << 16) | (static_cast<PacketWord>(b[3]) << 24);
        stream->_IO_read_ptr += PKT_BYTES;
        return true;
    }
#endif
    PacketWord word = 0;
    for (unsigned i = 0; i < PKT_BYTES; ++i) {
#if defined(__unix__) || defined(__APPLE__)
        const int c = getc_unlocked(stream);
#else
        const int c = std::getc(stream);
#endif
        if (c == EOF)
            return false;
        word |= static_cast<PacketWord>(c) << (8 * i);
    }
    *w = word;
    return true;
}

#endif
