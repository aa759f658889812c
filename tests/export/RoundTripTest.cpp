// Export followed by import gives back the mesh: positions, corner order,
// texture coordinates, materials and bone names.
#include "hostsim/HostSim.h"
#include "tests/export/ExportDriverFixture.h"

namespace {

TEST_F(ExportDriverTest, ExportThenImportGivesTheMeshBack) {
    const char* vertices = "[[0, 0, 0], [2, 0, 0], [2, 3, 0], [0, 3, 1]]";
    const char* faces = "[{\"points\": [0, 1, 2, 3], \"material\": 1, "
                        "\"uv\": [[0, 0], [1, 0], [1, 1], [0, 1]]}]";
    const char* materials =
        "[{\"name\": \"a\", \"color\": [1, 1, 1], \"texture\": \"x.bmp\"}, "
        "{\"name\": \"b\", \"color\": [0.5, 0.25, 1], \"alpha\": 0.5, \"texture\": "
        "\"tex\\\\coat.bmp\"}]";
    std::string bones = "[" + BoneText("Root", "0:0:0", "null", 0, 0, 0) + "]";
    ASSERT_EQ(Export(SceneText(vertices, faces, materials, bones), "round.dff"), 1);
    EXPECT_EQ(harness_.messages,
              std::vector<std::string>({NoticeText({ZeroWeightLine(4, 0), kRootOnlyPedLine})}));
    harness_.messages.clear();
    HostDocument exported = doc_;

    const LoadedPlugin* importer = PluginHarness::Plugin("SkelvaneImport");
    ASSERT_NE(importer, nullptr);
    harness_.caption = "Skelvane Import";
    HostDocument imported = HostSimCreateDocument(harness_.folder.c_str());
    ASSERT_EQ(importer->MQImportFile(0, harness_.PathOf("round.dff").c_str(), imported), 1);
    EXPECT_TRUE(harness_.messages.empty());

    const HostSimDocument* d = HostSimFindDocument(imported);
    ASSERT_EQ(d->objects.size(), 2u);
    const HostSimObject* mesh = HostSimFindObject(d->objects[0]);
    EXPECT_EQ(mesh->name, "sdef:round");
    EXPECT_EQ(HostSimFindObject(d->objects[1])->name, "bone:round");
    // The quad comes back as two triangles over the same four corners.
    ASSERT_EQ(mesh->faces.size(), 2u);
    const HostSimObject* source = HostSimFindObject(HostSimFindDocument(exported)->objects[0]);
    const int split[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (int t = 0; t < 2; ++t) {
        const HostSimFace& face = mesh->faces[static_cast<size_t>(t)];
        ASSERT_EQ(face.pointCount, 3);
        for (int c = 0; c < 3; ++c) {
            const Point3& got = mesh->vertices[static_cast<size_t>(face.points[c])];
            const Point3& want = source->vertices[static_cast<size_t>(split[t][c])];
            EXPECT_FLOAT_EQ(got.x, want.x) << t << "," << c;
            EXPECT_FLOAT_EQ(got.y, want.y) << t << "," << c;
            EXPECT_FLOAT_EQ(got.z, want.z) << t << "," << c;
            EXPECT_FLOAT_EQ(face.uv[c].u, source->faces[0].uv[split[t][c]].u);
            EXPECT_FLOAT_EQ(face.uv[c].v, source->faces[0].uv[split[t][c]].v);
        }
    }
    // Only the used material comes back, with its colour and texture name.
    const HostSimMaterial* m = HostSimFindMaterial(d->materials[0]);
    EXPECT_EQ(m->name, "round_0");
    EXPECT_EQ(m->textureName, "coat.png");
    EXPECT_NEAR(m->color.r, 128.0f / 255.0f, 1e-6f);
    EXPECT_NEAR(m->alpha, 128.0f / 255.0f, 1e-6f);
    const HostSimMaterial* bone = HostSimFindMaterial(d->materials[1]);
    EXPECT_EQ(bone->name, "Root");
    EXPECT_EQ(bone->bumpName, "0:0:0");
}

} // namespace
