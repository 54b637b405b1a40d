// Replays the fuzzers' seed corpus and every saved crash input through the properties they check.
#include <dirent.h>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "properties.h"
#include "proc.h"

namespace {

std::vector<std::string> files_in(const std::string &dir)
{
    std::vector<std::string> names;
    if (DIR *d = opendir(dir.c_str())) {
        while (const dirent *e = readdir(d))
            if (e->d_name[0] != '.')
                names.push_back(dir + "/" + e->d_name);
        closedir(d);
    }
    return names;
}

void replay(const char *fuzzer, std::string (*check)(const std::uint8_t *, std::size_t))
{
    std::size_t seen = 0;
    for (const char *kind : {"corpus", "crashes"}) {
        for (const std::string &path : files_in(std::string(FUZZ_DIR) + "/" + kind + "/" + fuzzer)) {
            const std::string bytes = read_file(path);
            EXPECT_EQ(check(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()), "") << path;
            ++seen;
        }
    }
    EXPECT_GT(seen, 0u) << "no inputs found for " << fuzzer;
}

TEST(FuzzReplay, Word) { replay("word", check_word); }
TEST(FuzzReplay, Dump) { replay("dump", check_dump); }

}  // namespace
