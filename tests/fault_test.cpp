// Fault injection: streams that fail at every byte position, for both programs' runs. However an
// I/O fault comes, the run ends in status 1 with its error line, and never reports success.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pktdump/dump.h"
#include "pktgen/gen.h"
#include "proc.h"
#include "streams.h"

namespace {

const std::string data_dir = TEST_DATA_DIR;
const std::string summary = " number of 64-bit packets output: 41 file size: a4\n";

// How a stream buffers: each packet straight through, a buffer that splits packets, the default.
const int no_buffer = 0, tiny_buffer = 3, default_buffer = -1;
const int bufferings[] = {no_buffer, tiny_buffer, default_buffer};

void set_buffering(std::FILE *f, int mode, std::vector<char> *storage)
{
    if (mode == no_buffer) {
        std::setvbuf(f, nullptr, _IONBF, 0);
    } else if (mode > 0) {
        storage->resize(static_cast<std::size_t>(mode));
        std::setvbuf(f, storage->data(), _IOFBF, storage->size());
    }
}

struct Outcome {
    int status;
    std::string out, err;
};

Outcome gen_with_file_failing_at(std::size_t k, int buffering, std::string *file)
{
    std::vector<char> buf;
    std::FILE *f = memory_writer(file, k);
    set_buffering(f, buffering, &buf);
    Outcome r;
    std::FILE *out = memory_writer(&r.out);
    std::FILE *err = memory_writer(&r.err);
    r.status = gen_run(f, "out.pkt", out, err);
    std::fclose(err);
    return r;
}

TEST(Fault, PktgenFailsAtEveryByteOfItsFile)
{
    const std::string golden = read_file(data_dir + "/pattern.pkt");
    for (int buffering : bufferings) {
        for (std::size_t k = 0; k <= golden.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "fail at byte " << k << ", buffering " << buffering);
            std::string file;
            const Outcome r = gen_with_file_failing_at(k, buffering, &file);
            if (k < golden.size()) {
                EXPECT_EQ(r.status, 1);
                EXPECT_EQ(r.out, "Write error out.pkt\n");
            } else {
                EXPECT_EQ(r.status, 0);
                EXPECT_EQ(r.out, summary);
            }
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(file, golden.substr(0, file.size())) << "what was written stays, in order";
        }
    }
}

TEST(Fault, PktgenFailsAtEveryByteOfItsSummary)
{
    for (std::size_t k = 0; k <= summary.size(); ++k) {
        SCOPED_TRACE(k);
        std::string file, out, err;
        std::FILE *out_stream = memory_writer(&out, k);
        std::FILE *err_stream = memory_writer(&err);
        const int status = gen_run(memory_writer(&file), "out.pkt", out_stream, err_stream);
        std::fclose(err_stream);
        EXPECT_EQ(status, k < summary.size() ? 1 : 0);
        EXPECT_EQ(err, k < summary.size() ? "Write error standard output\n" : "");
    }
}

Outcome dump_with(std::FILE *in, std::FILE *out)
{
    Outcome r;
    std::FILE *err = memory_writer(&r.err);
    r.status = dump_run(in, "in.pkt", out, err);
    std::fclose(in);
    std::fclose(err);
    return r;
}

TEST(Fault, PktdumpFailsAtEveryByteOfItsInput)
{
    const std::string input = read_file(data_dir + "/pattern.pkt");
    const std::string listing = read_file(data_dir + "/pattern.txt");
    // Every packet of the pattern has a line: the listing so far is the first k / 4 lines.
    std::vector<std::size_t> line_ends{0};
    for (std::size_t i = 0; i < listing.size(); ++i)
        if (listing[i] == '\n')
            line_ends.push_back(i + 1);
    for (int buffering : bufferings) {
        for (std::size_t k = 0; k <= input.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "fail at byte " << k << ", buffering " << buffering);
            std::vector<char> buf;
            std::FILE *in = memory_reader(input, k);
            set_buffering(in, buffering, &buf);
            std::string out;
            const Outcome r = dump_with(in, memory_writer(&out));
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(out, listing.substr(0, line_ends[k / 4]) + "Read error in.pkt\n");
            EXPECT_EQ(r.err, "");
        }
    }
    std::string out;
    EXPECT_EQ(dump_with(memory_reader(input), memory_writer(&out)).status, 0) << "no fault, no error";
    EXPECT_EQ(out, listing);
}

TEST(Fault, PktdumpFailsAtEveryByteOfASmallListing)
{
    const std::string input = read_file(data_dir + "/pattern.pkt");
    const std::string listing = read_file(data_dir + "/pattern.txt");
    for (int buffering : {no_buffer, default_buffer}) {
        for (std::size_t k = 0; k <= listing.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "fail at byte " << k << ", buffering " << buffering);
            std::string out;
            std::vector<char> buf;
            std::FILE *out_stream = memory_writer(&out, k);
            set_buffering(out_stream, buffering, &buf);
            const Outcome r = dump_with(memory_reader(input), out_stream);
            EXPECT_EQ(r.status, k < listing.size() ? 1 : 0);
            EXPECT_EQ(r.err, k < listing.size() ? "Write error standard output\n" : "");
            EXPECT_EQ(out, listing.substr(0, out.size()));
        }
    }
}

TEST(Fault, PktdumpStopsReadingAtTheFirstFailedWriteOfALongListing)
{
    // Several blocks of output: a failure in the first must leave the rest of the input unread.
    std::string input;
    for (int i = 0; i < 40000; ++i)
        input += std::string("\x05\x00\x00\x00", 4);
    std::string full;
    ASSERT_EQ(dump_with(memory_reader(input), memory_writer(&full)).status, 0);
    ASSERT_GT(full.size(), 3u * 256 * 1024);
    for (std::size_t k : {std::size_t{0}, std::size_t{1}, std::size_t{262143}, std::size_t{262144},
                          std::size_t{262145}, std::size_t{600001}, full.size() - 1}) {
        SCOPED_TRACE(k);
        std::string out;
        std::FILE *in = memory_reader(input);
        Outcome r;
        std::FILE *err = memory_writer(&r.err);
        r.status = dump_run(in, "in.pkt", memory_writer(&out, k), err);
        const long read_to = std::ftell(in);
        std::fclose(in);
        std::fclose(err);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Write error standard output\n");
        EXPECT_EQ(out, full.substr(0, k));
        if (k < 262144) {
            EXPECT_LT(read_to, static_cast<long>(input.size()) / 2) << "it read on into a dead stream";
        }
    }
}

// The same faults as a user meets them, through the real programs.
TEST(Fault, PktgenOverItsFileSizeLimit)
{
    TempDir dir;
    ProcSpec spec;
    spec.argv = {PKTGEN_PATH, dir.file("out.pkt")};
    spec.fsize_limit = 100;  // with SIGXFSZ ignored, as prlimit --fsize under a shell that traps it
    const ProcResult r = run_proc(spec);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Write error " + dir.file("out.pkt") + "\n");
    const std::string written = read_file(dir.file("out.pkt"));
    EXPECT_EQ(written, read_file(data_dir + "/pattern.pkt").substr(0, 100));
}

TEST(Fault, PktgenWithNoStandardOutput)
{
    TempDir dir;
    ProcSpec spec;
    spec.argv = {PKTGEN_PATH, dir.file("out.pkt")};
    spec.out = Stdout::closed;
    const ProcResult r = run_proc(spec);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Write error standard output\n");
    EXPECT_EQ(read_file(dir.file("out.pkt")), read_file(data_dir + "/pattern.pkt")) << "the file is whole";
}

}  // namespace
