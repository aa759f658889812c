// The simulated host's state: handle registries for documents, objects and
// materials, and the few settings the host program installs.
#pragma once

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "hostsim/HostSim.h"

// Hands out 32-bit handles for records of one kind. A handle is the kind's tag
// in the top four bits and the slot number + 1 below, so it is never 0, never
// a pointer, and a handle of one kind is never taken for another. Slots are
// not reused until the registry is cleared, so a stale handle stays invalid.
template <typename Record> class HandleRegistry {
  public:
    explicit HandleRegistry(uint32_t tag) : tag_(tag) {}

    uint32_t Add(std::unique_ptr<Record> record) {
        if (slots_.size() >= kSlotMask - 1) {
            return 0;
        }
        slots_.push_back(std::move(record));
        return tag_ | static_cast<uint32_t>(slots_.size());
    }

    Record* Find(uint32_t handle) const {
        if ((handle & ~kSlotMask) != tag_) {
            return nullptr;
        }
        uint32_t slot = handle & kSlotMask;
        if (slot == 0 || slot > slots_.size()) {
            return nullptr;
        }
        return slots_[slot - 1].get();
    }

    void Remove(uint32_t handle) {
        if (Find(handle) != nullptr) {
            slots_[(handle & kSlotMask) - 1].reset();
        }
    }

    // Calls visit(handle, record) for every live record.
    template <typename Visit> void ForEach(Visit visit) const {
        for (size_t i = 0; i < slots_.size(); ++i) {
            if (slots_[i]) {
                visit(tag_ | static_cast<uint32_t>(i + 1), *slots_[i]);
            }
        }
    }

    void Clear() { slots_.clear(); }

  private:
    static constexpr uint32_t kSlotMask = 0x0FFFFFFFu;
    uint32_t tag_;
    std::vector<std::unique_ptr<Record>> slots_;
};

// Any non-null value serves as the main window outside Windows.
inline HostWindow FakeMainWindow() {
    return reinterpret_cast<HostWindow>(static_cast<uintptr_t>(0x00010010u));
}

struct HostState {
    HandleRegistry<HostSimDocument> documents{0x10000000u};
    HandleRegistry<HostSimObject> objects{0x20000000u};
    HandleRegistry<HostSimMaterial> materials{0x30000000u};
    HostSimUserMessageHandler messageHandler = nullptr;
    void* messageUser = nullptr;
    HostWindow window = FakeMainWindow();
    HostSimBreachHandler breachHandler = nullptr; // null: print and abort
    std::vector<HostSimResetHook> resetHooks;
};

// The one host state of the program.
HostState& GetHostState();

// Shortcuts to the records behind handles; null for invalid handles.
HostSimDocument* FindDocument(HostDocument doc);
HostSimObject* FindObject(HostObject obj);
HostSimMaterial* FindMaterial(HostMaterial mat);

// Reports a breach of the host's contract by the caller of function (see
// HostSimSetBreachHandler); detail is formatted like printf.
void ReportBreach(const char* function, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The records behind handles for a host function; a handle that was never
// given out, or is gone, is reported as a breach and gives null.
HostSimDocument* DocumentOf(const char* function, HostDocument doc);
HostSimObject* ObjectOf(const char* function, HostObject obj);
HostSimMaterial* MaterialOf(const char* function, HostMaterial mat);
// Whether value lies in first..last; reports a breach naming what otherwise.
bool InRange(const char* function, const char* what, int64_t value, int64_t first, int64_t last);

// Copies text into buffer (size bytes), cut to fit and always terminated.
// Does nothing when the buffer is null or size is not positive.
void CopyBoundedText(const std::string& text, char* buffer, int32_t size);
// A text from a caller; null reads as empty.
std::string TextOrEmpty(const char* text);
