// Any byte string: the dumper's whole run lists it as printf would, and succeeds.
#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return fuzz_verdict(check_dump(data, size));
}
