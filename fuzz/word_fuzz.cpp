// Any word: decoded, re-encoded and listed as the format and printf say.
#include <cstdlib>
#include <cstdio>

#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string why = check_word(data, size);
    if (!why.empty()) {
        std::fprintf(stderr, "%s\n", why.c_str());
        std::abort();
    }
    return 0;
}
