// libFuzzer entry of one target; ZONVEL_FUZZ_TARGET names it at build time.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!NFuzz::Run(ZONVEL_FUZZ_TARGET, data, size))
        __builtin_trap();
    return 0;
}
