#include "format/FileStream.h"
#include "Plugins/Import/TextureImport.h"

#include <stdio.h>
#include <string.h>

#include "Plugins/Import/PngFile.h"
#include "format/RasterDecode.h"
#include "format/TextureDictionaryReader.h"
#include "frame/HeapArray.h"
#include "frame/PathParts.h"
#include "frame/TextCase.h"
#include "platform/Platform.h"

namespace {

constexpr char kPngSuffix[] = ".png";
constexpr size_t kPngSuffixLength = sizeof kPngSuffix - 1;

// A texture file name a material gives, and whether the dictionary's texture
// of that name has been dealt with.
struct WantedTexture {
    char fileName[kHostPathSize];
    bool handled;
};

void AddLine(TexturesLeftOut& list, const char* line) {
    char entry[kTextureProblemSize + kHostPathSize + 8];
    snprintf(entry, sizeof entry, "\n%s", line);
    if (list.full || strstr(list.lines, entry) != nullptr)
        return;
    const size_t used = strlen(list.lines);
    const char* more = "\n...";
    if (strlen(entry) + strlen(more) >= sizeof list.lines - used) {
        memcpy(list.lines + used, more, strlen(more) + 1);
        list.full = true;
    } else {
        memcpy(list.lines + used, entry, strlen(entry) + 1);
    }
    list.any = true;
}

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

// The wanted entry the dictionary's texture name stands for, or null.
WantedTexture* FindWanted(HeapArray<WantedTexture>& wanted, size_t count, const char* name) {
    const size_t length = strlen(name);
    for (size_t k = 0; k < count; ++k) {
        WantedTexture& w = wanted[k];
        if (!w.handled && strlen(w.fileName) == length + kPngSuffixLength &&
            SameTextIgnoringCase(w.fileName, name, length))
            return &w;
    }
    return nullptr;
}

// Decodes the first level and writes it; the reason when it cannot.
const char* WriteTexture(const TextureNative& t, const uint8_t* body, const char* path,
                         HeapArray<uint8_t>& rgba) {
    if (!rgba.Allocate(static_cast<size_t>(t.width) * t.height * 4))
        return "not enough memory";
    if (!DecodeRaster(TextureLevelView(t, body, 0), rgba.Data()))
        return "a palette index lies outside the palette";
    if (!WritePngFile(path, rgba.Data(), t.width, t.height))
        return "the file cannot be written";
    return nullptr;
}

struct TexturePass {
    HeapArray<WantedTexture> wanted;
    size_t wantedCount = 0;
    const char* folder = nullptr;
    size_t folderLength = 0;
    const char* dictionaryName = nullptr;
    TexturesLeftOut* leftOut = nullptr;
};

void LeaveOut(TexturePass& pass, const char* what, const char* reason) {
    char line[kTextureProblemSize + kHostPathSize + 4];
    snprintf(line, sizeof line, "%s: %s", what, reason);
    AddLine(*pass.leftOut, line);
}

void ReadDictionary(TexturePass& pass, ByteStream& stream) {
    char problem[kTextureProblemSize] = "";
    TextureDictionaryReader reader;
    if (!OpenTextureDictionary(reader, stream, problem, sizeof problem)) {
        LeaveOut(pass, pass.dictionaryName, problem);
        return;
    }
    HeapArray<uint8_t> body;
    HeapArray<uint8_t> rgba;
    HeapArray<char> path;
    if (!path.Allocate(pass.folderLength + kHostPathSize + 1)) {
        LeaveOut(pass, pass.dictionaryName, "not enough memory");
        return;
    }
    memcpy(path.Data(), pass.folder, pass.folderLength);
    for (;;) {
        TextureNative t;
        switch (ReadNextTexture(reader, body, &t, problem, sizeof problem)) {
        case TextureReadResult::kEnd:
            return;
        case TextureReadResult::kOutOfMemory:
            LeaveOut(pass, pass.dictionaryName, "not enough memory");
            return;
        case TextureReadResult::kFileBroken:
            LeaveOut(pass, pass.dictionaryName, problem);
            return;
        case TextureReadResult::kTextureBroken:
            LeaveOut(pass, pass.dictionaryName, problem);
            continue;
        case TextureReadResult::kTexture:
            break;
        }
        WantedTexture* w = FindWanted(pass.wanted, pass.wantedCount, t.name);
        if (w == nullptr)
            continue;
        w->handled = true;
        memcpy(path.Data() + pass.folderLength, w->fileName, strlen(w->fileName) + 1);
        if (PlatformPathExists(path.Data()))
            continue; // never overwritten, whatever stands there
        const char* reason = WriteTexture(t, body.Data(), path.Data(), rgba);
        if (reason != nullptr)
            LeaveOut(pass, w->fileName, reason);
    }
}

} // namespace

void ImportTextures(ImportRun& run, const char* modelPath, int32_t firstMaterial,
                    TexturesLeftOut* leftOut) {
    TexturePass pass;
    pass.leftOut = leftOut;
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
        AddLine(*pass.leftOut, "not enough memory");
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
            LeaveOut(pass, dictionaryName, "the file cannot be opened");
        else
            ReadDictionary(pass, file);
    }
}
