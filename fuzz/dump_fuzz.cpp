// Any byte string: the dumper's whole run lists it as printf would, and succeeds.
#include <cstdlib>
#include <cstdio>

#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string why = check_dump(data, size);
    if (!why.empty()) {
        std::fprintf(stderr, "%s\n", why.c_str());
        std::abort();
    }
    return 0;
}
