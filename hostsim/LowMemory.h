// Zero-filled memory blocks whose every byte lies below 4 GiB, so that
// records can refer to each other with 32-bit addresses in every build.
#pragma once

#include <stddef.h>

// A zero-filled block of size bytes, or null when none can be had below 4 GiB.
void* AllocateLowBlock(size_t size);
// Releases a block from AllocateLowBlock (size as allocated); null is ignored.
void FreeLowBlock(void* block, size_t size);
