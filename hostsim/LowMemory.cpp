#include "hostsim/LowMemory.h"

#include <stdint.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace {

// Largest block handed out; far above any scene, far below the 4 GiB limit.
const size_t kMaxLowBlock = size_t(1) << 30;

bool EndsBelow4GiB(const void* block, size_t size) {
    uint64_t start = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(block));
    return start <= UINT64_C(0xFFFFFFFF) - size;
}

} // namespace

#if defined(_WIN32)

void* AllocateLowBlock(size_t size) {
    if (size == 0 || size > kMaxLowBlock) {
        return nullptr;
    }
    void* block = VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (block != nullptr && !EndsBelow4GiB(block, size)) {
        VirtualFree(block, 0, MEM_RELEASE);
        return nullptr;
    }
    return block;
}

void FreeLowBlock(void* block, size_t size) {
    (void)size;
    if (block != nullptr) {
        VirtualFree(block, 0, MEM_RELEASE);
    }
}

#else

void* AllocateLowBlock(size_t size) {
    if (size == 0 || size > kMaxLowBlock) {
        return nullptr;
    }
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#if defined(MAP_32BIT)
    flags |= MAP_32BIT; // the first 2 GiB on x86-64
#endif
    void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, flags, -1, 0);
    if (block == MAP_FAILED) {
        return nullptr;
    }
    if (!EndsBelow4GiB(block, size)) {
        munmap(block, size);
        return nullptr;
    }
    return block;
}

void FreeLowBlock(void* block, size_t size) {
    if (block != nullptr) {
        munmap(block, size);
    }
}

#endif
