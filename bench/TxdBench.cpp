// Times the texture dictionary export of four 2048 x 2048 textures (two of
// 24 bits with alpha maps of 24 bits, two of 32 bits) into a temporary file,
// against copying the same number of bytes into memory and writing them, and
// the same export compressed (DXT3, as every texture has alpha) with full
// mip chains.
//
//   txd_bench [--runs N]
//
// The image loader hands out images prepared before the clock starts, so the
// figures show the export alone. A dictionary that is not the size expected
// ends the program with status 1.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "Plugins/Export/TextureDictionaryExport.h"
#include "Plugins/Export/TextureLevels.h"
#include "hostsim/HostSim.h"
#include "platform/Platform.h"

namespace {

constexpr int32_t kSide = 2048;
constexpr int kTextureCount = 4;

struct PreparedImage {
    std::string name;
    void* header;
    void* pixels;
};

std::vector<PreparedImage> g_prepared;

HostBool MQAPI BenchFindMappingFile(HostDocument, char* outPath, const char* name, uint32_t) {
    snprintf(outPath, 260, "%s", name);
    return 1;
}

// Hands out a prepared image once; the export releases it.
HostBool MQAPI BenchLoadImage(const char* path, void** header, void** pixels, uint32_t) {
    for (PreparedImage& p : g_prepared)
        if (p.name == path && p.header != nullptr) {
            *header = p.header;
            *pixels = p.pixels;
            p.header = p.pixels = nullptr;
            return 1;
        }
    return 0;
}

size_t PixelBytes(uint16_t bitCount) {
    return static_cast<size_t>(kSide) * kSide * (bitCount / 8u);
}

void Prepare(const char* name, uint16_t bitCount, uint8_t seed) {
    uint8_t* header = static_cast<uint8_t*>(PlatformLocalAlloc(40));
    memset(header, 0, 40);
    header[0] = 40;
    memcpy(header + 4, &kSide, 4);
    memcpy(header + 8, &kSide, 4);
    header[12] = 1;
    header[14] = static_cast<uint8_t>(bitCount);
    size_t size = PixelBytes(bitCount);
    uint8_t* pixels = static_cast<uint8_t*>(PlatformLocalAlloc(size));
    for (size_t i = 0; i < size; ++i)
        pixels[i] = static_cast<uint8_t>(i * 7 + seed);
    g_prepared.push_back(PreparedImage{name, header, pixels});
}

void PrepareAll() {
    g_prepared.clear();
    Prepare("skin0.bmp", 24, 1);
    Prepare("skin0_a.bmp", 24, 2);
    Prepare("skin1.bmp", 24, 3);
    Prepare("skin1_a.bmp", 24, 4);
    Prepare("skin2.bmp", 32, 5);
    Prepare("skin3.bmp", 32, 6);
}

void ReleaseUnused() {
    for (PreparedImage& p : g_prepared) {
        PlatformLocalFree(p.header);
        PlatformLocalFree(p.pixels);
    }
    g_prepared.clear();
}

uint64_t DictionaryBytes(const TextureOutput& output) {
    const TextureEncoding& e = ChooseTextureEncoding(output.compress, true);
    uint8_t levels = output.mipmaps ? MipLevelCount(kSide, kSide) : 1;
    uint64_t texture = 3 * 12 + 92 + TextureLevelsBytes(e, kSide, kSide, levels);
    return 12 + 12 + 4 + kTextureCount * texture + 12;
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Copies the dictionary's number of bytes from memory into a buffer and
// writes the buffer in one call the way every file of the export is written:
// to a new file beside path, flushed to the disk, then renamed onto path.
double TimePlainCopy(const std::vector<uint8_t>& source, const std::string& path) {
    std::vector<uint8_t> out(source.size());
    std::string temporary = path + ".part";
    auto start = std::chrono::steady_clock::now();
    memcpy(out.data(), source.data(), source.size());
    FILE* f = fopen(temporary.c_str(), "wb");
    if (f == nullptr)
        return -1.0;
    fwrite(out.data(), 1, out.size(), f);
    fflush(f);
    fsync(fileno(f));
    fclose(f);
    rename(temporary.c_str(), path.c_str());
    return Seconds(start);
}

double TimeExport(HostDocument doc, const UsedMaterialMap& used, const std::string& model,
                  const std::string& txd, const TextureOutput& output) {
    PrepareAll();
    // Every texture is expected to be written.
    TexturesLeftOut leftOut;
    auto start = std::chrono::steady_clock::now();
    PendingFile file;
    bool ok =
        PrepareTextureDictionary(doc, model.c_str(), used, output, leftOut, nullptr, file).Ok() &&
        file.Commit() && !leftOut.Any();
    double t = Seconds(start);
    ReleaseUnused();
    FILE* f = fopen(txd.c_str(), "rb");
    long size = -1;
    if (f != nullptr) {
        fseek(f, 0, SEEK_END);
        size = ftell(f);
        fclose(f);
    }
    if (!ok || size != static_cast<long>(DictionaryBytes(output))) {
        fprintf(stderr, "txd_bench: dictionary of %ld bytes, expected %llu\n", size,
                static_cast<unsigned long long>(DictionaryBytes(output)));
        exit(1);
    }
    return t;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    if (argc == 3 && strcmp(argv[1], "--runs") == 0)
        runs = std::max(1, atoi(argv[2]));
    g_host = *HostSimFunctions();
    g_host.MQ_LoadImage = BenchLoadImage;
    g_host.MQDoc_FindMappingFile = BenchFindMappingFile;
    HostDocument doc = HostSimCreateDocument("");
    const char* textures[kTextureCount][2] = {{"skin0.bmp", "skin0_a.bmp"},
                                              {"skin1.bmp", "skin1_a.bmp"},
                                              {"skin2.bmp", "skin2_a.bmp"},
                                              {"skin3.bmp", ""}};
    UsedMaterialMap used;
    used.Reset(kTextureCount);
    for (int i = 0; i < kTextureCount; ++i) {
        HostMaterial m = g_host.MQ_CreateMaterial();
        g_host.MQMat_SetTextureName(m, textures[i][0]);
        g_host.MQMat_SetAlphaName(m, textures[i][1]);
        used.MarkUsed(g_host.MQDoc_AddMaterial(doc, m));
    }
    used.Renumber();

    char folder[] = "/tmp/skelvane-txd-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return 1;
    std::string model = std::string(folder) + "/bench.dff";
    std::string txd = std::string(folder) + "/bench.txd";
    std::string plain = std::string(folder) + "/plain.bin";

    const TextureOutput uncompressed, compressed{true, true};
    std::vector<uint8_t> source(DictionaryBytes(uncompressed));
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<uint8_t>(i * 13);
    std::vector<double> exportTimes, copyTimes, compressTimes;
    for (int r = 0; r < runs; ++r) {
        exportTimes.push_back(TimeExport(doc, used, model, txd, uncompressed));
        copyTimes.push_back(TimePlainCopy(source, plain));
        compressTimes.push_back(TimeExport(doc, used, model, txd, compressed));
    }
    double mib = static_cast<double>(DictionaryBytes(uncompressed)) / (1024.0 * 1024.0);
    double e = Median(exportTimes), c = Median(copyTimes), d = Median(compressTimes);
    printf("dictionary: %d textures of %dx%d, %.1f MiB, %d runs\n", kTextureCount, kSide, kSide,
           mib, runs);
    printf("export:     median %.1f ms (best %.1f ms), %.0f MiB/s\n", e * 1000.0,
           *std::min_element(exportTimes.begin(), exportTimes.end()) * 1000.0, mib / e);
    printf("plain copy: median %.1f ms (best %.1f ms), %.0f MiB/s\n", c * 1000.0,
           *std::min_element(copyTimes.begin(), copyTimes.end()) * 1000.0, mib / c);
    printf("ratio:      %.2f\n", e / c);
    printf("compressed: median %.1f ms (best %.1f ms), DXT3 with 12 levels, %.1f MiB\n", d * 1000.0,
           *std::min_element(compressTimes.begin(), compressTimes.end()) * 1000.0,
           static_cast<double>(DictionaryBytes(compressed)) / (1024.0 * 1024.0));
    printf("compressed / uncompressed export: %.2f\n", d / e);
    unlink(txd.c_str());
    unlink(plain.c_str());
    rmdir(folder);
    return 0;
}
