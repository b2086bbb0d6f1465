#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

// Bytes in memory handed to libxml2 as a stream, through its read callback:
// it copies them in small pieces as it goes, never the whole at once.
struct MemoryInput
{
    const char *next;
    const char *end;

    // An xmlInputReadCallback: `context` is the MemoryInput.
    static int Read(void *context, char *buffer, int length)
    {
        auto *input = static_cast<MemoryInput *>(context);
        const int n = static_cast<int>(std::min<std::ptrdiff_t>(length, input->end - input->next));
        std::memcpy(buffer, input->next, static_cast<std::size_t>(n));
        input->next += n;
        return n;
    }
};
