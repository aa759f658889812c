// Work spread over the machine's processors for the length of one call: the
// calling thread and up to one helper thread per further processor take
// indices from a shared counter until none is left. A helper thread that
// cannot be started only leaves more work to the others.
#include <atomic>

#include "platform/Platform.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#include <unistd.h>
#endif

namespace {

// Enough for the machines the plug-ins run on; more threads gain little on
// memory-bound work.
constexpr int kMaxThreads = 8;

struct Shared {
    std::atomic<int32_t> next{0};
    int32_t count = 0;
    void (*work)(void*, int32_t) = nullptr;
    void* context = nullptr;
};

void TakeWork(Shared* shared) {
    for (;;) {
        int32_t i = shared->next.fetch_add(1, std::memory_order_relaxed);
        if (i >= shared->count)
            return;
        shared->work(shared->context, i);
    }
}

#if defined(_WIN32)
DWORD WINAPI ThreadMain(LPVOID shared) {
    TakeWork(static_cast<Shared*>(shared));
    return 0;
}

int ProcessorCount() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
}
#else
void* ThreadMain(void* shared) {
    TakeWork(static_cast<Shared*>(shared));
    return nullptr;
}

int ProcessorCount() {
    long n = sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? static_cast<int>(n) : 1;
}
#endif

} // namespace

void PlatformParallelFor(int32_t count, void (*work)(void* context, int32_t index), void* context) {
    Shared shared;
    shared.count = count;
    shared.work = work;
    shared.context = context;
    int threads = ProcessorCount();
    threads = threads < kMaxThreads ? threads : kMaxThreads;
    threads = threads < count ? threads : (count > 0 ? count : 1);
    int started = 0;
#if defined(_WIN32)
    HANDLE helpers[kMaxThreads];
    for (int t = 1; t < threads; ++t) {
        HANDLE h = CreateThread(nullptr, 0, ThreadMain, &shared, 0, nullptr);
        if (h != nullptr)
            helpers[started++] = h;
    }
    TakeWork(&shared);
    if (started > 0)
        WaitForMultipleObjects(static_cast<DWORD>(started), helpers, TRUE, INFINITE);
    for (int t = 0; t < started; ++t)
        CloseHandle(helpers[t]);
#else
    pthread_t helpers[kMaxThreads];
    for (int t = 1; t < threads; ++t)
        if (pthread_create(&helpers[started], nullptr, ThreadMain, &shared) == 0)
            ++started;
    TakeWork(&shared);
    for (int t = 0; t < started; ++t)
        pthread_join(helpers[t], nullptr);
#endif
}
