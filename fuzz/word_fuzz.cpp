// Any word: decoded, re-encoded and listed as the format and printf say.
#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return fuzz_verdict(check_word(data, size));
}
