// libFuzzer entry point: every input goes the way a structure file goes.
#include "fuzz/StructureInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    RunStructureInput(data, size);
    return 0;
}
