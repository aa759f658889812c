#include "format/FileStream.h"
#include "Plugins/Import/TextureImport.h"

#include <stdio.h>
#include <string.h>

#include "Plugins/Import/PngFile.h"
#include "Plugins/Import/TextureFileName.h"
#include "format/RasterDecode.h"
#include "format/TextureDictionaryReader.h"
#include "frame/HeapArray.h"
#include "frame/PathParts.h"
#include "frame/TextCase.h"
#include "platform/Platform.h"

namespace {

constexpr char kPngSuffix[] = ".png";
constexpr size_t kPngSuffixLength = sizeof kPngSuffix - 1;

// A texture file name a material gives, and the dictionary's last readable
// texture of that name (the one the game finds), -1 for none.
struct WantedTexture {
    char fileName[kHostPathSize];
    int32_t last;
};

// A name the importer gave ("NAME.png") that stays a plain file in the
// model's folder: no separator, no drive, not only dots.
bool IsPlainPngName(const char* name) {
    const size_t length = strlen(name);
    if (length <= kPngSuffixLength || strcmp(name + length - kPngSuffixLength, kPngSuffix) != 0)
        return false;
    if (strpbrk(name, "\\/:") != nullptr)
        return false;
    return strspn(name, ".") < length - kPngSuffixLength;
}

// The texture names of the materials from index first on, each once.
size_t CollectWanted(HostDocument doc, int32_t first, HeapArray<WantedTexture>& wanted) {
    const int32_t count = g_host.MQDoc_GetMaterialCount(doc);
    if (first < 0 || count <= first || !wanted.Allocate(static_cast<size_t>(count - first)))
        return 0;
    size_t used = 0;
    for (int32_t i = first; i < count; ++i) {
        HostMaterial material = g_host.MQDoc_GetMaterial(doc, i);
        if (material == 0)
            continue;
        WantedTexture& w = wanted[used];
        g_host.MQMat_GetTextureName(material, w.fileName, sizeof w.fileName);
        w.fileName[sizeof w.fileName - 1] = '\0';
        w.last = -1;
        if (!IsPlainPngName(w.fileName))
            continue;
        bool repeated = false;
        for (size_t k = 0; k < used && !repeated; ++k)
            repeated = SameTextIgnoringCase(wanted[k].fileName, w.fileName);
        if (!repeated)
            ++used;
    }
    return used;
}

// The wanted entry the dictionary's texture name stands for (its file name
// made as the materials' were), or null.
WantedTexture* FindWanted(HeapArray<WantedTexture>& wanted, size_t count, const char* name) {
    char fileName[kNameBufferSize];
    TextureFileNameOf(name, fileName, sizeof fileName);
    for (size_t k = 0; k < count; ++k)
        if (SameTextIgnoringCase(wanted[k].fileName, fileName))
            return &wanted[k];
    return nullptr;
}

// Decodes the first level and writes it; false with the reason when it
// cannot.
bool WriteTexture(const TextureNative& t, const uint8_t* body, const char* path,
                  HeapArray<uint8_t>& rgba, TextureLeftOutReason* reason) {
    if (!rgba.Allocate(static_cast<size_t>(t.width) * t.height * 4))
        *reason = TextureLeftOutReason::kOutOfMemory;
    else if (!DecodeRaster(TextureLevelView(t, body, 0), rgba.Data()))
        *reason = TextureLeftOutReason::kPaletteIndex;
    else if (!WritePngFile(path, rgba.Data(), t.width, t.height))
        *reason = TextureLeftOutReason::kCannotWrite;
    else
        return true;
    return false;
}

struct TexturePass {
    HeapArray<WantedTexture> wanted;
    size_t wantedCount = 0;
    const char* folder = nullptr;
    size_t folderLength = 0;
    const char* dictionaryName = nullptr;
    TextureNotice* notice = nullptr;
};

void LeaveOut(TexturePass& pass, const char* what, TextureLeftOutReason reason,
              const TextureReadProblem* read = nullptr) {
    AddTextureLeftOut(pass.notice->leftOut, what, reason, read);
}

// The dictionary, or a texture of it, that cannot be read.
void LeaveOutUnread(TexturePass& pass, const TextureReadProblem& read) {
    LeaveOut(pass, pass.dictionaryName, TextureLeftOutReason::kUnreadable, &read);
}

// The next texture as the game takes it: one of 0 mip levels whose Struct
// still holds a level is read as that one level (*noLevels).
TextureReadResult ReadGameTexture(TextureDictionaryReader& reader, HeapArray<uint8_t>& body,
                                  TextureNative* t, TextureReadProblem* problem, bool* noLevels) {
    // A texture without a Struct leaves the body empty, not the last one's.
    body.Release();
    *noLevels = false;
    TextureReadResult result = ReadNextTexture(reader, body, t, problem);
    if (result == TextureReadResult::kTextureBroken && body.Count() > 0 &&
        ParseLevellessTextureNative(body.Data(), static_cast<uint32_t>(body.Count()), t)) {
        *noLevels = true;
        return TextureReadResult::kTexture;
    }
    return result;
}

// The first pass: which texture of each wanted name comes last, and what
// cannot be read (named once, here).
bool FindLastOfEachName(TexturePass& pass, ByteStream& stream) {
    TextureReadProblem problem;
    TextureDictionaryReader reader;
    if (!OpenTextureDictionary(reader, stream, &problem)) {
        LeaveOutUnread(pass, problem);
        return false;
    }
    HeapArray<uint8_t> body;
    for (int32_t index = 0;; ++index) {
        TextureNative t;
        bool noLevels = false;
        switch (ReadGameTexture(reader, body, &t, &problem, &noLevels)) {
        case TextureReadResult::kEnd:
            return true;
        case TextureReadResult::kOutOfMemory:
            LeaveOut(pass, pass.dictionaryName, TextureLeftOutReason::kOutOfMemory);
            return false;
        case TextureReadResult::kFileBroken:
            // The textures before the damage are written still.
            LeaveOutUnread(pass, problem);
            return true;
        case TextureReadResult::kTextureBroken:
            LeaveOutUnread(pass, problem);
            continue;
        case TextureReadResult::kTexture:
            break;
        }
        WantedTexture* w = FindWanted(pass.wanted, pass.wantedCount, t.name);
        if (w != nullptr)
            w->last = index;
    }
}

// The second pass: each texture the first chose, written unless a file of
// its name stands there already.
void WriteChosen(TexturePass& pass, ByteStream& stream) {
    TextureReadProblem problem;
    TextureDictionaryReader reader;
    if (!OpenTextureDictionary(reader, stream, &problem))
        return;
    HeapArray<uint8_t> body;
    HeapArray<uint8_t> rgba;
    HeapArray<char> path;
    if (!path.Allocate(pass.folderLength + kHostPathSize + 1)) {
        LeaveOut(pass, pass.dictionaryName, TextureLeftOutReason::kOutOfMemory);
        return;
    }
    memcpy(path.Data(), pass.folder, pass.folderLength);
    for (int32_t index = 0;; ++index) {
        TextureNative t;
        bool noLevels = false;
        TextureReadResult result = ReadGameTexture(reader, body, &t, &problem, &noLevels);
        if (result == TextureReadResult::kOutOfMemory)
            LeaveOut(pass, pass.dictionaryName, TextureLeftOutReason::kOutOfMemory);
        if (result == TextureReadResult::kTextureBroken)
            continue;
        if (result != TextureReadResult::kTexture)
            return;
        WantedTexture* w = FindWanted(pass.wanted, pass.wantedCount, t.name);
        if (w == nullptr || w->last != index)
            continue;
        memcpy(path.Data() + pass.folderLength, w->fileName, strlen(w->fileName) + 1);
        if (PlatformPathExists(path.Data()))
            continue; // never overwritten, whatever stands there
        TextureLeftOutReason reason;
        if (!WriteTexture(t, body.Data(), path.Data(), rgba, &reason))
            LeaveOut(pass, w->fileName, reason);
        else if (noLevels)
            AddTextureLeftOut(pass.notice->noLevels, w->fileName, TextureLeftOutReason::kNoLevels);
    }
}

} // namespace

void ImportTextures(ImportRun& run, const char* modelPath, int32_t firstMaterial,
                    TextureNotice* notice) {
    TexturePass pass;
    pass.notice = notice;
    pass.wantedCount = CollectWanted(run.doc, firstMaterial, pass.wanted);
    if (pass.wantedCount == 0)
        return;
    pass.folderLength = FolderLengthOf(modelPath);
    HeapArray<char> folder;
    HeapArray<char> dictionaryPath;
    char dictionaryName[kNameBufferSize + 4];
    snprintf(dictionaryName, sizeof dictionaryName, "%s.txd", run.stem);
    if (!folder.Allocate(pass.folderLength + 1) ||
        !dictionaryPath.Allocate(pass.folderLength + sizeof dictionaryName + 256)) {
        AddTextureLeftOut(notice->leftOut, dictionaryName, TextureLeftOutReason::kOutOfMemory);
    } else {
        memcpy(folder.Data(), modelPath, pass.folderLength);
        folder[pass.folderLength] = '\0';
        pass.folder = folder.Data();
        pass.dictionaryName = dictionaryName;
        if (!PlatformFindFileIgnoringCase(folder.Data(), dictionaryName, dictionaryPath.Data(),
                                          dictionaryPath.Count()))
            return; // no dictionary beside the model: nothing to do
        FileStream file;
        if (!file.OpenForRead(dictionaryPath.Data()))
            LeaveOut(pass, dictionaryName, TextureLeftOutReason::kCannotOpen);
        else if (FindLastOfEachName(pass, file))
            WriteChosen(pass, file);
    }
}
