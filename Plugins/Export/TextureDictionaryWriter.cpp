#include "Plugins/Export/TextureDictionaryWriter.h"

#include <stdio.h>

#include "Plugins/Export/ExportMessages.h"
#include "Plugins/Export/GeometryWriter.h"
#include "Plugins/Export/TextureImage.h"
#include "Plugins/Export/TexturePixels.h"
#include "format/TextureDictionaryLayout.h"
#include "platform/Platform.h"

namespace {

void ShowMessage(const char* message) {
    PlatformMessageBox(g_host.MQ_GetWindowHandle(), message, EXPORT_CAPTION,
                       kMessageBoxIconError | kMessageBoxOk);
}

void ShowTextureMissing(const char* name) {
    char message[160];
    snprintf(message, sizeof message, MSG_TEXTURE_LOAD_FAILED, name);
    ShowMessage(message);
}

// The colour image and, for a 24-bit image whose entry names one, the alpha
// map that loaded. A 32-bit image carries its own alpha; its alpha map is
// never loaded. A 24-bit image with an alpha map name has alpha even when
// the map fails to load (every alpha byte is then 255).
struct LoadedTexture {
    TextureImage image;
    TextureImage alphaMap;
    bool hasAlpha = false;
    bool alphaMapInUse = false;

    ~LoadedTexture() {
        ReleaseTextureImage(&image);
        ReleaseTextureImage(&alphaMap);
    }
};

bool LoadTexture(HostDocument doc, const TextureEntry& entry, LoadedTexture* t) {
    if (!LoadTextureImage(doc, entry.texture, &t->image))
        return false;
    if (t->image.bytesPerPixel == 4) {
        t->hasAlpha = true;
    } else if (entry.alphaMap[0] != '\0') {
        t->hasAlpha = true;
        t->alphaMapInUse = LoadTextureImage(doc, entry.alphaMap, &t->alphaMap);
    }
    return true;
}

// Bytes one Texture Native adds: its header, the Struct's header and body,
// the empty Extension.
uint64_t TextureNativeBytes(const TextureImage& image) {
    uint64_t pixels = static_cast<uint64_t>(image.width) * image.height * kTexturePixelSize;
    return 3 * kChunkHeaderSize + kTextureNativeStructSize + pixels;
}

// Whether the entry and the dictionary's closing Extension still fit the file.
bool FitsStream(const ByteStream& s, const TextureImage& image) {
    uint64_t end = static_cast<uint64_t>(s.Tell()) + TextureNativeBytes(image) + kChunkHeaderSize;
    return end <= kMaxStreamSize;
}

bool WriteTextureNative(ByteStream& s, const TextureEntry& entry, LoadedTexture& t,
                        PixelSource& pixels) {
    char name[kMaterialTextSize];
    TextureNameOf(entry.texture, name, sizeof name);
    TextureNativeStruct r =
        MakeTextureNativeStruct(name, static_cast<uint16_t>(t.image.width),
                                static_cast<uint16_t>(t.image.height), t.hasAlpha);
    SectionStack stack;
    bool ok =
        BeginSection(s, stack, kSectionTextureNative) && BeginSection(s, stack, kSectionStruct);
    WriteTextureNativeStruct(s, r);
    WriteTexturePixels(s, pixels);
    return ok && EndSection(s, stack) && WriteEmptyExtension(s) && EndSection(s, stack);
}

// Loads, checks and writes one entry; false when it was left out.
bool WriteEntry(ByteStream& s, HostDocument doc, const TextureEntry& entry, bool* ok) {
    LoadedTexture t;
    if (!LoadTexture(doc, entry, &t) || !FitsStream(s, t.image)) {
        ShowTextureMissing(entry.texture);
        return false;
    }
    PixelSource pixels;
    if (!PreparePixelSource(&pixels, &t.image, t.alphaMapInUse ? &t.alphaMap : nullptr)) {
        ShowMessage(MSG_EXPORT_OUT_OF_MEMORY);
        return false;
    }
    *ok = WriteTextureNative(s, entry, t, pixels) && *ok;
    return true;
}

} // namespace

bool WriteTextureDictionary(ByteStream& s, HostDocument doc, const TextureList& list) {
    SectionStack stack;
    bool ok =
        BeginSection(s, stack, kSectionTextureDictionary) && BeginSection(s, stack, kSectionStruct);
    uint32_t countOffset = s.Tell() + kTextureCountOffset;
    uint16_t listed = static_cast<uint16_t>(list.count);
    WriteTextureDictionaryStruct(s, TextureDictionaryStruct{listed, kTextureDeviceD3D9});
    ok = ok && EndSection(s, stack);
    uint16_t written = 0;
    for (uint32_t i = 0; i < list.count; ++i)
        if (WriteEntry(s, doc, list.entries[i], &ok))
            ++written;
    ok = ok && WriteEmptyExtension(s) && EndSection(s, stack);
    if (written != listed) {
        uint32_t end = s.Tell();
        ok = s.Seek(countOffset) && WriteU16(s, written) && s.Seek(end) && ok;
    }
    return ok;
}
