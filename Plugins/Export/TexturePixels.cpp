#include "Plugins/Export/TexturePixels.h"

namespace {

constexpr uint8_t kOpaque = 255;

// The rows never overlap (__restrict), so the compiler may convert several
// pixels per step.
void ConvertOpaqueRow(const uint8_t* __restrict in, uint8_t* __restrict out, int32_t width) {
    for (int32_t x = 0; x < width; ++x, in += 3, out += 4) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = kOpaque;
    }
}

void ConvertMappedRow(const uint8_t* __restrict in, const uint8_t* __restrict alphaRow,
                      const uint32_t* __restrict alphaColumns, uint8_t* __restrict out,
                      int32_t width) {
    for (int32_t x = 0; x < width; ++x, in += 3, out += 4) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = AlphaOfPixel(alphaRow + alphaColumns[x]);
    }
}

} // namespace

int32_t AlphaMapRow(int32_t y, int32_t imageHeight, int32_t mapHeight) {
    return static_cast<int32_t>(static_cast<int64_t>(y) * mapHeight / imageHeight);
}

int32_t AlphaMapColumn(int32_t x, int32_t imageWidth, int32_t mapWidth) {
    return static_cast<int32_t>(static_cast<int64_t>(x) * mapWidth / imageWidth);
}

bool PreparePixelSource(PixelSource* source, const TextureImage* image,
                        const TextureImage* alphaMap) {
    source->image = image;
    source->alphaMap = image->bytesPerPixel == 3 ? alphaMap : nullptr;
    size_t width = static_cast<size_t>(image->width);
    if (!source->row.Allocate(width * 4))
        return false;
    if (source->alphaMap == nullptr)
        return true;
    if (!source->alphaColumns.Allocate(width))
        return false;
    for (int32_t x = 0; x < image->width; ++x)
        source->alphaColumns[static_cast<size_t>(x)] =
            static_cast<uint32_t>(AlphaMapColumn(x, image->width, alphaMap->width)) *
            alphaMap->bytesPerPixel;
    return true;
}

const uint8_t* ConvertPixelRow(PixelSource& source, int32_t y) {
    const TextureImage& image = *source.image;
    const uint8_t* in = TextureImageRow(image, y);
    if (image.bytesPerPixel == 4)
        return in;
    uint8_t* out = source.row.Data();
    if (source.alphaMap == nullptr) {
        ConvertOpaqueRow(in, out, image.width);
    } else {
        const TextureImage& map = *source.alphaMap;
        const uint8_t* alphaRow = TextureImageRow(map, AlphaMapRow(y, image.height, map.height));
        ConvertMappedRow(in, alphaRow, source.alphaColumns.Data(), out, image.width);
    }
    return out;
}
