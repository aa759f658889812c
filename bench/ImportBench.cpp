// Times the import of a model at the format's limits: 65535 vertices, 100000
// triangles, 12 textured materials, a root frame and 254 bones.
//
//   import_bench [--runs N]     build the model, write it to a temporary file,
//                               time N imports from the file and N from memory,
//                               N saves of the imported document as .mqo text
//                               (to /dev/null) and N walks of the file
//   import_bench --write PATH   only build the model and write it to PATH
//   import_bench --import PATH  only import PATH once (for whole-process timing
//                               and system call counts)
//   import_bench --walk PATH    only walk every section of PATH once with the
//                               section reader, reading every leaf body field by field
//
// Every import goes into a fresh document of the simulated host; an import
// that does not complete with every vertex, face and bone ends the program
// with status 1.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "Plugins/Import/ImportDriver.h"
#include "format/FileStream.h"
#include "format/ByteStream.h"
#include "format/SectionReader.h"
#include "hostsim/DialogScript.h"
#include "hostsim/HostSim.h"
#include "scene/MqoWriter.h"
#include "platform/posix/PosixHost.h"
#include "tests/import/DffBuilder.h"

namespace {

constexpr int kVertexCount = 65535;
constexpr int kGridColumns = 255; // 255 x 257 vertices
constexpr int kTriangleCount = 100000;
constexpr int kMaterialCount = 12;
constexpr int kBoneCount = 254;
constexpr int kChainLength = 16; // bones hang from the first bone in chains

// A grid of vertices, triangles over its cells, materials cycling per cell.
TestGeometry MakeLimitGeometry() {
    TestGeometry g;
    g.vertices.reserve(kVertexCount);
    g.texCoords.reserve(kVertexCount);
    for (int i = 0; i < kVertexCount; ++i) {
        float x = static_cast<float>(i % kGridColumns);
        float y = static_cast<float>(i / kGridColumns);
        g.vertices.push_back(Point3{x * 0.01f, y * 0.01f, 0.001f * static_cast<float>(i % 7)});
        g.texCoords.push_back(TexCoord{x / kGridColumns, y / kGridColumns});
    }
    g.triangles.reserve(kTriangleCount);
    for (int cell = 0; static_cast<int>(g.triangles.size()) < kTriangleCount; ++cell) {
        int row = cell / (kGridColumns - 1), column = cell % (kGridColumns - 1);
        uint16_t a = static_cast<uint16_t>(row * kGridColumns + column);
        uint16_t b = static_cast<uint16_t>(a + 1);
        uint16_t c = static_cast<uint16_t>(a + kGridColumns);
        uint16_t d = static_cast<uint16_t>(c + 1);
        uint16_t material = static_cast<uint16_t>(cell % kMaterialCount);
        g.triangles.push_back(TestTriangle{a, b, c, material});
        g.triangles.push_back(TestTriangle{b, d, c, material});
    }
    g.materials.resize(kMaterialCount);
    for (int m = 0; m < kMaterialCount; ++m) {
        g.materials[static_cast<size_t>(m)].texture = "texture_" + std::to_string(m);
        g.materials[static_cast<size_t>(m)].rgba[0] = static_cast<uint8_t>(20 * m);
    }
    return g;
}

// A root frame, then the first bone carrying the hierarchy, then chains of
// bones hanging from it; chains turn so that some joints are collinear with
// their parent's bone and some are not.
std::vector<TestFrame> MakeLimitFrames() {
    std::vector<TestFrame> frames(1 + kBoneCount);
    frames[0].flags = kFrameFlagNotBone | 3;
    frames[0].writeHAnim = false;
    frames[0].writeName = false;
    for (int k = 1; k <= kBoneCount; ++k) {
        TestFrame& f = frames[static_cast<size_t>(k)];
        f.name = "Bone" + std::to_string(k);
        f.nodeId = 1000 + k;
        int link = (k - 2) % kChainLength; // position in its chain
        f.parent = k == 1 ? 0 : (link == 0 ? 1 : k - 1);
        f.position[0] = 0.1f;
        f.position[1] = (link % 3 == 0) ? 0.05f : 0.0f;
        f.position[2] = k == 1 ? 0.0f : 0.01f * static_cast<float>((k - 2) / kChainLength);
    }
    // Node flags in depth-first (frame) order: pop after a leaf, push before
    // a node whose parent has more children to come.
    for (int k = 1; k <= kBoneCount; ++k) {
        bool leaf = true, laterSibling = false;
        for (int j = k + 1; j <= kBoneCount; ++j) {
            leaf = leaf && frames[static_cast<size_t>(j)].parent != k;
            laterSibling = laterSibling || frames[static_cast<size_t>(j)].parent ==
                                               frames[static_cast<size_t>(k)].parent;
        }
        int32_t flags = (leaf ? 1 : 0) | (laterSibling ? 2 : 0);
        frames[1].hierarchy.push_back(HAnimNodeRecord{1000 + k, k - 1, flags});
    }
    return frames;
}

std::vector<uint8_t> BuildLimitModel() {
    TestClump clump;
    clump.frames = MakeLimitFrames();
    clump.geometry = MakeLimitGeometry();
    return BuildDff({clump});
}

bool WriteWholeFile(const char* path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path, "wb");
    if (f == nullptr)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

int g_messageBoxes = 0;

int32_t OnMessageBox(void*, const char* text, const char*, uint32_t) {
    fprintf(stderr, "import_bench: message box: %s\n", text);
    ++g_messageBoxes;
    return 1;
}
void OnTrace(void*, const char*) {}
intptr_t OnDialog(void*, int, DialogLogic* logic) {
    return AnswerDialog(DialogScript(), *logic).result;
}

void InstallHost() {
    g_host = *HostSimFunctions();
    PlatformSinks sinks = {OnMessageBox, OnTrace, OnDialog, nullptr};
    PlatformInstallSinks(&sinks);
}

// Checks that the document holds the whole model.
bool Complete(HostDocument doc, HostBool result) {
    const HostSimDocument* d = HostSimFindDocument(doc);
    if (result != 1 || g_messageBoxes != 0 || d->objects.size() != 2 ||
        d->materials.size() != static_cast<size_t>(kMaterialCount + kBoneCount))
        return false;
    const HostSimObject* mesh = HostSimFindObject(d->objects[0]);
    return mesh->vertices.size() == static_cast<size_t>(kVertexCount) &&
           mesh->faces.size() == static_cast<size_t>(kTriangleCount);
}

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One import into a fresh document; the time of the import call alone.
template <typename Import>
bool TimedImport(Import import, double* milliseconds, HostDocument* imported = nullptr) {
    HostSimReset();
    HostDocument doc = HostSimCreateDocument("");
    if (imported != nullptr)
        *imported = doc;
    g_messageBoxes = 0;
    ImportOptions options;
    Clock::time_point start = Clock::now();
    HostBool result = import(doc, options);
    *milliseconds = MillisecondsSince(start);
    return Complete(doc, result);
}

struct Figures {
    double median, min, max;
};

Figures Summarise(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return Figures{times[times.size() / 2], times.front(), times.back()};
}

// Reads the sections from the current offset to the end of the innermost
// entered section: containers are entered, leaf bodies read in 32-bit fields
// (the rest byte by byte), as the importer reads them. Returns a sum of the
// fields so the reads cannot be left out.
uint32_t WalkChildren(SectionCursor& cursor) {
    uint32_t sum = 0;
    SectionHeader header;
    while (EnterNextSection(cursor, &header)) {
        sum += header.type;
        if (IsContainerSection(header.type)) {
            sum += WalkChildren(cursor);
        } else {
            uint32_t left = SectionBytesLeft(cursor);
            uint32_t word = 0;
            uint8_t byte = 0;
            for (; left >= 4 && ReadU32(cursor, &word); left -= 4)
                sum += word;
            for (; left > 0 && ReadU8(cursor, &byte); --left)
                sum += byte;
        }
        LeaveSection(cursor);
    }
    return sum;
}

// One walk of every section of the file at path; false when it is malformed.
bool TimedWalk(const char* path, double* milliseconds, uint32_t* sum) {
    Clock::time_point start = Clock::now();
    FileStream file;
    SectionCursor cursor;
    bool ok = file.OpenForRead(path) && OpenSectionCursor(cursor, file);
    if (ok) {
        *sum = WalkChildren(cursor);
        ok = !IsMalformed(cursor);
    }
    file.Close();
    *milliseconds = MillisecondsSince(start);
    return ok;
}

int WalkOnce(const char* path) {
    double ms = 0;
    uint32_t sum = 0;
    if (!TimedWalk(path, &ms, &sum)) {
        fprintf(stderr, "import_bench: cannot walk %s\n", path);
        return 1;
    }
    printf("walk of every section: %.1f ms (sum %08x)\n", ms, sum);
    return 0;
}

int ImportOnce(const char* path) {
    InstallHost();
    double ms = 0;
    bool ok = TimedImport(
        [&](HostDocument doc, ImportOptions& o) { return ImportDffFile(doc, path, o); }, &ms);
    if (!ok) {
        fprintf(stderr, "import_bench: the import of %s did not complete\n", path);
        return 1;
    }
    printf("import from file: %.1f ms\n", ms);
    return 0;
}

int RunAll(int runs) {
    InstallHost();
    Clock::time_point start = Clock::now();
    std::vector<uint8_t> bytes = BuildLimitModel();
    double buildMs = MillisecondsSince(start);
    char path[] = "/tmp/skelvane-bench-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) {
        perror("import_bench: mkstemp");
        return 1;
    }
    close(fd);
    bool written = WriteWholeFile(path, bytes);
    MemoryStream memory(bytes.data(), bytes.size());
    auto importFile = [&](HostDocument doc, ImportOptions& o) {
        return ImportDffFile(doc, path, o);
    };
    auto importMemory = [&](HostDocument doc, ImportOptions& o) {
        memory.Seek(0);
        return ImportDffStream(doc, path, memory, o);
    };
    // Each way has one untimed run first, so that both start warm.
    std::vector<double> fromFile, fromMemory, saves;
    bool ok = written;
    HostDocument doc = 0;
    for (int i = 0; ok && i <= runs; ++i) {
        double ms = 0;
        ok = TimedImport(importFile, &ms, &doc);
        if (i > 0)
            fromFile.push_back(ms);
    }
    // The document the skelvane command saves after the import.
    for (int i = 0; ok && i <= runs; ++i) {
        Clock::time_point start = Clock::now();
        ok = HostSimSaveMqo(doc, "/dev/null");
        if (i > 0)
            saves.push_back(MillisecondsSince(start));
    }
    for (int i = 0; ok && i <= runs; ++i) {
        double ms = 0;
        ok = TimedImport(importMemory, &ms);
        if (i > 0)
            fromMemory.push_back(ms);
    }
    std::vector<double> walks;
    for (int i = 0; ok && i <= runs; ++i) {
        double ms = 0;
        uint32_t sum = 0;
        ok = TimedWalk(path, &ms, &sum);
        if (i > 0)
            walks.push_back(ms);
    }
    unlink(path);
    if (!ok) {
        fprintf(stderr, "import_bench: %s\n",
                written ? "an import did not complete" : "cannot write the model");
        return 1;
    }
    printf("model: %d vertices, %d triangles, %d textured materials, %d frames (%d bones), "
           "%zu bytes\n",
           kVertexCount, kTriangleCount, kMaterialCount, kBoneCount + 1, kBoneCount, bytes.size());
    printf("build in memory: %.1f ms\n", buildMs);
    Figures f = Summarise(fromFile), m = Summarise(fromMemory);
    printf(
        "import from file   (%d runs, fresh document each): median %.1f ms, min %.1f, max %.1f\n",
        runs, f.median, f.min, f.max);
    printf(
        "import from memory (%d runs, fresh document each): median %.1f ms, min %.1f, max %.1f\n",
        runs, m.median, m.min, m.max);
    Figures v = Summarise(saves);
    printf("save as .mqo to /dev/null (%d runs):         median %.1f ms, min %.1f, max %.1f\n",
           runs, v.median, v.min, v.max);
    Figures w = Summarise(walks);
    printf("walk of every section (%d runs, fields read):   median %.1f ms, min %.1f, max %.1f\n",
           runs, w.median, w.min, w.max);
    printf("ratio import from file / walk (medians): %.2f\n", f.median / w.median);
    return 0;
}

int Usage() {
    fprintf(stderr,
            "usage: import_bench [--runs N] | --write PATH | --import PATH | --walk PATH\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 1)
        return RunAll(10);
    if (argc != 3)
        return Usage();
    if (strcmp(argv[1], "--runs") == 0) {
        int runs = atoi(argv[2]);
        return runs > 0 ? RunAll(runs) : Usage();
    }
    if (strcmp(argv[1], "--write") == 0) {
        if (!WriteWholeFile(argv[2], BuildLimitModel())) {
            fprintf(stderr, "import_bench: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (strcmp(argv[1], "--import") == 0)
        return ImportOnce(argv[2]);
    if (strcmp(argv[1], "--walk") == 0)
        return WalkOnce(argv[2]);
    return Usage();
}
