#include "Plugins/Export/TextureDictionaryWriter.h"

#include "Plugins/Export/TextureName.h"
#include "Plugins/Export/TextureImage.h"
#include "Plugins/Export/TextureLevels.h"
#include "Plugins/Export/TexturePixels.h"
#include "format/TextureDictionaryLayout.h"

namespace {

static_assert(kMaterialTextSize <= kExportResultNameSize, "a texture name fits a result");

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

// How one loaded texture is written: its encoding and number of levels.
struct TextureRaster {
    const TextureEncoding* encoding;
    uint32_t width;
    uint32_t height;
    uint8_t levels;
};

TextureRaster RasterOf(const LoadedTexture& t, const TextureOutput& output) {
    uint32_t width = static_cast<uint32_t>(t.image.width);
    uint32_t height = static_cast<uint32_t>(t.image.height);
    return TextureRaster{&ChooseTextureEncoding(output.compress, t.hasAlpha), width, height,
                         output.mipmaps ? MipLevelCount(width, height) : uint8_t{1}};
}

// Bytes one Texture Native adds: its header, the Struct's header and body,
// the empty Extension.
uint64_t TextureNativeBytes(const TextureRaster& raster) {
    uint64_t levels =
        TextureLevelsBytes(*raster.encoding, raster.width, raster.height, raster.levels);
    return 3 * kChunkHeaderSize + kTextureNativeStructSize + levels;
}

// Whether the entry and the dictionary's closing Extension still fit the file.
bool FitsStream(const ByteStream& s, const TextureRaster& raster) {
    uint64_t end = static_cast<uint64_t>(s.Tell()) + TextureNativeBytes(raster) + kChunkHeaderSize;
    return end <= kMaxStreamSize;
}

bool WriteTextureNative(ByteStream& s, const TextureEntry& entry, const LoadedTexture& t,
                        const TextureRaster& raster, TextureLevelWriter& levels,
                        PixelSource& pixels) {
    char name[kMaterialTextSize];
    TextureNameOf(entry.texture, name, sizeof name);
    TextureNativeStruct r =
        MakeTextureNativeStruct(name, static_cast<uint16_t>(raster.width),
                                static_cast<uint16_t>(raster.height), t.hasAlpha);
    const TextureEncoding& e = *raster.encoding;
    SetTextureRaster(r, e.rasterFormat, e.d3dFormat, e.depth, e.flags, raster.levels,
                     static_cast<uint32_t>(TextureLevelBytes(e, raster.width, raster.height)));
    SectionStack stack;
    bool ok = BeginTextureNative(s, stack, r);
    levels.WriteLevels(s, pixels);
    return EndTextureNative(s, stack) && ok;
}

// Loads, checks and writes one entry; false when it was left out (after a
// notice saying why).
bool WriteEntry(ByteStream& s, HostDocument doc, const TextureEntry& entry,
                const TextureOutput& output, ExportNotices& notices, bool* ok) {
    LoadedTexture t;
    if (!LoadTexture(doc, entry, &t)) {
        notices.Notice(TextureCannotLoadResult(entry.texture));
        return false;
    }
    TextureRaster raster = RasterOf(t, output);
    if (!FitsStream(s, raster)) {
        notices.Notice(TextureCannotLoadResult(entry.texture));
        return false;
    }
    PixelSource pixels;
    TextureLevelWriter levels;
    if (!PreparePixelSource(&pixels, &t.image, t.alphaMapInUse ? &t.alphaMap : nullptr) ||
        !levels.Prepare(*raster.encoding, raster.width, raster.height, raster.levels)) {
        notices.Notice(ExportFailure(ExportProblem::kOutOfMemory));
        return false;
    }
    *ok = WriteTextureNative(s, entry, t, raster, levels, pixels) && *ok;
    return true;
}

} // namespace

bool WriteTextureDictionary(ByteStream& s, HostDocument doc, const TextureList& list,
                            ExportNotices& notices, const TextureOutput& output) {
    SectionStack stack;
    uint32_t structOffset = 0;
    uint16_t listed = static_cast<uint16_t>(list.count);
    bool ok = BeginTextureDictionary(s, stack, TextureDictionaryStruct{listed, kTextureDeviceD3D9},
                                     &structOffset);
    uint16_t written = 0;
    for (uint32_t i = 0; i < list.count; ++i)
        if (WriteEntry(s, doc, list.entries[i], output, notices, &ok))
            ++written;
    ok = EndTextureDictionary(s, stack, structOffset, listed, written) && ok;
    return ok;
}
