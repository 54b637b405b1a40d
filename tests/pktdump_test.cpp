// pktdump as a user runs it: the round trip with pktgen, a table of small files with their exact
// listings, and every way a run can fail.
#include <csignal>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "proc.h"

namespace {

const std::string pktgen = PKTGEN_PATH;
const std::string pktdump = PKTDUMP_PATH;
const std::string data_dir = TEST_DATA_DIR;

TEST(Pktdump, RoundTripPrintsTheGoldenListing)
{
    TempDir dir;
    ASSERT_EQ(run_args({pktgen, dir.file("p.pkt")}).status, 0);
    const ProcResult r = run_args({pktdump, dir.file("p.pkt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, read_file(data_dir + "/pattern.txt"));
    EXPECT_EQ(r.err, "");
}

struct Fixture {
    const char *name;
    std::string bytes;
    std::string listing;
};

// Each packet's bytes least significant first, typed out; the listings are written by hand.
const Fixture fixtures[] = {
    {"empty", "", ""},
    {"1 byte", std::string("\x07", 1), ""},
    {"2 bytes", std::string("\x07\x00", 2), ""},
    {"3 bytes", std::string("\x07\x00\x00", 3), ""},
    {"5 bytes: one packet and a tail", std::string("\x07\x00\x00\x00\xAA", 5),
     " EVENT: pkt_cnt: 1 ew1(h):        7 prompt: 0 ba(h):        7 ba(d):          7\n"},
    {"an unknown tag is counted but silent",
     std::string("\x01\x00\x00\x00"
                 "\x00\x00\x00\xE0"
                 "\x02\x00\x00\x40",
                 12),
     " EVENT: pkt_cnt: 1 ew1(h):        1 prompt: 0 ba(h):        1 ba(d):          1\n"
     " EVENT: pkt_cnt: 3 ew1(h): 40000002 prompt: 1 ba(h):        2 ba(d):          2\n"},
    {"tally, top byte 0xBF, low bits set", std::string("\xFF\xFF\xFF\xBF", 4),
     " TAG32_LostEventTally: pkt_cnt: 1 ew1(h): bfffffff lost(d): 1048575\n"},
    {"tally, top byte 0xBD, low bits clear", std::string("\x00\x00\x00\xBD", 4),
     " TAG32_LostEventTally: pkt_cnt: 1 ew1(h): bd000000 lost(d):       0\n"},
    {"position, bits 23..20 set", std::string("\x01\x00\xF0\xC4", 4),
     " TAG32_HorizBedPos:    pkt_cnt: 1 ew1(h): c4f00001 hbp(h):        1 hbp_se(d):        1\n"},
    {"extremes of every field, an unknown tag, a 2-byte tail",
     std::string("\xFF\xFF\xFF\x3F"
                 "\x00\x00\x00\x40"
                 "\xFF\xFF\xFF\x9F"
                 "\xFF\xFF\x07\xC4"
                 "\x00\x00\x08\xC4"
                 "\xFF\xFF\x0F\xBC"
                 "\xFF\xFF\xFF\xFF"
                 "\x00\x00\x00\xBC"
                 "\x00\x00",
                 34),
     " EVENT: pkt_cnt: 1 ew1(h): 3fffffff prompt: 0 ba(h): 3fffffff ba(d): 1073741823\n"
     " EVENT: pkt_cnt: 2 ew1(h): 40000000 prompt: 1 ba(h):        0 ba(d):          0\n"
     " TAG32_ElapsedTime:    pkt_cnt: 3 ew1(h): 9fffffff ms(h): 1fffffff ms(d): 536870911\n"
     " TAG32_HorizBedPos:    pkt_cnt: 4 ew1(h): c407ffff hbp(h):    7ffff hbp_se(d):   524287\n"
     " TAG32_HorizBedPos:    pkt_cnt: 5 ew1(h): c4080000 hbp(h):    80000 hbp_se(d):  -524288\n"
     " TAG32_LostEventTally: pkt_cnt: 6 ew1(h): bc0fffff lost(d): 1048575\n"
     " TAG32_LostEventTally: pkt_cnt: 8 ew1(h): bc000000 lost(d):       0\n"},
    {"only unknown tags", std::string("\xFF\xFF\xFF\xFF\x00\x00\x00\xA0\xFF\xFF\xFF\xC3", 12), ""},
};

TEST(Pktdump, ListsEachFixtureExactly)
{
    TempDir dir;
    for (const Fixture &f : fixtures) {
        write_file(dir.file("in.pkt"), f.bytes);
        const ProcResult r = run_args({pktdump, dir.file("in.pkt")});
        EXPECT_EQ(r.status, 0) << f.name;
        EXPECT_EQ(r.out, f.listing) << f.name;
        EXPECT_EQ(r.err, "") << f.name;
    }
}

TEST(Pktdump, UsageNamesTheProgramAsInvoked)
{
    struct Case {
        std::vector<std::string> argv;
        std::string want;
    };
    const Case cases[] = {
        {{pktdump}, "usage: " + pktdump + " in_file_name\n"},
        {{"./some/name"}, "usage: ./some/name in_file_name\n"},
        {{}, "usage: pktdump in_file_name\n"},  // no argv[0] at all
    };
    for (const Case &c : cases) {
        ProcSpec spec;
        spec.argv = c.argv;
        spec.program = pktdump;
        const ProcResult r = run_proc(spec);
        EXPECT_EQ(r.status, 1) << c.want;
        EXPECT_EQ(r.out, c.want);
        EXPECT_EQ(r.err, "");
    }
}

TEST(Pktdump, AMissingFileIsNamedAndNothingElse)
{
    TempDir dir;
    const ProcResult r = run_args({pktdump, dir.file("missing.pkt"), "ignored"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "No file opened " + dir.file("missing.pkt") + "\n");
    EXPECT_EQ(r.err, "");
}

TEST(Pktdump, ADirectoryIsAReadError)
{
    TempDir dir;
    const ProcResult r = run_args({pktdump, dir.path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Read error " + dir.path + "\n");
    EXPECT_EQ(r.err, "");
}

// Standard output that cannot take the listing, each way it can happen.
TEST(Pktdump, AListingThatCannotBeWrittenIsAWriteError)
{
    struct Case {
        const char *what;
        Stdout out;
        bool ignore_sigpipe;
    };
    const Case cases[] = {
        {"a full device", Stdout::path, false},
        {"a closed descriptor", Stdout::closed, false},
        {"a pipe whose reader has gone, SIGPIPE ignored", Stdout::broken_pipe, true},
    };
    for (const Case &c : cases) {
        ProcSpec spec;
        spec.argv = {pktdump, data_dir + "/pattern.pkt"};
        spec.out = c.out;
        spec.stdout_path = "/dev/full";
        spec.ignore_sigpipe = c.ignore_sigpipe;
        const ProcResult r = run_proc(spec);
        EXPECT_EQ(r.status, 1) << c.what;
        EXPECT_EQ(r.err, "Write error standard output\n") << c.what;
    }
}

TEST(Pktdump, APipeWhoseReaderHasGoneEndsItBySigpipe)
{
    ProcSpec spec;
    spec.argv = {pktdump, data_dir + "/pattern.pkt"};
    spec.out = Stdout::broken_pipe;
    const ProcResult r = run_proc(spec);
    EXPECT_EQ(r.signal, SIGPIPE);
    EXPECT_EQ(r.err, "");
}

TEST(Pktdump, AnEndlessInputIntoADeadOutputStopsAtTheFirstFailedWrite)
{
    ProcSpec spec;
    spec.argv = {pktdump, "/dev/zero"};
    spec.out = Stdout::path;
    spec.stdout_path = "/dev/full";
    const ProcResult r = run_proc(spec, 30);  // reading /dev/zero to its end would never finish
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Write error standard output\n");
}

}  // namespace
