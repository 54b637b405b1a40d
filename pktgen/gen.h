// The pattern writer's run, apart from the command line, so that it can be driven with any streams.
#ifndef PKTGEN_GEN_H
#define PKTGEN_GEN_H

#include <cstdint>
#include <cstdio>

// Writes the 41-packet test pattern to `file` and returns the number of packets written, or -1 at
// the first write the stream refuses (it then writes no more). Neither flushes nor closes `file`.
std::int64_t gen_pattern(std::FILE *file);

// The whole run once the output file is open: writes the pattern, closes `file`, prints the summary
// line on `out` (or "Write error NAME" if a write or the close failed), then closes `out`; a failure
// of `out` is reported on `err`. Returns the exit status, 0 or 1.
int gen_run(std::FILE *file, const char *name, std::FILE *out, std::FILE *err);

#endif
