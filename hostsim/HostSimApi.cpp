// The C++ interface of the simulated host and its function table.
#include "hostsim/HostSim.h"

#include <algorithm>
#include <type_traits>

#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"

// Every export has the host's own type.
#define HOSTSIM_CHECK_TYPE(ret, name, params)                                                      \
    static_assert(std::is_same<decltype(&::name), HostPrototype::name*>::value,                    \
                  #name " is exported with another type than the host declares");
MQ_HOST_PROTOTYPES(HOSTSIM_CHECK_TYPE)
#undef HOSTSIM_CHECK_TYPE

namespace {

const HostFunctionTable kFunctions = {
#define HOSTSIM_TABLE_ENTRY(ret, name, params) name,
    MQ_HOST_FUNCTIONS(HOSTSIM_TABLE_ENTRY, HOSTSIM_TABLE_ENTRY)
#undef HOSTSIM_TABLE_ENTRY
};

} // namespace

void HostSimReset() {
    // Keynote's documents are keyed by document handles, which are reused.
    HostState& state = GetHostState();
    for (HostSimResetHook hook : state.resetHooks) {
        hook();
    }
    state.documents.Clear();
    state.objects.Clear();
    state.materials.Clear();
    state.messageHandler = nullptr;
    state.messageUser = nullptr;
    state.window = FakeMainWindow();
}

HostDocument HostSimCreateDocument(const char* folder) {
    std::unique_ptr<HostSimDocument> doc(new HostSimDocument);
    doc->folder = TextOrEmpty(folder);
    return GetHostState().documents.Add(std::move(doc));
}

void HostSimDestroyDocument(HostDocument doc) {
    HostState& state = GetHostState();
    HostSimDocument* record = state.documents.Find(doc);
    if (record == nullptr) {
        return;
    }
    for (HostObject obj : record->objects) {
        state.objects.Remove(obj);
    }
    for (HostMaterial mat : record->materials) {
        state.materials.Remove(mat);
    }
    state.documents.Remove(doc);
}

const HostSimDocument* HostSimFindDocument(HostDocument doc) {
    return FindDocument(doc);
}

const HostSimObject* HostSimFindObject(HostObject obj) {
    return FindObject(obj);
}

const HostSimMaterial* HostSimFindMaterial(HostMaterial mat) {
    return FindMaterial(mat);
}

int HostSimUnownedObjectCount() {
    int count = 0;
    GetHostState().objects.ForEach([&count](uint32_t, const HostSimObject& obj) {
        if (obj.owner == 0) {
            ++count;
        }
    });
    return count;
}

int HostSimUnownedMaterialCount() {
    int count = 0;
    GetHostState().materials.ForEach([&count](uint32_t, const HostSimMaterial& mat) {
        if (mat.owner == 0) {
            ++count;
        }
    });
    return count;
}

void HostSimSetUserMessageHandler(HostSimUserMessageHandler handler, void* user) {
    HostState& state = GetHostState();
    state.messageHandler = handler;
    state.messageUser = user;
}

void HostSimSetWindowHandle(HostWindow window) {
    GetHostState().window = window;
}

void HostSimAddResetHook(HostSimResetHook hook) {
    std::vector<HostSimResetHook>& hooks = GetHostState().resetHooks;
    if (std::find(hooks.begin(), hooks.end(), hook) == hooks.end()) {
        hooks.push_back(hook);
    }
}

void HostSimSetBreachHandler(HostSimBreachHandler handler) {
    GetHostState().breachHandler = handler;
}

const HostFunctionTable* HostSimFunctions() {
    return &kFunctions;
}
