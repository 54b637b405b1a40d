// pktdump: lists every packet of the file named on the command line, one line per packet of a known
// kind.
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "pktdump/dump.h"

int main(int argc, char **argv)
{
    // With no argv[0] at all (or an empty one, which Linux now puts in its place) the usage line
    // still names the program.
    const char *prog = argc > 0 && argv[0] != nullptr && argv[0][0] != '\0' ? argv[0] : "pktdump";
    if (argc < 2) {
        std::printf("usage: %s in_file_name\n", prog);
        return 1;
    }
    const char *name = argv[1];
    std::FILE *in = std::fopen(name, "rb");
    if (in == nullptr) {
        std::printf("No file opened %s\n", name);
        return 1;
    }

    // Large reads; and the listing leaves in the dumper's own large blocks, one write each.
    static char in_buf[256 * 1024];
    std::setvbuf(in, in_buf, _IOFBF, sizeof in_buf);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
#ifdef F_SETPIPE_SZ
    // Into a pipe, a larger pipe buffer means fewer waits for the reader. Where it is not allowed,
    // or standard output is no pipe, this fails harmlessly.
    fcntl(STDOUT_FILENO, F_SETPIPE_SZ, 1024 * 1024);
#endif

    const int status = dump_run(in, name, stdout, stderr);
    std::fclose(in);
    return status;
}
