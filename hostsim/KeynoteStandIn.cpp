#include "hostsim/KeynoteStandIn.h"

#include <stdlib.h>
#include <string.h>

#include <map>
#include <utility>

#include "frame/KeynoteLayout.h"
#include "frame/UserMessage.h"
#include "hostsim/BoneObjectSkeleton.h"
#include "hostsim/CornerNormals.h"
#include "hostsim/LowMemory.h"

namespace {

struct LowBlock {
    void* base;
    size_t size;
};

struct KeynoteState {
    std::map<HostDocument, KeynoteDocumentData> data;
    std::map<HostDocument, std::vector<LowBlock>> built;
};

KeynoteState& GetKeynoteState() {
    static KeynoteState state;
    return state;
}

const KeynoteDocumentData* FindData(HostDocument doc) {
    KeynoteState& state = GetKeynoteState();
    auto it = state.data.find(doc);
    return it != state.data.end() ? &it->second : nullptr;
}

// The value of the first pair with this key (byte for byte), or null.
void* FindMessageOption(const OptionPair* list, const char* key) {
    if (list == nullptr) {
        return nullptr;
    }
    for (const OptionPair* p = list; p->key != nullptr; ++p) {
        if (strcmp(p->key, key) == 0) {
            return p->value;
        }
    }
    return nullptr;
}

bool OptionHolds(const OptionPair* list, const char* key, uint32_t expected) {
    const uint32_t* value = static_cast<const uint32_t*>(FindMessageOption(list, key));
    return value != nullptr && *value == expected;
}

// "CheckVersion:" followed by a decimal number, and nothing else.
bool IsVersionMessage(const char* text) {
    static const char kPrefix[] = "CheckVersion:";
    if (strncmp(text, kPrefix, sizeof kPrefix - 1) != 0) {
        return false;
    }
    const char* number = text + sizeof kPrefix - 1;
    char* end = nullptr;
    strtol(number, &end, 10);
    return end != number && *end == '\0';
}

KeynoteObject ObjectContent(const HostSimObject& host, HostObject handle,
                            const KeynoteObjectData& data) {
    KeynoteObject object;
    object.host = handle;
    object.vertices = host.vertices;
    object.skin = data.skin;
    object.skin.resize(host.vertices.size());
    std::vector<bool> compute(host.faces.size(), true);
    object.faces.resize(host.faces.size());
    for (size_t f = 0; f < host.faces.size(); ++f) {
        const HostSimFace& in = host.faces[f];
        KeynoteFace& out = object.faces[f];
        out.pointCount = in.pointCount;
        out.material = in.material;
        for (int32_t i = 0; i < in.pointCount && i < 4; ++i) {
            out.vertexIndex[i] = in.points[i];
            out.texCoord[i] = in.uv[i];
        }
        if (f < data.normals.size() && data.normals[f].given) {
            compute[f] = false;
            for (int i = 0; i < in.pointCount && i < 4; ++i) {
                out.cornerNormal[i] = data.normals[f].corner[i];
            }
        }
    }
    ComputeCornerNormals(&object, host.shading != 0, compute);
    return object;
}

// The address of a freshly built skeleton document for doc, or 0.
int32_t CreateDocument(HostDocument doc) {
    KeynoteContent content;
    if (!BuildKeynoteContent(doc, &content)) {
        return 0;
    }
    size_t size = XSDocumentByteSize(content);
    if (size == 0) {
        return 0;
    }
    void* block = AllocateLowBlock(size);
    if (block == nullptr) {
        return 0;
    }
    WriteXSDocument(content, static_cast<uint8_t*>(block));
    GetKeynoteState().built[doc].push_back(LowBlock{block, size});
    return static_cast<int32_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(block)));
}

void DeleteDocuments(HostDocument doc) {
    KeynoteState& state = GetKeynoteState();
    auto it = state.built.find(doc);
    if (it == state.built.end()) {
        return;
    }
    for (const LowBlock& block : it->second) {
        FreeLowBlock(block.base, block.size);
    }
    state.built.erase(it);
}

// Keynote's answer to description for doc.
int32_t Answer(HostDocument doc, const KeynoteDocumentData& data, const char* description) {
    if (IsVersionMessage(description)) {
        return data.versionAnswer;
    }
    if (strcmp(description, "CreateXSDocument") == 0) {
        return CreateDocument(doc);
    }
    if (strcmp(description, "DeleteXSDocument") == 0) {
        DeleteDocuments(doc);
    }
    return 0;
}

} // namespace

void HostSimSetKeynoteData(HostDocument doc, KeynoteDocumentData data) {
    GetKeynoteState().data[doc] = std::move(data);
    HostSimInstallKeynote();
}

void HostSimInstallKeynote() {
    HostSimSetUserMessageHandler(KeynoteAnswerUserMessage, nullptr);
    HostSimAddResetHook(HostSimKeynoteReset);
}

void HostSimKeynoteReset() {
    KeynoteState& state = GetKeynoteState();
    while (!state.built.empty()) {
        DeleteDocuments(state.built.begin()->first);
    }
    state.data.clear();
}

int HostSimKeynoteLiveDocumentCount() {
    int count = 0;
    for (const auto& entry : GetKeynoteState().built) {
        count += static_cast<int>(entry.second.size());
    }
    return count;
}

bool BuildKeynoteContent(HostDocument doc, KeynoteContent* content) {
    const KeynoteDocumentData* data = FindData(doc);
    if (data == nullptr || HostSimFindDocument(doc) == nullptr) {
        return false;
    }
    content->objects.clear();
    for (const KeynoteObjectData& objectData : data->objects) {
        const HostSimObject* host = HostSimFindObject(objectData.object);
        // Objects deleted since, or not the document's, are left out.
        if (host != nullptr && host->owner == doc) {
            content->objects.push_back(ObjectContent(*host, objectData.object, objectData));
        }
    }
    content->bones = data->bones;
    // Without bones of its own, Keynote takes them from the bone object.
    if (content->bones.empty()) {
        const HostSimDocument* document = HostSimFindDocument(doc);
        const HostSimObject* boneObject = FindBoneObject(*document);
        if (boneObject != nullptr)
            content->bones = BonesFromBoneObject(*document, *boneObject);
    }
    return true;
}

HostBool KeynoteAnswerUserMessage(void* user, void* record) {
    (void)user;
    const UserMessageRecord* message = static_cast<const UserMessageRecord*>(record);
    if (message == nullptr) {
        return 0;
    }
    const OptionPair* options = message->options;
    if (!OptionHolds(options, "target_product", KeynoteProductId) ||
        !OptionHolds(options, "target_id", KeynotePlugInId)) {
        return 0;
    }
    HostDocument doc = static_cast<HostDocument>(
        reinterpret_cast<uintptr_t>(FindMessageOption(options, "document")));
    const char* description = static_cast<const char*>(FindMessageOption(options, "description"));
    int32_t* result = static_cast<int32_t*>(FindMessageOption(options, "result"));
    const KeynoteDocumentData* data = FindData(doc);
    if (description == nullptr || result == nullptr || data == nullptr || !data->present) {
        return 0;
    }
    *result = Answer(doc, *data, description);
    return 1;
}
