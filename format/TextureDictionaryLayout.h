// Records of the Texture Dictionary and its Texture Natives: Direct3D 9
// textures, uncompressed 32 bits per pixel or DXT-compressed, with one mip
// level or a full chain.
#pragma once

#include <stdint.h>

#include "format/SectionReader.h"
#include "format/SectionWriter.h"

struct TextureDictionaryStruct {
    uint16_t textureCount;
    uint16_t deviceId;
};
constexpr uint32_t kTextureDictionaryStructSize = 4;
static_assert(sizeof(TextureDictionaryStruct) == kTextureDictionaryStructSize,
              "TextureDictionaryStruct mirrors its bytes");
constexpr uint16_t kTextureDeviceD3D9 = 2;
// textureCount is the first field of the Struct body.
constexpr uint32_t kTextureCountOffset = 0;
constexpr uint32_t kMaxTextureCount = 0xFFFF;

// Name fields hold a text and its terminator in 32 bytes.
constexpr uint32_t kTextureNameFieldSize = 32;
constexpr uint32_t kMaxTextureNameLength = kTextureNameFieldSize - 1;

struct TextureNativeStruct {
    uint32_t platformId;
    uint8_t filterMode;
    uint8_t addressing; // U in the low 4 bits, V in the high 4 bits
    uint16_t nativePadding;
    char name[kTextureNameFieldSize];
    char maskName[kTextureNameFieldSize];
    uint32_t rasterFormat;
    uint32_t d3dFormat;
    uint16_t width;
    uint16_t height;
    uint8_t depth;
    uint8_t mipLevelCount;
    uint8_t rasterType;
    uint8_t nativeFlags;
    uint32_t dataSize; // the first level's bytes, which follow
};
constexpr uint32_t kTextureNativeStructSize = 92;
static_assert(sizeof(TextureNativeStruct) == kTextureNativeStructSize,
              "TextureNativeStruct mirrors its bytes");

constexpr uint32_t kTexturePlatformD3D9 = 9;
constexpr uint8_t kTextureFilterNearest = 1;
constexpr uint8_t kTextureAddressWrapBoth = 0x11;
constexpr uint32_t kRasterFormat8888 = 0x00000500;
constexpr uint32_t kRasterFormat888 = 0x00000600;
constexpr uint32_t kD3DFormatA8R8G8B8 = 21;
constexpr uint32_t kD3DFormatX8R8G8B8 = 22;
constexpr uint8_t kTextureDepth = 32;
constexpr uint8_t kTextureMipLevels = 1;
constexpr uint8_t kRasterTypeTexture = 4;
constexpr uint8_t kNativeFlagHasAlpha = 0x01;
constexpr uint32_t kTexturePixelSize = 4; // blue, green, red, alpha

// The 16-bit image sizes the record holds.
constexpr int32_t kMaxTextureSide = 0xFFFF;

// A complete record for an image of the given size: the fixed values, the
// formats and flags that follow from hasAlpha, and the names (see
// SetTextureNames).
TextureNativeStruct MakeTextureNativeStruct(const char* name, uint16_t width, uint16_t height,
                                            bool hasAlpha);
// Sets the raster fields for an encoded raster of levels mip levels whose
// first level takes firstLevelBytes: rasterFormat (with the mipmap bit when
// levels > 1), d3dFormat, depth, mipLevelCount, the encoding's flags added to
// the alpha flag, and dataSize.
void SetTextureRaster(TextureNativeStruct& r, uint32_t rasterFormat, uint32_t d3dFormat,
                      uint8_t depth, uint8_t flags, uint8_t levels, uint32_t firstLevelBytes);
// name: the text cut to 31 characters. maskName: with alpha, the text cut to
// 30 characters followed by "a" (so it always differs from name), else empty.
// Both fields are zero-filled after the terminator.
void SetTextureNames(TextureNativeStruct& r, const char* name, bool hasAlpha);

void WriteTextureDictionaryStruct(ByteStream& s, const TextureDictionaryStruct& r);
// The 92 bytes of the record; the pixel data follows separately.
void WriteTextureNativeStruct(ByteStream& s, const TextureNativeStruct& r);

// The raster after the Texture Native Struct, written as it is made (a level
// of a 2048 x 2048 texture is 16 MiB): each level after the first begins with
// its size, then come its bytes, a band of rows at a time.
bool WriteRasterLevelSize(ByteStream& s, uint32_t size);
bool WriteRasterBytes(ByteStream& s, const uint8_t* bytes, uint32_t size);
// Rewrites the texture count of the dictionary Struct whose body starts at
// structOffset (when textures were left out), then returns to the end.
bool PatchTextureCount(ByteStream& s, uint32_t structOffset, uint16_t count);

// The nesting of a dictionary: Begin opens the Texture Dictionary and writes
// its Struct (its body's offset in *structOffset, for the count); End writes
// the closing Extension and patches the count when fewer textures than
// announced were written.
bool BeginTextureDictionary(ByteStream& s, SectionStack& stack, const TextureDictionaryStruct& r,
                            uint32_t* structOffset);
bool EndTextureDictionary(ByteStream& s, SectionStack& stack, uint32_t structOffset,
                          uint16_t announced, uint16_t written);
// A Texture Native: Begin opens it and its Struct and writes the record, whose
// raster the caller then writes; End closes the Struct and adds the Extension.
bool BeginTextureNative(ByteStream& s, SectionStack& stack, const TextureNativeStruct& r);
bool EndTextureNative(ByteStream& s, SectionStack& stack);

// ---- Reading: Direct3D 8 and Direct3D 9 texture natives of any raster format.

constexpr uint32_t kTexturePlatformD3D8 = 8;
constexpr uint32_t kTexturePlatformXbox = 5;
// The PS2's id is the text "PS2" as a little-endian uint32.
constexpr uint32_t kTexturePlatformPS2 = 0x00325350;
constexpr uint32_t kTexturePlatformGameCube = 6;

// rasterFormat: the pixel format in bits 8..11, then the extension bits
// (kRasterFormatMipmap when the raster holds more than one level). A
// compressed raster names the pixel format its blocks stand for (565 for DXT1
// without alpha, 4444 for DXT3); d3dFormat holds the FourCC.
constexpr uint32_t kRasterPixelFormatMask = 0x00000F00;
constexpr uint32_t kRasterFormat1555 = 0x00000100;
constexpr uint32_t kRasterFormat565 = 0x00000200;
constexpr uint32_t kRasterFormat4444 = 0x00000300;
constexpr uint32_t kRasterFormatLum8 = 0x00000400;
constexpr uint32_t kRasterFormat555 = 0x00000A00;
constexpr uint32_t kRasterFormatPal8 = 0x00002000;
constexpr uint32_t kRasterFormatPal4 = 0x00004000;
constexpr uint32_t kRasterFormatMipmap = 0x00008000;

// Direct3D 9 d3dFormat values that carry compression: the FourCC "DXTn".
constexpr uint32_t kD3DFormatDxt1 = 0x31545844;
constexpr uint32_t kD3DFormatDxt2 = 0x32545844;
constexpr uint32_t kD3DFormatDxt3 = 0x33545844;
constexpr uint32_t kD3DFormatDxt4 = 0x34545844;
constexpr uint32_t kD3DFormatDxt5 = 0x35545844;
constexpr uint32_t kD3DFormatR8G8B8 = 20;
// Direct3D 9 nativeFlags bits beyond kNativeFlagHasAlpha.
constexpr uint8_t kNativeFlagCompressed = 0x08;

// The header before the palette and the levels (the writer's record without
// its dataSize, which is the first level's size).
constexpr uint32_t kTextureNativeHeaderSize = 88;
// Every level after the first: its size as uint32, then its bytes (the
// first level's size is the record's dataSize).
constexpr uint32_t kTextureLevelSizeField = 4;
// Palettes are RGBA entries; a PAL4 palette is stored with 32 of them.
constexpr uint32_t kPaletteEntrySize = 4;
constexpr uint32_t kPal8PaletteEntries = 256;
constexpr uint32_t kPal4PaletteEntries = 32;
// 65535 pixels halve to 1 in 16 levels.
constexpr int kMaxMipLevels = 16;

// How the pixels of a level are stored.
enum class RasterEncoding : uint8_t {
    kDxt1,     // 8-byte blocks of 4 x 4 pixels
    kDxt3,     // 16-byte blocks: explicit 4-bit alpha, then a DXT1 colour block (also DXT2)
    kDxt5,     // 16-byte blocks: interpolated alpha, then a DXT1 colour block (also DXT4)
    kB8G8R8A8, // 8888
    kB8G8R8X8, // 888 in 32 bits
    kB8G8R8,   // 888 in 24 bits
    kA1R5G5B5, // 1555, 16-bit little-endian
    kR5G6B5,   // 565
    kA4R4G4B4, // 4444
    kX1R5G5B5, // 555
    kL8,       // LUM8
    kPal8,     // one palette index per byte
    kPal4,     // one palette index per byte, below 32
};

// Short name of an encoding ("DXT1", "8888", "PAL8" ...).
const char* RasterEncodingName(RasterEncoding encoding);

// A Texture Native as read. The offsets point into the Struct body it was read
// from (palette and level data); every one lies inside that body.
struct TextureNative {
    uint32_t platformId = 0;
    uint8_t filterMode = 0;
    uint8_t addressing = 0;
    char name[kTextureNameFieldSize] = {};     // always terminated
    char maskName[kTextureNameFieldSize] = {}; // always terminated
    uint32_t rasterFormat = 0;
    // Direct3D 9: the D3DFORMAT or FourCC; Direct3D 8: the hasAlpha field.
    uint32_t d3dFormat = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t depth = 0;
    uint8_t mipLevelCount = 0;
    uint8_t rasterType = 0;
    // Direct3D 9: flags (bit 0 alpha, bit 3 compressed); Direct3D 8: the DXT number or 0.
    uint8_t nativeFlags = 0;
    // Resolved from the fields above.
    bool hasAlpha = false;
    RasterEncoding encoding = RasterEncoding::kB8G8R8A8;
    uint32_t paletteOffset = 0;
    uint32_t paletteEntries = 0;
    uint32_t levelOffset[kMaxMipLevels] = {};
    uint32_t levelSize[kMaxMipLevels] = {};
};

// Bytes a level of the given size needs in an encoding (blocks rounded up).
uint64_t RasterLevelBytes(RasterEncoding encoding, uint32_t width, uint32_t height);
// Side of mip level `level` of a side (halved per level, at least 1).
uint32_t MipSide(uint32_t side, int level);

// Why a texture or a dictionary cannot be read: a code and its numbers. The
// readers fill it in; the plug-ins' drivers and the command word it.
enum class TextureReadCode : uint8_t {
    kNone,
    kStream,             // the section stream is damaged: stream, offset, sectionType
    kNoDictionary,       // no Texture Dictionary section
    kNoDictionaryStruct, // the Texture Dictionary has no Struct
    kTextureMissing,     // Texture Native index (0-based) of count is missing
    kNoStruct,           // Texture Native index has no Struct
    kStructTooShort,     // the Struct body holds value bytes
    kPlatform,           // value: the platform id, not read
    kRasterFormat,       // value: rasterFormat; detail: d3dFormat (Direct3D 9) or DXT number
    kNoPixels,           // width or height is 0
    kLevelCount,         // value: mip levels, 0 or more than kMaxMipLevels
    kPalettePastEnd,     // the palette runs past the Struct body
    kLevelPastEnd,       // level's size field runs past the Struct body
    kLevelSizePastEnd,   // level's value bytes run past the Struct body
    kLevelTooShort, // level holds value bytes, too few for its pixels (width, height, encoding)
};

struct TextureReadProblem {
    TextureReadCode code = TextureReadCode::kNone;
    StreamProblem stream = StreamProblem::kNone;
    // Where: the damaged section (kStream), else the Texture Native's header
    // when known (0 otherwise).
    uint32_t offset = 0;
    uint32_t sectionType = 0;
    uint32_t index = 0; // the texture's position in the dictionary, from 0
    uint32_t count = 0; // the textures the dictionary counts
    uint32_t platformId = 0;
    uint32_t value = 0;
    uint32_t detail = 0;
    uint32_t level = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    RasterEncoding encoding = RasterEncoding::kB8G8R8A8;
    char name[kTextureNameFieldSize] = {}; // the texture's, when its header was read
};

// The platform's name for the ids of other platforms ("PS2", "Xbox",
// "GameCube"), or null.
const char* TexturePlatformName(uint32_t platformId);

// Reads a Texture Native's Struct body: header, palette and every mip level's
// size checked against the body. False with its code in problem when the body
// is damaged or of a platform or raster format that is not read (the
// platform, and the name when the header was whole, are set then).
bool ParseTextureNative(const uint8_t* body, uint32_t size, TextureNative* out,
                        TextureReadProblem* problem);
// A texture whose header says 0 mip levels while its Struct body still holds
// one level after the header (and palette): read as ParseTextureNative reads
// a texture of that one level (out's mipLevelCount is 1). False when the
// header says other than 0 levels or the body is not such a texture.
bool ParseLevellessTextureNative(const uint8_t* body, uint32_t size, TextureNative* out);
// The header's fields of a Texture Native's Struct body as they stand, judged
// by nothing: for telling what a texture that ParseTextureNative refuses is.
// False when the body is shorter than the header (the platform is still set
// when the body holds it).
bool ParseTextureNativeHeader(const uint8_t* body, uint32_t size, TextureNative* out);
// The DXT number (1 to 5) of a texture's header fields, 0 when it is not
// block-compressed.
int TextureDxtNumber(const TextureNative& t);
// Reads the dictionary's Struct body.
bool ParseTextureDictionaryStruct(const uint8_t* body, uint32_t size, TextureDictionaryStruct* out);
