// The split path against a plain version of its vertex search written here:
// every corner scans all vertices created so far for its object, in index
// order, and shares the first one made from the same source vertex that
// passes the enabled tests; otherwise it makes a new vertex. Random meshes
// draw texture coordinates and normals from small sets of values, so that
// corners match, miss, and land on either side of both tolerances.
#include <math.h>
#include <stdint.h>
#include <string.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Plugins/Export/MeshConversion.h"
#include "tests/export/ExportFixture.h"

namespace {

// ExportTest's material map knows three document materials.
constexpr int32_t kDocumentMaterials = 3;

struct ReferenceVertex {
    int32_t source;
    Point3 position;
    TexCoord texCoord; // Keynote's coordinate of the corner that made the vertex
    Point3 normal;     // unit length or zero
    uint8_t bones[4];
    float weights[4];
};

struct ReferenceTriangle {
    int32_t points[3];
    int32_t material;
};

// How the searches went: shows that a mesh made both outcomes of each test
// happen, close to its tolerance too.
struct SearchTally {
    int shared = 0;            // corners that found a vertex
    int sameSourceMissed = 0;  // candidates of the same source that a test turned down
    int texNearPassed = 0;     // texture test passed, |sum| in [0.00009, 0.0001]
    int texNearFailed = 0;     // texture test failed, |sum| in (0.0001, 0.00011]
    int normalNearPassed = 0;  // normal test passed, squared distance in [0.009, 0.01]
    int normalNearFailed = 0;  // normal test failed, squared distance in (0.01, 0.011]
    int oppositeCancelled = 0; // passed although |du| + |dv| is above the tolerance
    int laterAlsoPassed = 0;   // corners for which a later vertex would have passed too
    int texAtLimit = 0;        // texture test passed with |sum| exactly 0.0001f
    int normalAtLimit = 0;     // normal test passed with the squared distance exactly 0.01f

    void Add(const SearchTally& o) {
        shared += o.shared;
        sameSourceMissed += o.sameSourceMissed;
        texNearPassed += o.texNearPassed;
        texNearFailed += o.texNearFailed;
        normalNearPassed += o.normalNearPassed;
        normalNearFailed += o.normalNearFailed;
        oppositeCancelled += o.oppositeCancelled;
        laterAlsoPassed += o.laterAlsoPassed;
        texAtLimit += o.texAtLimit;
        normalAtLimit += o.normalAtLimit;
    }
};

struct ReferenceResult {
    std::vector<ReferenceVertex> vertices;
    std::vector<ReferenceTriangle> triangles;
    std::vector<bool> materialUsed; // entry m + 1 for material m, entry 0 for none
    SearchTally tally;
};

// The search as stated, one object at a time, straight from the test mesh.
class ReferenceSplit {
  public:
    ReferenceSplit(const TestMesh& mesh, bool byTexCoord, bool byNormal)
        : mesh_(mesh), byTexCoord_(byTexCoord), byNormal_(byNormal) {
        result_.materialUsed.assign(kDocumentMaterials + 1, false);
    }

    ReferenceResult Run() {
        for (const TestFace& face : mesh_.faces) {
            if (face.pointCount < 3)
                continue;
            int32_t material = face.material >= 0 && face.material < kDocumentMaterials
                                   ? face.material
                                   : -1; // the file sees an unknown material as none
            int32_t a = CornerVertex(face, 0);
            int32_t b = CornerVertex(face, 1);
            int32_t c = CornerVertex(face, 2);
            result_.triangles.push_back(ReferenceTriangle{{a, b, c}, material});
            result_.materialUsed[static_cast<size_t>(material + 1)] = true;
            if (face.pointCount > 3) {
                int32_t d = CornerVertex(face, 3);
                result_.triangles.push_back(ReferenceTriangle{{a, c, d}, material});
            }
        }
        return result_;
    }

  private:
    static Point3 Normalise(const Point3& n) {
        float length = sqrtf(n.x * n.x + n.y * n.y + n.z * n.z);
        if (length > 0.0f)
            return Point3{n.x / length, n.y / length, n.z / length};
        return Point3{0.0f, 0.0f, 0.0f};
    }

    // Differences are taken in 32-bit floats and compared with the decimal
    // tolerances themselves. The tests tally their outcomes only when tally
    // is set.
    bool TexturePasses(const TexCoord& stored, const TexCoord& host, bool tally) {
        float du = stored.u - host.u;
        float dv = stored.v - host.v;
        float sum = fabsf(du + dv);
        bool pass = sum <= 0.0001;
        if (!tally)
            return pass;
        if (pass && sum >= 0.00009f)
            ++result_.tally.texNearPassed;
        if (!pass && sum <= 0.00011f)
            ++result_.tally.texNearFailed;
        if (sum == 0.0001f)
            ++result_.tally.texAtLimit;
        if (pass && fabsf(du) + fabsf(dv) > 0.0001f)
            ++result_.tally.oppositeCancelled;
        return pass;
    }

    bool NormalPasses(const Point3& stored, const Point3& n, bool tally) {
        float dx = stored.x - n.x;
        float dy = stored.y - n.y;
        float dz = stored.z - n.z;
        float squared = dx * dx + dy * dy + dz * dz;
        bool pass = squared <= 0.01;
        if (!tally)
            return pass;
        if (pass && squared >= 0.009f)
            ++result_.tally.normalNearPassed;
        if (!pass && squared <= 0.011f)
            ++result_.tally.normalNearFailed;
        if (squared == 0.01f)
            ++result_.tally.normalAtLimit;
        return pass;
    }

    bool LaterPasses(size_t from, int32_t src, const TexCoord& host, const Point3& n) {
        for (size_t k = from; k < result_.vertices.size(); ++k) {
            const ReferenceVertex& v = result_.vertices[k];
            if (v.source == src && (!byTexCoord_ || TexturePasses(v.texCoord, host, false)) &&
                (!byNormal_ || NormalPasses(v.normal, n, false)))
                return true;
        }
        return false;
    }

    int32_t CornerVertex(const TestFace& face, int j) {
        Point3 n = Normalise(face.normals[j]);
        int32_t src = face.points[j];
        const TexCoord& host = face.hostTexCoords[j];
        for (size_t k = 0; k < result_.vertices.size(); ++k) {
            const ReferenceVertex& v = result_.vertices[k];
            if (v.source != src)
                continue;
            // Both enabled tests are evaluated, so the tally sees each.
            bool texOk = !byTexCoord_ || TexturePasses(v.texCoord, host, true);
            bool normalOk = !byNormal_ || NormalPasses(v.normal, n, true);
            if (texOk && normalOk) {
                ++result_.tally.shared;
                if (LaterPasses(k + 1, src, host, n))
                    ++result_.tally.laterAlsoPassed;
                return static_cast<int32_t>(k);
            }
            ++result_.tally.sameSourceMissed;
        }
        ReferenceVertex v;
        v.source = src;
        v.position = mesh_.positions[static_cast<size_t>(src)];
        v.texCoord = face.texCoords[j];
        v.normal = n;
        const TestSkin& skin = mesh_.skins[static_cast<size_t>(src)];
        for (int s = 0; s < 4; ++s) {
            bool weighted = skin.weights[s] > 0.0f;
            v.bones[s] = weighted ? static_cast<uint8_t>(skin.bones[s] % 256) : 0;
            v.weights[s] = weighted ? skin.weights[s] : 0.0f;
        }
        result_.vertices.push_back(v);
        return static_cast<int32_t>(result_.vertices.size() - 1);
    }

    const TestMesh& mesh_;
    bool byTexCoord_;
    bool byNormal_;
    ReferenceResult result_;
};

// Values that texture coordinates take: pairs of them differ by 0, 0.00005,
// 0.0001, 0.00011, 0.0002 or about 0.25 or 0.5, so sums of two differences
// fall on both sides of the tolerance and cancel out. 0.0001f - 0 and
// 0.00005f + 0.00005f are the tolerance itself.
const float kTexValues[] = {0.25f, 0.25005f, 0.2501f,  0.25011f, 0.2502f, 0.7499f,
                            0.75f, 0.0f,     0.00005f, 0.0001f,  0.00011f};

// Corner normals before normalising. Turned about x by angles whose
// neighbours lie about 5.73 degrees apart (the angle whose chord squared is
// 0.01) they give squared distances just under and just over the tolerance.
// The two after them are, once normalised, at exactly the tolerance (0.01f)
// from +z and one float step past it; the last ones sit far from the rest.
Point3 Direction(size_t index) {
    const float degrees[] = {0.0f, 2.9f, 5.7f, 5.73f, 5.74f, 8.6f, 11.47f, 90.0f};
    const size_t turned = sizeof degrees / sizeof degrees[0];
    if (index < turned) {
        float r = degrees[index] * 3.14159265f / 180.0f;
        return Point3{0.0f, -sinf(r), cosf(r)};
    }
    float r = 5.73f * 3.14159265f / 180.0f; // turned about y instead
    const Point3 others[] = {{0.0f, 0.100376807f, 1.0f},
                             {0.0f, 0.100376815f, 1.0f},
                             {sinf(r), 0.0f, cosf(r)},
                             {-1.0f, 0.0f, 0.0f}};
    return others[index - turned];
}
constexpr size_t kDirectionCount = 12;

class MeshMaker {
  public:
    explicit MeshMaker(uint32_t seed) : rng_(seed) {}

    TestMesh Make() {
        TestMesh mesh;
        int32_t vertexCount = 24 + Pick(24);
        for (int32_t v = 0; v < vertexCount; ++v) {
            Point3 p = {Coordinate(), Coordinate(), Coordinate()};
            mesh.AddVertex(p, Skin());
            homeTex_.push_back(RandomTexCoord());
            homeDirection_.push_back(static_cast<size_t>(Pick(kDirectionCount)));
        }
        int32_t faceCount = 200 + Pick(200);
        for (int32_t f = 0; f < faceCount; ++f) {
            int32_t roll = Pick(20);
            int32_t points = roll < 9 ? 3 : roll < 18 ? 4 : 1 + Pick(2);
            const int32_t materials[] = {-1, 0, 1, 2, 3, 7};
            TestFace& face = mesh.AddFace({}, materials[Pick(6)]);
            face.pointCount = points;
            for (int j = 0; j < 4; ++j)
                FillCorner(face, j, vertexCount);
        }
        return mesh;
    }

  private:
    int32_t Pick(size_t n) { return static_cast<int32_t>(rng_() % n); }

    float Coordinate() { return static_cast<float>(Pick(2001) - 1000) / 128.0f; }

    TestSkin Skin() {
        const float weights[] = {1.0f, 0.5f, 0.25f, 0.125f, 0.0f, -0.25f};
        TestSkin skin;
        for (int s = 0; s < 4; ++s) {
            skin.weights[s] = weights[Pick(6)];
            skin.bones[s] = Pick(300); // above 255 only the low byte counts
        }
        return skin;
    }

    TexCoord RandomTexCoord() {
        const size_t n = sizeof kTexValues / sizeof kTexValues[0];
        return TexCoord{kTexValues[Pick(n)], kTexValues[Pick(n)]};
    }

    // A corner mostly keeps its vertex's coordinate and direction; the
    // host's coordinate mostly equals Keynote's.
    void FillCorner(TestFace& face, int j, int32_t vertexCount) {
        int32_t v = Pick(static_cast<size_t>(vertexCount));
        face.points[j] = v;
        face.texCoords[j] = Pick(2) == 0 ? homeTex_[static_cast<size_t>(v)] : RandomTexCoord();
        face.hostTexCoords[j] = Pick(4) != 0 ? face.texCoords[j] : RandomTexCoord();
        size_t direction = Pick(2) == 0 ? homeDirection_[static_cast<size_t>(v)]
                                        : static_cast<size_t>(Pick(kDirectionCount));
        const float lengths[] = {1.0f, 2.5f, 0.4f, 0.0f};
        float length = lengths[Pick(16) == 0 ? 3 : Pick(3)];
        Point3 d = Direction(direction);
        face.normals[j] = Point3{d.x * length, d.y * length, d.z * length};
    }

    std::mt19937 rng_;
    std::vector<TexCoord> homeTex_;
    std::vector<size_t> homeDirection_;
};

bool SameBits(float a, float b) {
    uint32_t x, y;
    memcpy(&x, &a, 4);
    memcpy(&y, &b, 4);
    return x == y;
}

// The first difference between the conversion's WorkMesh and the reference,
// or an empty text when they agree everywhere.
std::string FirstDifference(const ReferenceResult& ref, const WorkMesh& work,
                            const UsedMaterialMap& used) {
    std::ostringstream out;
    int32_t count = VertexCount(work.object);
    if (static_cast<size_t>(count) != ref.vertices.size() ||
        work.attributes.Count() != ref.vertices.size()) {
        out << "vertex count " << count << " (attributes " << work.attributes.Count()
            << "), expected " << ref.vertices.size();
        return out.str();
    }
    for (size_t k = 0; k < ref.vertices.size(); ++k) {
        const ReferenceVertex& e = ref.vertices[k];
        const VertexAttributes& a = work.attributes[k];
        Point3 p = VertexAt(work.object, static_cast<int32_t>(k));
        if (!SameBits(p.x, e.position.x) || !SameBits(p.y, e.position.y) ||
            !SameBits(p.z, e.position.z))
            out << "vertex " << k << ": position";
        else if (!SameBits(a.texCoord.u, e.texCoord.u) || !SameBits(a.texCoord.v, e.texCoord.v))
            out << "vertex " << k << ": texture coordinate (" << a.texCoord.u << ", "
                << a.texCoord.v << "), expected (" << e.texCoord.u << ", " << e.texCoord.v << ")";
        else if (!SameBits(a.normal.x, e.normal.x) || !SameBits(a.normal.y, e.normal.y) ||
                 !SameBits(a.normal.z, e.normal.z))
            out << "vertex " << k << ": normal";
        for (int s = 0; s < 4 && out.tellp() == 0; ++s)
            if (a.bones[s] != e.bones[s] || !SameBits(a.weights[s], e.weights[s]))
                out << "vertex " << k << ": slot " << s << " bone " << int(a.bones[s]) << " weight "
                    << a.weights[s] << ", expected bone " << int(e.bones[s]) << " weight "
                    << e.weights[s];
        if (out.tellp() != 0)
            return out.str();
    }
    std::vector<WorkFace> faces = FacesOf(work.object);
    if (faces.size() != ref.triangles.size()) {
        out << "triangle count " << faces.size() << ", expected " << ref.triangles.size();
        return out.str();
    }
    for (size_t t = 0; t < faces.size(); ++t) {
        const ReferenceTriangle& e = ref.triangles[t];
        std::vector<int32_t> expected(e.points, e.points + 3);
        if (faces[t].points != expected || faces[t].material != e.material) {
            out << "triangle " << t << ": points";
            for (int32_t p : faces[t].points)
                out << ' ' << p;
            out << " material " << faces[t].material << ", expected " << e.points[0] << ' '
                << e.points[1] << ' ' << e.points[2] << " material " << e.material;
            return out.str();
        }
    }
    for (size_t m = 0; m < ref.materialUsed.size(); ++m)
        if ((used.entries[m] == 0) != ref.materialUsed[m]) {
            out << "material map entry " << m << " is " << used.entries[m];
            return out.str();
        }
    return out.str();
}

const uint32_t kSeeds[] = {11, 23, 5077, 90001, 424242, 7};

class SplitSearchTest : public ExportTest {
  protected:
    // Converts a mesh of every seed with the given tests and compares it
    // with the reference; returns the searches' tally over all seeds.
    SearchTally CompareOnRandomMeshes(bool byTexCoord, bool byNormal) {
        SearchTally total;
        for (uint32_t seed : kSeeds) {
            ResetHost();
            TestMesh mesh = MeshMaker(seed).Make();
            HostObject host = BuildHostObject(mesh);
            XSObjectImage image(mesh, host);
            EXPECT_NE(nullptr, image.Record());
            if (image.Record() == nullptr)
                return total;
            ExportOptions options;
            options.splitVertices = 1;
            options.splitByTexCoord = byTexCoord ? 1 : 0;
            options.splitByNormal = byNormal ? 1 : 0;
            WorkMesh work;
            EXPECT_TRUE(ConvertSplit(image.Record(), options, used, &work)) << "seed " << seed;

            ReferenceResult ref = ReferenceSplit(mesh, byTexCoord, byNormal).Run();
            EXPECT_EQ("", FirstDifference(ref, work, used)) << "seed " << seed;
            total.Add(ref.tally);
            if (work.object != 0)
                g_host.MQObj_Delete(work.object);
        }
        return total;
    }
};

} // namespace

TEST_F(SplitSearchTest, WithoutTestsEveryCornerOfASourceSharesItsFirstVertex) {
    SearchTally tally = CompareOnRandomMeshes(false, false);
    EXPECT_GT(tally.shared, 1000);
    EXPECT_EQ(0, tally.sameSourceMissed);
}

TEST_F(SplitSearchTest, TextureTestAloneMatchesTheLiteralSearch) {
    SearchTally tally = CompareOnRandomMeshes(true, false);
    EXPECT_GT(tally.shared, 100);
    EXPECT_GT(tally.sameSourceMissed, 100);
    EXPECT_GT(tally.laterAlsoPassed, 10);
    EXPECT_GT(tally.texNearPassed, 10);
    EXPECT_GT(tally.texNearFailed, 10);
    EXPECT_GT(tally.oppositeCancelled, 10);
    EXPECT_GT(tally.texAtLimit, 0);
}

TEST_F(SplitSearchTest, NormalTestAloneMatchesTheLiteralSearch) {
    SearchTally tally = CompareOnRandomMeshes(false, true);
    EXPECT_GT(tally.shared, 100);
    EXPECT_GT(tally.sameSourceMissed, 100);
    EXPECT_GT(tally.laterAlsoPassed, 10);
    EXPECT_GT(tally.normalNearPassed, 10);
    EXPECT_GT(tally.normalNearFailed, 10);
    EXPECT_GT(tally.normalAtLimit, 0);
}

TEST_F(SplitSearchTest, BothTestsMatchTheLiteralSearch) {
    SearchTally tally = CompareOnRandomMeshes(true, true);
    EXPECT_GT(tally.shared, 100);
    EXPECT_GT(tally.sameSourceMissed, 100);
    EXPECT_GT(tally.laterAlsoPassed, 10);
    EXPECT_GT(tally.texNearPassed, 10);
    EXPECT_GT(tally.texNearFailed, 10);
    EXPECT_GT(tally.normalNearPassed, 10);
    EXPECT_GT(tally.normalNearFailed, 10);
    EXPECT_GT(tally.texAtLimit, 0);
    EXPECT_GT(tally.normalAtLimit, 0);
}
