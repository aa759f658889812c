// Times the whole export of a model at the format's limits from the
// simulated host: Keynote's skeleton document, the options dialog (the split
// path and both split tests on, grounding turned on, confirmed), the
// conversion, every section of the file, written to a temporary file.
//
//   export_bench [--runs N]    build the scene, then time N exports (default 5)
//                              after one untimed run; --runs 0 only builds it
//   export_bench --write PATH  build the scene and export it once to PATH
//   export_bench --write-scene PATH  build the scene and write it as a JSON scene
//                              file (for timing `skelvane export` on it)
//
// The scene is one object wrapped around a cylinder: 250 columns by 257 rows
// of source vertices, closed around, in quads (128 000 triangles) with the
// texture repeated five times around, so the 257 vertices of each of the
// five seams split in two: 65 535 output vertices. Normals agree at every
// vertex. 254 bones in chains of 16 from the first, tags 0..253, and four
// weights per vertex. An export whose file does not hold 65 535 vertices and
// a skin of the expected size ends the program with status 1.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "Plugins/Export/ExportDriver.h"
#include "format/Sections.h"
#include "frame/HAnimTag.h"
#include "frame/DialogIds.h"
#include "hostsim/DialogScript.h"
#include "hostsim/HostSim.h"
#include "hostsim/KeynoteStandIn.h"
#include "scene/SceneCapture.h"
#include "scene/SceneText.h"
#include "platform/posix/PosixHost.h"

namespace {

constexpr int32_t kColumns = 250; // around the cylinder
constexpr int32_t kRows = 257;
constexpr int32_t kTiles = 5; // texture repeats around; each start is a seam
constexpr int32_t kBoneCount = 254;
constexpr int32_t kMaterialCount = 4;
constexpr int32_t kExpectedVertices = kColumns * kRows + kTiles * kRows;
constexpr int32_t kExpectedTriangles = 2 * kColumns * (kRows - 1);

class BenchPlugin final : public MQExportPlugin {
  public:
    void GetPlugInID(uint32_t* product, uint32_t* id) override {
        *product = kSkelvaneProductId;
        *id = kSkelvaneExportId;
    }
    const char* GetPlugInName() override { return "export bench"; }
    int32_t GetPlugInType() override { return kPluginTypeExport; }
    const char* EnumFileType(int32_t) override { return nullptr; }
    const char* EnumFileExt(int32_t) override { return nullptr; }
    HostBool ExportFile(int32_t, const char*, HostDocument) override { return 0; }
};

int g_messages = 0;

int32_t OnMessage(void*, const char* text, const char*, uint32_t) {
    ++g_messages;
    fprintf(stderr, "export_bench: message box: %s\n", text);
    return 1;
}

void OnTrace(void*, const char*) {}

// The dialog opens with the split path and both split tests on; the user
// turns grounding on as well and confirms.
intptr_t OnDialog(void*, int, DialogLogic* logic) {
    DialogScript script;
    script.clicks.push_back(kIdGroundModel);
    return AnswerDialog(script, *logic).result;
}

Point3 CylinderPoint(int32_t column, int32_t row) {
    float angle = 6.2831853f * static_cast<float>(column) / kColumns;
    return Point3{40.0f * cosf(angle), 0.5f * static_cast<float>(row), 40.0f * sinf(angle)};
}

Point3 CylinderNormal(int32_t column) {
    float angle = 6.2831853f * static_cast<float>(column) / kColumns;
    return Point3{cosf(angle), 0.0f, sinf(angle)};
}

int32_t SourceIndex(int32_t column, int32_t row) {
    return row * kColumns + column % kColumns;
}

// The texture coordinate of grid column `column` (0..kColumns) as seen from
// the quad whose left column is `left`: a seam column is u = 1 for the quad
// before it and u = 0 for the quad after it.
TexCoord TexCoordOf(int32_t column, int32_t left, int32_t row) {
    constexpr int32_t tileWidth = kColumns / kTiles;
    int32_t inTile = column - (left / tileWidth) * tileWidth;
    return TexCoord{static_cast<float>(inTile) / tileWidth, static_cast<float>(row) / (kRows - 1)};
}

KeynoteSkinVertex SkinOf(int32_t column, int32_t row) {
    KeynoteSkinVertex skin;
    const float weights[4] = {0.4f, 0.3f, 0.2f, 0.1f};
    for (int s = 0; s < 4; ++s) {
        skin.bone[s] = (column * 7 + row + s * 61) % kBoneCount;
        skin.weight[s] = weights[s];
    }
    return skin;
}

// Bone i (tag index i) hangs from bone i - 1 inside a chain of 16, and each
// chain from bone 0. Bind matrices turn about y, so none is the identity.
std::vector<KeynoteBone> Bones() {
    std::vector<KeynoteBone> bones;
    for (int32_t i = 0; i < kBoneCount; ++i) {
        KeynoteBone bone;
        bool chainStart = i == 0 || (i - 1) % 16 == 0;
        bool chainEnd = i > 0 && (i % 16 == 0 || i == kBoneCount - 1);
        char text[64];
        snprintf(text, sizeof text, "bone%03d", i);
        bone.name = text;
        FormatHAnimTag(HAnimTag{i, 1000 + i, chainEnd ? 1 : i == 0 ? 2 : 0}, text, sizeof text);
        bone.tag = text;
        bone.parent = i == 0 ? -1 : chainStart ? 0 : i - 1;
        bone.position = Point3{0.0f, 0.5f * static_cast<float>(i % 128), 0.1f * (i / 16)};
        float angle = 0.01f * static_cast<float>(i);
        float c = cosf(angle), s = sinf(angle);
        bone.bind = Matrix4{{c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1}};
        bones.push_back(bone);
    }
    return bones;
}

// The document: materials, the cylinder object and what Keynote holds for it.
HostDocument BuildScene(const char* folder, KeynoteDocumentData* keynoteOut) {
    HostDocument doc = HostSimCreateDocument(folder);
    for (int32_t m = 0; m < kMaterialCount; ++m) {
        HostMaterial material = g_host.MQ_CreateMaterial();
        ColorRGB color = {0.25f * static_cast<float>(m), 0.5f, 1.0f};
        g_host.MQMat_SetColor(material, &color);
        char name[32];
        snprintf(name, sizeof name, "skin%d.bmp", static_cast<int>(m));
        g_host.MQMat_SetTextureName(material, name);
        g_host.MQDoc_AddMaterial(doc, material);
    }

    HostObject object = g_host.MQ_CreateObject();
    KeynoteDocumentData data;
    data.objects.resize(1);
    KeynoteObjectData& keynote = data.objects[0];
    keynote.object = object;
    for (int32_t r = 0; r < kRows; ++r)
        for (int32_t c = 0; c < kColumns; ++c) {
            Point3 p = CylinderPoint(c, r);
            g_host.MQObj_AddVertex(object, &p);
            keynote.skin.push_back(SkinOf(c, r));
        }
    for (int32_t r = 0; r + 1 < kRows; ++r)
        for (int32_t c = 0; c < kColumns; ++c) {
            const int32_t columns[4] = {c, c, c + 1, c + 1};
            const int32_t rows[4] = {r, r + 1, r + 1, r};
            int32_t points[4];
            TexCoord uv[4];
            KeynoteFaceNormals normals;
            normals.given = true;
            for (int k = 0; k < 4; ++k) {
                points[k] = SourceIndex(columns[k], rows[k]);
                uv[k] = TexCoordOf(columns[k], c, rows[k]);
                normals.corner[k] = CylinderNormal(columns[k]);
            }
            int32_t face = g_host.MQObj_AddFace(object, 4, points);
            g_host.MQObj_SetFaceMaterial(object, face, (r / 64) % kMaterialCount);
            g_host.MQObj_SetFaceCoordinateArray(object, face, uv);
            keynote.normals.push_back(normals);
        }
    g_host.MQDoc_AddObject(doc, object);
    data.bones = Bones();
    HostSimSetKeynoteData(doc, data);
    *keynoteOut = std::move(data);
    return doc;
}

// The document and its Keynote data as a JSON scene file at path.
bool WriteScene(HostDocument doc, const KeynoteDocumentData& data, const char* path) {
    Scene scene;
    if (!CaptureScene(doc, &scene) || scene.objects.size() != 1)
        return false;
    SceneObject& object = scene.objects[0];
    object.skin = data.objects[0].skin;
    for (size_t i = 0; i < object.faces.size() && i < data.objects[0].normals.size(); ++i)
        object.faces[i].normals = data.objects[0].normals[i];
    scene.bones = data.bones;
    std::string text = SceneText(scene);
    FILE* file = fopen(path, "wb");
    if (file == nullptr)
        return false;
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && written;
}

std::vector<uint8_t> ReadWhole(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return bytes;
    uint8_t block[65536];
    size_t n;
    while ((n = fread(block, 1, sizeof block, f)) > 0)
        bytes.insert(bytes.end(), block, block + n);
    fclose(f);
    return bytes;
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// A section body: [begin, end) of the file.
struct Body {
    size_t begin = 0;
    size_t end = 0;
    bool found = false;
};

// The first child of the given type among the sections that fill parent.
Body Child(const std::vector<uint8_t>& b, const Body& parent, uint32_t type) {
    size_t at = parent.begin;
    while (parent.found && parent.end - at >= kSectionHeaderSize) {
        uint32_t size = U32At(b, at + 4);
        if (size > parent.end - at - kSectionHeaderSize)
            break;
        if (U32At(b, at) == type)
            return Body{at + kSectionHeaderSize, at + kSectionHeaderSize + size, true};
        at += kSectionHeaderSize + size;
    }
    return Body{};
}

// Checks the written file: vertex and triangle counts of the Geometry
// Struct, and the size of the Skin PLG (header, used bones, four bone
// indices and four weights per vertex, one matrix per bone, trailer).
bool CheckFile(const std::string& path, size_t* fileSize) {
    std::vector<uint8_t> b = ReadWhole(path);
    *fileSize = b.size();
    Body top{0, b.size(), true};
    Body geometry =
        Child(b, Child(b, Child(b, top, kSectionClump), kSectionGeometryList), kSectionGeometry);
    Body header = Child(b, geometry, kSectionStruct);
    Body skin = Child(b, Child(b, geometry, kSectionExtension), kSectionSkinPlg);
    if (!header.found || header.end - header.begin < 16 || !skin.found) {
        fprintf(stderr, "export_bench: no geometry or skin in %s\n", path.c_str());
        return false;
    }
    uint32_t triangles = U32At(b, header.begin + 4);
    uint32_t vertices = U32At(b, header.begin + 8);
    uint64_t expectedSkin = 4 + 65ull * kBoneCount + 20ull * kExpectedVertices + 12;
    bool ok = vertices == static_cast<uint32_t>(kExpectedVertices) &&
              triangles == static_cast<uint32_t>(kExpectedTriangles) &&
              skin.end - skin.begin == expectedSkin;
    if (!ok)
        fprintf(stderr,
                "export_bench: %u vertices, %u triangles, skin %zu bytes; expected %d, %d, %llu\n",
                vertices, triangles, skin.end - skin.begin, kExpectedVertices, kExpectedTriangles,
                static_cast<unsigned long long>(expectedSkin));
    return ok;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One export of the document to path, checked; its time in *seconds.
bool ExportOnce(HostDocument doc, const std::string& path, double* seconds, size_t* fileSize) {
    BenchPlugin plugin;
    ExportOptions options; // the dialog sets the switches
    unlink(path.c_str());
    auto start = std::chrono::steady_clock::now();
    HostBool result = ExportDffFile(&plugin, doc, path.c_str(), options);
    *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result == 1 && g_messages == 0 && options.splitVertices == 1 &&
           options.splitByTexCoord == 1 && options.splitByNormal == 1 && options.groundModel == 1 &&
           CheckFile(path, fileSize);
}

int Usage() {
    fprintf(stderr, "usage: export_bench [--runs N] | --write PATH | --write-scene PATH\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    const char* writePath = nullptr;
    const char* scenePath = nullptr;
    if (argc == 3 && strcmp(argv[1], "--write-scene") == 0)
        scenePath = argv[2];
    else if (argc == 3 && strcmp(argv[1], "--runs") == 0)
        runs = std::max(0, atoi(argv[2]));
    else if (argc == 3 && strcmp(argv[1], "--write") == 0)
        writePath = argv[2];
    else if (argc != 1)
        return Usage();
    g_host = *HostSimFunctions();
    PlatformSinks sinks = {OnMessage, OnTrace, OnDialog, nullptr};
    PlatformInstallSinks(&sinks);

    char folder[] = "/tmp/skelvane-export-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return 1;
    std::string path = writePath != nullptr ? writePath : std::string(folder) + "/bench.dff";

    auto built = std::chrono::steady_clock::now();
    KeynoteDocumentData keynote;
    HostDocument doc = BuildScene(folder, &keynote);
    double buildSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - built).count();
    printf("scene: %d source vertices, %d bones, built in %.0f ms\n", kColumns * kRows, kBoneCount,
           buildSeconds * 1000.0);
    if (scenePath != nullptr) {
        bool written = WriteScene(doc, keynote, scenePath);
        rmdir(folder);
        HostSimDestroyDocument(doc);
        if (!written)
            fprintf(stderr, "export_bench: cannot write %s\n", scenePath);
        return written ? 0 : 1;
    }

    std::vector<double> times;
    size_t fileSize = 0;
    bool ok = true;
    if (writePath != nullptr) {
        double t = 0.0;
        ok = ExportOnce(doc, path, &t, &fileSize);
        times.push_back(t);
        runs = 1;
    } else {
        // The first export is not timed.
        for (int r = 0; ok && runs > 0 && r <= runs; ++r) {
            double t = 0.0;
            ok = ExportOnce(doc, path, &t, &fileSize);
            if (r > 0)
                times.push_back(t);
        }
        unlink(path.c_str());
    }
    rmdir(folder);
    HostSimDestroyDocument(doc);
    if (!ok)
        return 1;
    if (times.empty())
        return 0;
    printf("file: %zu bytes, %d vertices, %d triangles\n", fileSize, kExpectedVertices,
           kExpectedTriangles);
    printf("export: median %.1f ms, best %.1f ms, worst %.1f ms over %d runs\n",
           Median(times) * 1000.0, *std::min_element(times.begin(), times.end()) * 1000.0,
           *std::max_element(times.begin(), times.end()) * 1000.0, runs);
    return 0;
}
