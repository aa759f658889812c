#include "Plugins/Export/TextureImage.h"

#include "format/ByteStream.h"
#include "format/TextureDictionaryLayout.h"
#include "platform/Platform.h"

namespace {

// Channels at the places BI_RGB puts them: a layout the pixel reader knows.
bool KnownLayout(const uint8_t* h, uint16_t bitCount) {
    if (LoadU32(h + kBitmapHeaderSizeOffset) < kBitmapInfoHeaderSize)
        return false;
    uint32_t compression = LoadU32(h + kBitmapCompressionOffset);
    if (compression == kBitmapRgb)
        return true;
    return compression == kBitmapBitFields && bitCount == 32 &&
           LoadU32(h + kBitmapMasksOffset) == 0x00FF0000u &&
           LoadU32(h + kBitmapMasksOffset + 4) == 0x0000FF00u &&
           LoadU32(h + kBitmapMasksOffset + 8) == 0x000000FFu;
}

} // namespace

uint64_t BitmapRowStride(uint32_t width, uint32_t bitCount) {
    uint64_t bytes = (static_cast<uint64_t>(width) * bitCount + 7) / 8;
    return (bytes + 3) & ~static_cast<uint64_t>(3);
}

bool AdoptTextureImage(void* header, void* pixels, TextureImage* image) {
    *image = TextureImage();
    image->header = header;
    image->pixels = pixels;
    if (header == nullptr || pixels == nullptr) {
        ReleaseTextureImage(image);
        return false;
    }
    const uint8_t* h = static_cast<const uint8_t*>(header);
    int32_t width = static_cast<int32_t>(LoadU32(h + kBitmapWidthOffset));
    int64_t height = static_cast<int32_t>(LoadU32(h + kBitmapHeightOffset));
    uint16_t bitCount = LoadU16(h + kBitmapBitCountOffset);
    uint32_t imageSize = LoadU32(h + kBitmapImageSizeOffset);
    bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || width > kMaxTextureSide || height == 0 || height > kMaxTextureSide ||
        (bitCount != 24 && bitCount != 32) || !KnownLayout(h, bitCount)) {
        ReleaseTextureImage(image);
        return false;
    }
    uint64_t stride = BitmapRowStride(static_cast<uint32_t>(width), bitCount);
    uint64_t rows = stride * static_cast<uint64_t>(height);
    if (rows > SIZE_MAX || (imageSize != 0 && imageSize < rows)) {
        ReleaseTextureImage(image);
        return false;
    }
    image->width = width;
    image->height = static_cast<int32_t>(height);
    image->bytesPerPixel = bitCount / 8u;
    image->stride = static_cast<size_t>(stride);
    image->topDown = topDown;
    return true;
}

bool LoadTextureImage(HostDocument doc, const char* name, TextureImage* image) {
    *image = TextureImage();
    char path[kTexturePathSize];
    path[0] = '\0';
    g_host.MQDoc_FindMappingFile(doc, path, name, kMappingKindTexture);
    path[sizeof path - 1] = '\0';
    void* header = nullptr;
    void* pixels = nullptr;
    if (!g_host.MQ_LoadImage(path, &header, &pixels, 0)) {
        // Whatever the host handed over anyway is ours to release.
        image->header = header;
        image->pixels = pixels;
        ReleaseTextureImage(image);
        return false;
    }
    return AdoptTextureImage(header, pixels, image);
}

void ReleaseTextureImage(TextureImage* image) {
    if (image->header != nullptr)
        PlatformLocalFree(image->header);
    if (image->pixels != nullptr)
        PlatformLocalFree(image->pixels);
    image->header = nullptr;
    image->pixels = nullptr;
}

const uint8_t* TextureImageRow(const TextureImage& image, int32_t y) {
    size_t row = static_cast<size_t>(image.topDown ? y : image.height - 1 - y);
    return static_cast<const uint8_t*>(image.pixels) + row * image.stride;
}
