// pktgen as a user runs it: the file it writes, its messages and its exit statuses.
#include <string>

#include <gtest/gtest.h>

#include "proc.h"

namespace {

const std::string pktgen = PKTGEN_PATH;
const std::string summary = " number of 64-bit packets output: 41 file size: a4\n";

std::string golden() { return read_file(std::string(TEST_DATA_DIR) + "/pattern.pkt"); }

TEST(Pktgen, WritesThePatternAndItsSummary)
{
    TempDir dir;
    const ProcResult r = run_args({pktgen, dir.file("out.pkt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, summary);
    EXPECT_EQ(r.err, "");
    ASSERT_EQ(golden().size(), 164u);
    EXPECT_EQ(read_file(dir.file("out.pkt")), golden());
}

TEST(Pktgen, ReplacesALongerFileByExactlyThePattern)
{
    TempDir dir;
    write_file(dir.file("out.pkt"), std::string(100000, 'x'));
    const ProcResult r = run_args({pktgen, dir.file("out.pkt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(read_file(dir.file("out.pkt")), golden());
}

TEST(Pktgen, IgnoresFurtherArguments)
{
    TempDir dir;
    const ProcResult r = run_args({pktgen, dir.file("out.pkt"), dir.file("second"), "-x"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, summary);
    EXPECT_EQ(read_file(dir.file("out.pkt")), golden());
    EXPECT_EQ(access(dir.file("second").c_str(), F_OK), -1) << "only the first argument is used";
}

TEST(Pktgen, UsageNamesTheProgramAsInvoked)
{
    TempDir dir;
    struct Case {
        std::vector<std::string> argv;
        std::string want;
    };
    const Case cases[] = {
        {{pktgen}, "usage: " + pktgen + " out_file_name\n"},
        {{"some/other/name"}, "usage: some/other/name out_file_name\n"},
        {{}, "usage: pktgen out_file_name\n"},  // no argv[0] at all
        {{""}, "usage: pktgen out_file_name\n"},
    };
    for (const Case &c : cases) {
        ProcSpec spec;
        spec.argv = c.argv;
        spec.program = pktgen;
        spec.cwd = dir.path;
        const ProcResult r = run_proc(spec);
        EXPECT_EQ(r.status, 1) << c.want;
        EXPECT_EQ(r.out, c.want);
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(read_file(dir.path + "/out_file_name"), "") << "no file is created";
}

TEST(Pktgen, NamesAFileItCannotOpen)
{
    TempDir dir;
    const std::string names[] = {dir.file("missing/out.pkt"), dir.path, ""};
    for (const std::string &name : names) {
        const ProcResult r = run_args({pktgen, name});
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.out, "No file opened " + name + "\n");
        EXPECT_EQ(r.err, "");
    }
}

TEST(Pktgen, AFullDeviceIsAWriteError)
{
    const ProcResult r = run_args({pktgen, "/dev/full"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Write error /dev/full\n");
    EXPECT_EQ(r.err, "");
}

}  // namespace
