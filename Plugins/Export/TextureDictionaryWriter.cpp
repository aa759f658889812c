#include "Plugins/Export/TextureDictionaryWriter.h"

#include <string.h>

#include "Plugins/Export/TextureImage.h"
#include "Plugins/Export/TextureLevels.h"
#include "Plugins/Export/TextureName.h"
#include "Plugins/Export/TexturePixels.h"
#include "check/TextureNames.h"
#include "check/TextureRules.h"
#include "format/TextureDictionaryLayout.h"

namespace {

static_assert(kMaterialTextSize <= kTextureLeftOutNameSize, "a texture name fits its record");

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

TextureRaster RasterOf(const LoadedTexture& t, bool compress, const TextureOutput& output) {
    uint32_t width = static_cast<uint32_t>(t.image.width);
    uint32_t height = static_cast<uint32_t>(t.image.height);
    return TextureRaster{&ChooseTextureEncoding(compress, t.hasAlpha), width, height,
                         output.mipmaps ? MipLevelCount(width, height) : uint8_t{1}};
}

// The record a texture of this name and raster is written with.
TextureNativeStruct RecordOf(const char* name, const LoadedTexture& t,
                             const TextureRaster& raster) {
    TextureNativeStruct r =
        MakeTextureNativeStruct(name, static_cast<uint16_t>(raster.width),
                                static_cast<uint16_t>(raster.height), t.hasAlpha);
    if (t.hasAlpha) {
        memset(r.maskName, 0, sizeof r.maskName);
        MaskNameOf(name, r.maskName, sizeof r.maskName);
    }
    const TextureEncoding& e = *raster.encoding;
    SetTextureRaster(r, e.rasterFormat, e.d3dFormat, e.depth, e.flags, raster.levels,
                     static_cast<uint32_t>(TextureLevelBytes(e, raster.width, raster.height)));
    return r;
}

bool BreaksRule(const TextureNativeStruct& r, Rule rule) {
    FindingList found;
    CheckTexture(TextureHeaderOf(r), 0, found);
    for (const Finding& f : found.items)
        if (f.rule == rule)
            return true;
    return false;
}

// Bytes one Texture Native adds: its header, the Struct's header and body,
// the empty Extension.
uint64_t TextureNativeBytes(const TextureRaster& raster) {
    uint64_t levels =
        TextureLevelsBytes(*raster.encoding, raster.width, raster.height, raster.levels);
    return 3 * kSectionHeaderSize + kTextureNativeStructSize + levels;
}

// Whether the entry and the dictionary's closing Extension still fit the file.
bool FitsStream(const ByteStream& s, const TextureRaster& raster) {
    uint64_t end = static_cast<uint64_t>(s.Tell()) + TextureNativeBytes(raster) + kSectionHeaderSize;
    return end <= kMaxStreamSize;
}

bool WriteTextureNative(ByteStream& s, const TextureNativeStruct& r, TextureLevelWriter& levels,
                        PixelSource& pixels) {
    SectionStack stack;
    bool ok = BeginTextureNative(s, stack, r);
    levels.WriteLevels(s, pixels);
    return EndTextureNative(s, stack) && ok;
}

// Where the dictionary's entries are written and what is noted of them.
struct DictionaryPass {
    HostDocument doc;
    const TextureOutput* output;
    TexturesLeftOut* leftOut;
    ExportNotes* notes; // may be null
    TextureNames names; // of the textures written
    uint16_t written = 0;
    bool ok = true;
};

// Loads, checks and writes one entry; false when it was left out (recorded
// with the reason).
bool WriteEntry(ByteStream& s, const TextureEntry& entry, DictionaryPass& pass) {
    LoadedTexture t;
    if (!LoadTexture(pass.doc, entry, &t)) {
        AddTextureLeftOut(*pass.leftOut, entry.texture, TextureLeftOutReason::kCannotLoad);
        return false;
    }
    const int32_t index = pass.written;
    char name[kTextureNameFieldSize];
    TextureNameOf(entry.texture, name, sizeof name);
    TextureRaster raster = RasterOf(t, pass.output->compress, *pass.output);
    TextureNativeStruct r = RecordOf(name, t, raster);
    // The game refuses blocks that do not cover the sides exactly.
    if (BreaksRule(r, Rule::kTextureBlockSize)) {
        raster = RasterOf(t, false, *pass.output);
        r = RecordOf(name, t, raster);
        if (pass.notes != nullptr) {
            Finding& f = pass.notes->mended.Add(Rule::kTextureBlockSize);
            f.texture = index;
            f.value = raster.width;
            f.limit = raster.height;
            SetFindingText(f.name, name);
        }
    }
    if (!FitsStream(s, raster)) {
        AddTextureLeftOut(*pass.leftOut, entry.texture, TextureLeftOutReason::kPastFileLimit);
        return false;
    }
    PixelSource pixels;
    TextureLevelWriter levels;
    if (!PreparePixelSource(&pixels, &t.image, t.alphaMapInUse ? &t.alphaMap : nullptr) ||
        !levels.Prepare(*raster.encoding, raster.width, raster.height, raster.levels)) {
        AddTextureLeftOut(*pass.leftOut, entry.texture, TextureLeftOutReason::kOutOfMemory);
        return false;
    }
    pass.ok = WriteTextureNative(s, r, levels, pixels) && pass.ok;
    if (pass.notes != nullptr) {
        CheckTexture(TextureHeaderOf(r), index, pass.notes->found);
        AddTextureName(pass.names, name, index);
    }
    return true;
}

} // namespace

bool WriteTextureDictionary(ByteStream& s, HostDocument doc, const TextureList& list,
                            TexturesLeftOut& leftOut, const TextureOutput& output,
                            ExportNotes* notes) {
    SectionStack stack;
    uint32_t structOffset = 0;
    uint16_t listed = static_cast<uint16_t>(list.count);
    DictionaryPass pass{doc, &output, &leftOut, notes, TextureNames(), 0, true};
    pass.ok = BeginTextureDictionary(s, stack, TextureDictionaryStruct{listed, kTextureDeviceD3D9},
                                     &structOffset);
    for (uint32_t i = 0; i < list.count; ++i)
        if (WriteEntry(s, list.entries[i], pass))
            ++pass.written;
    bool ok = EndTextureDictionary(s, stack, structOffset, listed, pass.written) && pass.ok;
    if (notes != nullptr) {
        SortTextureNames(pass.names);
        CheckDuplicateNames(pass.names, notes->found);
    }
    return ok;
}
