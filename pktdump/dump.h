// The dumper's run, apart from the command line, so that tests and fuzzers can drive it with any
// streams.
#ifndef PKTDUMP_DUMP_H
#define PKTDUMP_DUMP_H

#include <cstdio>

enum DumpResult {
    DUMP_OK,           // the end of the data, or a tail of 1 to 3 bytes after the last packet
    DUMP_READ_ERROR,   // `in` failed; the lines of the packets read before stand
    DUMP_WRITE_ERROR,  // `out` refused a write; nothing more was read
};

// Lists `in` on `out`: one line per packet of a known kind, numbered from 1 by position, packets of
// no known kind counted but silent, a trailing 1 to 3 bytes ignored. Lines are gathered in a buffer
// of fixed size and written in large blocks, so memory stays constant whatever the length of `in`.
// Flushes `out` but closes neither stream; prints nothing but listing lines, never exits.
DumpResult dump_packets(std::FILE *in, std::FILE *out);

// The whole run once `in` is open: the listing on `out`, then "Read error NAME" there if reading
// failed; closes `out`, and if the listing could not be written says so on `err`. Returns the exit
// status, 0 or 1.
int dump_run(std::FILE *in, const char *name, std::FILE *out, std::FILE *err);

#endif
