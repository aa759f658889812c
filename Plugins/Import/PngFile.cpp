#include "Plugins/Import/PngFile.h"

#include <string.h>

#include "format/ByteStream.h"
#include "format/PendingFile.h"
#include "format/RasterDecode.h"
#include "frame/HeapArray.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace {

struct PngSink {
    ByteStream* file;
    bool ok;
};

void WriteToFile(void* context, void* data, int size) {
    PngSink* sink = static_cast<PngSink*>(context);
    if (size < 0 || !sink->file->Write(data, static_cast<uint32_t>(size)))
        sink->ok = false;
}

// The image as stb encodes it: the RGBA pixels, or their RGB part copied into rgb.
bool EncodePng(ByteStream& file, const uint8_t* rgba, uint32_t width, uint32_t height) {
    if (width > INT32_MAX / 4 || height > INT32_MAX)
        return false;
    PngSink sink = {&file, true};
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    if (HasTranslucentPixel(rgba, width, height))
        return stbi_write_png_to_func(WriteToFile, &sink, w, h, 4, rgba, w * 4) != 0 && sink.ok;
    HeapArray<uint8_t> rgb;
    const size_t count = static_cast<size_t>(width) * height;
    if (!rgb.Allocate(count * 3))
        return false;
    for (size_t i = 0; i < count; ++i)
        memcpy(rgb.Data() + 3 * i, rgba + 4 * i, 3);
    return stbi_write_png_to_func(WriteToFile, &sink, w, h, 3, rgb.Data(), w * 3) != 0 && sink.ok;
}

} // namespace

bool WritePngFile(const char* path, const uint8_t* rgba, uint32_t width, uint32_t height) {
    PendingFile file;
    if (!file.Create(path))
        return false;
    if (!EncodePng(file.Stream(), rgba, width, height) || !file.Finish()) {
        file.Discard();
        return false;
    }
    return file.Commit();
}
