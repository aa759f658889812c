// Faces of five or more points (concave ones included) and texture names
// given as long absolute paths, exported and imported back.
#include <algorithm>

#include "Plugins/Export/PolygonTriangles.h"
#include "frame/DialogIds.h"
#include "hostsim/HostSim.h"
#include "tests/export/ExportDriverFixture.h"

namespace {

struct Flat {
    double x, y;
};

// A concave pentagon (notch at corner 3) and an L-shaped hexagon whose first
// corner does not see the whole outline: a fan from corner 0 covers the
// notch in both.
const std::vector<Flat> kPentagon = {{0, 0}, {4, 0}, {4, 4}, {2, 1}, {0, 4}};
const std::vector<Flat> kHexagon = {{13, 0}, {13, 1}, {11, 1}, {11, 3}, {10, 3}, {10, 0}};

double SignedArea(const std::vector<Flat>& p) {
    double sum = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const Flat& a = p[i];
        const Flat& b = p[(i + 1) % p.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum / 2;
}

bool Inside(const std::vector<Flat>& polygon, Flat q) {
    bool in = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Flat& a = polygon[i];
        const Flat& b = polygon[j];
        if ((a.y > q.y) != (b.y > q.y) && q.x < (b.x - a.x) * (q.y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

// The triangles cover the polygon exactly once, each turning as it does.
void ExpectCovers(const std::vector<Flat>& polygon, const std::vector<std::vector<Flat>>& tris) {
    ASSERT_EQ(tris.size(), polygon.size() - 2);
    double area = SignedArea(polygon);
    double sum = 0;
    for (const std::vector<Flat>& t : tris) {
        double a = SignedArea(t);
        EXPECT_GT(a * area, 0.0) << "a triangle turns against its face";
        sum += a;
        Flat centre = {(t[0].x + t[1].x + t[2].x) / 3, (t[0].y + t[1].y + t[2].y) / 3};
        EXPECT_TRUE(Inside(polygon, centre)) << "a triangle lies outside its face";
    }
    EXPECT_NEAR(sum, area, 1e-3);
}

TEST(PolygonTriangles, ConcaveFacesAreCutInTheirOwnPlane) {
    for (const std::vector<Flat>* polygon : {&kPentagon, &kHexagon}) {
        // Set up in a tilted plane, in either turning order.
        for (bool reversed : {false, true}) {
            std::vector<Flat> p = *polygon;
            if (reversed)
                std::reverse(p.begin(), p.end());
            std::vector<Point3> points;
            for (const Flat& f : p)
                points.push_back(Point3{static_cast<float>(f.x), static_cast<float>(f.y * 0.6),
                                        static_cast<float>(f.y * 0.8 + 5)});
            HeapArray<int32_t> triangles;
            ASSERT_TRUE(
                TriangulatePolygon(points.data(), static_cast<int32_t>(points.size()), &triangles));
            std::vector<std::vector<Flat>> tris;
            for (size_t k = 0; k < triangles.Count(); k += 3)
                tris.push_back({p[triangles[k]], p[triangles[k + 1]], p[triangles[k + 2]]});
            ExpectCovers(p, tris);
        }
    }
}

std::string PointsText(const std::vector<Flat>& polygon, size_t first) {
    std::string points, uv;
    for (size_t i = 0; i < polygon.size(); ++i) {
        points += (i ? ", " : "") + std::to_string(first + i);
        uv += std::string(i ? ", " : "") + "[" + std::to_string(polygon[i].x / 16) + ", " +
              std::to_string(polygon[i].y / 4) + "]";
    }
    return "{\"points\": [" + points + "], \"material\": 0, \"uv\": [" + uv + "]}";
}

// The imported mesh's triangles, flattened to x and y.
std::vector<std::vector<Flat>> ImportedTriangles(PluginHarness& harness, const char* file) {
    const LoadedPlugin* importer = PluginHarness::Plugin("SkelvaneImport");
    harness.caption = "Skelvane Import";
    HostDocument imported = HostSimCreateDocument(harness.folder.c_str());
    EXPECT_EQ(importer->MQImportFile(0, harness.PathOf(file).c_str(), imported), 1);
    harness.caption = "Skelvane Export";
    const HostSimObject* mesh = HostSimFindObject(HostSimFindDocument(imported)->objects[0]);
    std::vector<std::vector<Flat>> tris;
    for (const HostSimFace& face : mesh->faces) {
        std::vector<Flat> t;
        for (int c = 0; c < face.pointCount; ++c) {
            const Point3& p = mesh->vertices[static_cast<size_t>(face.points[c])];
            t.push_back(Flat{p.x, p.y});
        }
        tris.push_back(t);
    }
    const HostSimMaterial* material =
        HostSimFindMaterial(HostSimFindDocument(imported)->materials[0]);
    EXPECT_EQ(material->textureName, "skin_body.png");
    return tris;
}

TEST_F(ExportDriverTest, LargeFacesAndLongTexturePathsExport) {
    std::string vertices = "[";
    for (const std::vector<Flat>* polygon : {&kPentagon, &kHexagon})
        for (const Flat& f : *polygon)
            vertices += std::string(vertices.size() > 1 ? ", " : "") + "[" + std::to_string(f.x) +
                        ", " + std::to_string(f.y) + ", 0]";
    vertices += "]";
    std::string faces = "[" + PointsText(kPentagon, 0) + ", " + PointsText(kHexagon, 5) + "]";
    // A texture named by an absolute path of 90 characters.
    std::string texture =
        "C:\\\\Users\\\\modder\\\\Documents\\\\Metasequoia\\\\projects\\\\gta1\\\\"
        "peds\\\\characters\\\\textures\\\\skin_body.bmp";
    std::string materials =
        "[{\"name\": \"skin\", \"color\": [1, 1, 1], \"texture\": \"" + texture + "\"}]";
    std::string bones = "[" + BoneText("Root", "0:0:0", "null", 0, 0, 0) + "]";
    std::string scene = SceneText(vertices, faces, materials, bones);

    // The split path (the dialog's opening state), then the clone path.
    for (const char* file : {"split.dff", "clone.dff"}) {
        if (std::string(file) == "clone.dff")
            harness_.script.clicks = {kIdSplitVertices};
        ASSERT_EQ(Export(scene, file), 1);
        // The notice only (and nothing from the import before).
        EXPECT_EQ(harness_.messages, std::vector<std::string>(
                                         {NoticeText({ZeroWeightLine(11, 0), kRootOnlyPedLine})}));
        harness_.messages.clear();
        std::vector<std::vector<Flat>> tris = ImportedTriangles(harness_, file);
        ASSERT_EQ(tris.size(), 7u) << file;
        ExpectCovers(kPentagon, {tris.begin(), tris.begin() + 3});
        ExpectCovers(kHexagon, {tris.begin() + 3, tris.end()});
    }
    // The dialog's switches outlive the export: back to the opening state.
    ASSERT_EQ(Export(scene, "restore.dff"), 1);
}

} // namespace
