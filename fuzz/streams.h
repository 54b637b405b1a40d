// stdio streams over memory that fail on demand: the fault injection of the tests and the input of
// the fuzzers (glibc's fopencookie).
#ifndef FUZZ_STREAMS_H
#define FUZZ_STREAMS_H

#include <cstddef>
#include <cstdio>
#include <string>

constexpr std::size_t NEVER = static_cast<std::size_t>(-1);

// Reads `bytes`; the read that reaches offset `fail_at` fails with an I/O error instead (NEVER: the
// data just ends). Closing frees everything.
std::FILE *memory_reader(std::string bytes, std::size_t fail_at = NEVER);

// Appends what is written to `*sink` until `fail_at` bytes have been taken, then refuses the rest
// with an error (NEVER: takes everything). `*sink` must outlive the stream.
std::FILE *memory_writer(std::string *sink, std::size_t fail_at = NEVER);

#endif
