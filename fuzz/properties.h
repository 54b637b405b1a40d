// What must hold for any input, checked by the fuzzers and, on saved inputs, by the test suite.
#ifndef FUZZ_PROPERTIES_H
#define FUZZ_PROPERTIES_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "packet/packet.h"

// The oracle of the listing: a packet's line as printf makes it from the formats, with the 64-bit
// count spelled portably and each decimal field read as a signed 32-bit number ("" for no line).
std::string printf_line(std::int64_t pkt_cnt, const PacketFields &f);

// The word in the first 4 bytes (missing bytes are 0): its kind and fields agree with the format,
// re-encoding its fields gives it back, and its line is printf's. Returns "" or what failed.
std::string check_word(const std::uint8_t *data, std::size_t size);

// The whole run of the dumper over these bytes: status 0, nothing on the error stream, and exactly
// printf's line for each whole packet of a known kind, numbered by position; the tail ignored.
// Returns "" or what failed.
std::string check_dump(const std::uint8_t *data, std::size_t size);

// For a fuzzer: returns 0 when `why` is empty, else prints it and aborts, which libFuzzer reports as
// a crash and saves the input.
int fuzz_verdict(const std::string &why);

#endif
