// Times reading a dictionary of 16 DXT1 textures of 1024 x 1024, decoding
// each to RGBA and writing each as a PNG file (into a temporary folder), the
// way the import's texture step does.
//
//   txd_decode_bench [--runs N]
//
// Each run reads the dictionary from memory; the figures are the read and
// decode time of all 16 textures and the PNG write time of all 16.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "Plugins/Import/PngFile.h"
#include "format/RasterDecode.h"
#include "format/TextureDictionaryReader.h"
#include "format/SectionWriter.h"

namespace {

constexpr int kTextureCount = 16;
constexpr uint32_t kSide = 1024;

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// DXT1 blocks of a picture with smooth colour changes across the texture and
// detail inside each block, as painted textures have.
std::vector<uint8_t> MakeDxt1Level(int texture) {
    std::vector<uint8_t> level;
    uint32_t seed = 12345u + static_cast<uint32_t>(texture);
    for (uint32_t by = 0; by < kSide / 4; ++by)
        for (uint32_t bx = 0; bx < kSide / 4; ++bx) {
            const uint32_t r = (bx / 8 + static_cast<uint32_t>(texture)) & 31;
            const uint32_t g = (by / 4) & 63;
            const uint16_t c0 = static_cast<uint16_t>(r << 11 | g << 5 | 20);
            const uint16_t c1 = static_cast<uint16_t>((31 - r) << 11 | (63 - g) << 5 | 4);
            seed = seed * 1103515245u + 12345u;
            level.push_back(static_cast<uint8_t>(c0));
            level.push_back(static_cast<uint8_t>(c0 >> 8));
            level.push_back(static_cast<uint8_t>(c1));
            level.push_back(static_cast<uint8_t>(c1 >> 8));
            Put32(level, (seed >> 8) & 0x0F0F0F0Fu);
        }
    return level;
}

std::vector<uint8_t> MakeDictionary() {
    MemoryStream s;
    SectionStack stack;
    BeginSection(s, stack, kSectionTextureDictionary);
    BeginSection(s, stack, kSectionStruct);
    WriteTextureDictionaryStruct(s, TextureDictionaryStruct{kTextureCount, kTextureDeviceD3D9});
    EndSection(s, stack);
    for (int i = 0; i < kTextureCount; ++i) {
        char name[32];
        snprintf(name, sizeof name, "texture%02d", i);
        TextureNativeStruct r = MakeTextureNativeStruct(name, kSide, kSide, false);
        r.rasterFormat = kRasterFormat565;
        r.d3dFormat = kD3DFormatDxt1;
        r.depth = 16;
        r.nativeFlags = kNativeFlagCompressed;
        std::vector<uint8_t> level = MakeDxt1Level(i);
        r.dataSize = static_cast<uint32_t>(level.size());
        BeginSection(s, stack, kSectionTextureNative);
        BeginSection(s, stack, kSectionStruct);
        WriteTextureNativeStruct(s, r);
        s.Write(level.data(), static_cast<uint32_t>(level.size()));
        EndSection(s, stack);
        WriteEmptyExtension(s);
        EndSection(s, stack);
    }
    WriteEmptyExtension(s);
    EndSection(s, stack);
    return s.Data();
}

double Seconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    if (argc == 3 && strcmp(argv[1], "--runs") == 0)
        runs = atoi(argv[2]);
    if (runs < 1 || (argc != 1 && argc != 3)) {
        fprintf(stderr, "usage: txd_decode_bench [--runs N]\n");
        return 64;
    }
    const std::vector<uint8_t> file = MakeDictionary();
    char folder[] = "/tmp/skelvane-txd-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return 1;
    printf("dictionary: %d DXT1 textures of %ux%u, %zu bytes\n", kTextureCount, kSide, kSide,
           file.size());
    std::vector<double> decodeTimes, writeTimes;
    size_t pngBytes = 0;
    bool ok = true;
    for (int run = 0; run < runs && ok; ++run) {
        MemoryStream stream(file.data(), file.size());
        TextureDictionaryReader reader;
        TextureReadProblem problem;
        ok = OpenTextureDictionary(reader, stream, &problem);
        HeapArray<uint8_t> body;
        std::vector<std::vector<uint8_t>> pixels;
        auto start = std::chrono::steady_clock::now();
        TextureNative t;
        while (ok && ReadNextTexture(reader, body, &t, &problem) == TextureReadResult::kTexture) {
            pixels.emplace_back(static_cast<size_t>(t.width) * t.height * 4);
            ok = DecodeRaster(TextureLevelView(t, body.Data(), 0), pixels.back().data());
        }
        auto decoded = std::chrono::steady_clock::now();
        for (size_t i = 0; i < pixels.size() && ok; ++i) {
            std::string path = std::string(folder) + "/t" + std::to_string(i) + ".png";
            ok = WritePngFile(path.c_str(), pixels[i].data(), kSide, kSide);
        }
        auto written = std::chrono::steady_clock::now();
        ok = ok && pixels.size() == kTextureCount;
        decodeTimes.push_back(Seconds(start, decoded));
        writeTimes.push_back(Seconds(decoded, written));
        pngBytes = 0;
        for (size_t i = 0; i < pixels.size(); ++i) {
            std::string path = std::string(folder) + "/t" + std::to_string(i) + ".png";
            FILE* f = fopen(path.c_str(), "rb");
            if (f != nullptr) {
                fseek(f, 0, SEEK_END);
                pngBytes += static_cast<size_t>(ftell(f));
                fclose(f);
            }
            unlink(path.c_str());
        }
    }
    rmdir(folder);
    if (!ok) {
        fprintf(stderr, "txd_decode_bench: the dictionary did not read, decode and write whole\n");
        return 1;
    }
    printf("runs: %d\n", runs);
    printf("read + decode of 16 textures: median %.1f ms, best %.1f ms\n",
           Median(decodeTimes) * 1000,
           *std::min_element(decodeTimes.begin(), decodeTimes.end()) * 1000);
    printf("PNG write of 16 textures:     median %.1f ms, best %.1f ms (%zu bytes of PNG)\n",
           Median(writeTimes) * 1000,
           *std::min_element(writeTimes.begin(), writeTimes.end()) * 1000, pngBytes);
    return 0;
}
