// A grid of 65535 vertices converts in well under a second: the search for a
// shared vertex looks only at vertices made from the same source.
#include <chrono>
#include <stdio.h>

#include "Plugins/Export/MeshConversion.h"
#include "tests/export/ExportFixture.h"

namespace {

constexpr int32_t kColumns = 255;
constexpr int32_t kRows = 257; // 255 x 257 = 65535 vertices

// A flat grid of quads, every corner with normal +z and the texture
// coordinate of its vertex on both sides.
TestMesh Grid() {
    TestMesh mesh;
    for (int32_t r = 0; r < kRows; ++r)
        for (int32_t c = 0; c < kColumns; ++c)
            mesh.AddVertex({static_cast<float>(c), static_cast<float>(r), 0},
                           TestSkin{{1, 0, 0, 0}, {c % 32, 0, 0, 0}});
    for (int32_t r = 0; r + 1 < kRows; ++r)
        for (int32_t c = 0; c + 1 < kColumns; ++c) {
            int32_t v = r * kColumns + c;
            TestFace& face = mesh.AddFace({v, v + 1, v + 1 + kColumns, v + kColumns});
            for (int k = 0; k < 4; ++k) {
                int32_t p = face.points[k];
                TexCoord uv = {static_cast<float>(p % kColumns) / kColumns,
                               static_cast<float>(p / kColumns) / kRows};
                face.texCoords[k] = face.hostTexCoords[k] = uv;
                face.normals[k] = Point3{0, 0, 1};
            }
        }
    return mesh;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST_F(ExportTest, SplitPathConvertsSixtyFiveThousandVerticesQuickly) {
    TestMesh mesh = Grid();
    HostObject host = BuildHostObject(mesh);
    XSObjectImage image(mesh, host);
    ASSERT_NE(nullptr, image.Record());
    ExportOptions options;
    options.splitVertices = options.splitByTexCoord = options.splitByNormal = 1;
    WorkMesh work;

    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ConvertSplit(image.Record(), options, used, &work));
    double seconds = SecondsSince(start);
    printf("split path, %d vertices: %.3f s\n", VertexCount(work.object), seconds);

    EXPECT_EQ(kColumns * kRows, VertexCount(work.object));
    EXPECT_EQ(2 * (kColumns - 1) * (kRows - 1), g_host.MQObj_GetFaceCount(work.object));
    // A search over every vertex made so far takes about seven seconds here.
    EXPECT_LT(seconds, 5.0);
}

TEST_F(ExportTest, ClonePathConvertsSixtyFiveThousandVerticesQuickly) {
    TestMesh mesh = Grid();
    mesh.shading = 1;
    HostObject host = BuildHostObject(mesh);
    XSObjectImage image(mesh, host);
    ASSERT_NE(nullptr, image.Record());
    WorkMesh work;

    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ConvertClone(image.Record(), used, &work));
    double seconds = SecondsSince(start);
    printf("clone path, %d vertices: %.3f s\n", VertexCount(work.object), seconds);

    EXPECT_EQ(kColumns * kRows, VertexCount(work.object));
    EXPECT_LT(seconds, 5.0);
}
