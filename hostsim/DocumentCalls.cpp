// Host functions of the application and the document: creation, ownership,
// indexing, mapping files, the main window and user messages.
#include <stdio.h>

#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"
#include "hostsim/MappingPath.h"
#include "platform/Platform.h"

namespace {

// A regular file that can be read (opening a FIFO would wait for a writer).
bool FileExists(const char* path) {
    PlatformFile file = PlatformOpenForRead(path);
    if (file == nullptr) {
        return false;
    }
    PlatformClose(file);
    return true;
}

} // namespace

HostWindow MQAPI MQ_GetWindowHandle(void) {
    return GetHostState().window;
}

HostObject MQAPI MQ_CreateObject(void) {
    return GetHostState().objects.Add(std::unique_ptr<HostSimObject>(new HostSimObject));
}

HostMaterial MQAPI MQ_CreateMaterial(void) {
    return GetHostState().materials.Add(std::unique_ptr<HostSimMaterial>(new HostSimMaterial));
}

HostBool MQAPI MQ_SendMessage(int32_t message_type, UserMessageRecord* info) {
    HostState& state = GetHostState();
    if (message_type != kHostMessageUser || info == nullptr || state.messageHandler == nullptr) {
        return 0;
    }
    return state.messageHandler(state.messageUser, info);
}

int32_t MQAPI MQDoc_GetObjectCount(HostDocument doc) {
    HostSimDocument* record = DocumentOf(__func__, doc);
    return record != nullptr ? static_cast<int32_t>(record->objects.size()) : 0;
}

HostObject MQAPI MQDoc_GetObject(HostDocument doc, int32_t index) {
    HostSimDocument* record = DocumentOf(__func__, doc);
    if (record == nullptr || index < 0 || static_cast<size_t>(index) >= record->objects.size()) {
        return 0;
    }
    return record->objects[index];
}

int32_t MQAPI MQDoc_AddObject(HostDocument doc, HostObject obj) {
    HostSimDocument* record = DocumentOf(__func__, doc);
    HostSimObject* object = ObjectOf(__func__, obj);
    if (record == nullptr || object == nullptr || object->owner != 0) {
        return -1;
    }
    object->owner = doc;
    record->objects.push_back(obj);
    return static_cast<int32_t>(record->objects.size() - 1);
}

int32_t MQAPI MQDoc_GetMaterialCount(HostDocument doc) {
    HostSimDocument* record = DocumentOf(__func__, doc);
    return record != nullptr ? static_cast<int32_t>(record->materials.size()) : 0;
}

HostMaterial MQAPI MQDoc_GetMaterial(HostDocument doc, int32_t index) {
    HostSimDocument* record = DocumentOf(__func__, doc);
    if (record == nullptr || index < 0 || static_cast<size_t>(index) >= record->materials.size()) {
        return 0;
    }
    return record->materials[index];
}

int32_t MQAPI MQDoc_AddMaterial(HostDocument doc, HostMaterial mat) {
    HostSimDocument* record = DocumentOf(__func__, doc);
    HostSimMaterial* material = MaterialOf(__func__, mat);
    if (record == nullptr || material == nullptr || material->owner != 0) {
        return -1;
    }
    material->owner = doc;
    record->materials.push_back(mat);
    return static_cast<int32_t>(record->materials.size() - 1);
}

// Writes the candidate path whenever it can be formed; true when the file is there.
HostBool MQAPI MQDoc_FindMappingFile(HostDocument doc, char* outPath, const char* name,
                                     uint32_t map_type) {
    // Texture, alpha and bump maps are all looked for in the same place.
    if (!InRange(__func__, "map type", map_type, 1, 3)) {
        return 0;
    }
    HostSimDocument* record = DocumentOf(__func__, doc);
    if (record == nullptr) {
        if (outPath != nullptr) {
            outPath[0] = '\0';
        }
        return 0;
    }
    if (!ResolveMappingPath(record->folder, name, outPath, kMappingPathSize)) {
        return 0;
    }
    return FileExists(outPath) ? 1 : 0;
}
