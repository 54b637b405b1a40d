// pktgen: writes the fixed test pattern of the packet format into the file named on the command line.
#include <cstdio>

#include "pktgen/gen.h"

int main(int argc, char **argv)
{
    // With no argv[0] at all (or an empty one, which Linux now puts in its place) the usage line
    // still names the program.
    const char *prog = argc > 0 && argv[0] != nullptr && argv[0][0] != '\0' ? argv[0] : "pktgen";
    if (argc < 2) {
        std::printf("usage: %s out_file_name\n", prog);
        return 1;
    }
    const char *name = argv[1];
    std::FILE *file = std::fopen(name, "wb");
    if (file == nullptr) {
        std::printf("No file opened %s\n", name);
        return 1;
    }
    return gen_run(file, name, stdout, stderr);
}
