// JSON scenes: what a scene puts into the host, defaults, the documented
// example, and the errors for scenes that break the rules.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "scene/SceneBuild.h"
#include "scene/SceneCapture.h"
#include "scene/SceneRead.h"
#include "scene/SceneText.h"
#include "platform/Platform.h"
#include "tests/hostsim/KeynoteTestSupport.h"

namespace {

class SceneFileTest : public KeynoteFixture {
  protected:
    HostDocument Load(const std::string& text) {
        HostDocument loaded = 0;
        std::string error;
        EXPECT_TRUE(HostSimLoadSceneText(text, "/scenes", &loaded, &error)) << error;
        return loaded;
    }

    // The error for a scene that must be refused.
    std::string Refuse(const std::string& text) {
        HostDocument loaded = 12345;
        std::string error;
        EXPECT_FALSE(HostSimLoadSceneText(text, "/scenes", &loaded, &error)) << text;
        EXPECT_EQ(loaded, 0u);
        return error;
    }
};

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(SceneFileTest, MaterialsAndObjectsReachTheDocument) {
    HostDocument scene = Load(R"({
        "materials": [{"name": "skin", "color": [1.0, 0.5, 0.25], "alpha": 0.75,
                       "diffuse": 0.5, "ambient": 0.25, "emission": 0.125, "specular": 0.0625,
                       "power": 7, "shader": 1, "vertexColor": true,
                       "texture": "tex\\skin.bmp", "alphaMap": "a.png", "bumpMap": "1:2:3"}],
        "objects": [{"name": "sdef:body", "shading": 0, "smoothAngle": 30, "visible": false,
                     "depth": 2, "vertices": [[0,0,0],[1,0,0],[0,1,0]],
                     "faces": [{"points": [0,1,2], "material": 0, "uv": [[0,0],[1,0.5],[0,1]]},
                               {"points": [2,1]}]}]})");
    ASSERT_EQ(MQDoc_GetMaterialCount(scene), 1);
    const HostSimMaterial* mat = HostSimFindMaterial(MQDoc_GetMaterial(scene, 0));
    ASSERT_NE(mat, nullptr);
    EXPECT_EQ(mat->name, "skin");
    EXPECT_EQ(mat->color.g, 0.5f);
    EXPECT_EQ(mat->color.b, 0.25f);
    EXPECT_EQ(mat->alpha, 0.75f);
    EXPECT_EQ(mat->diffuse, 0.5f);
    EXPECT_EQ(mat->ambient, 0.25f);
    EXPECT_EQ(mat->emission, 0.125f);
    EXPECT_EQ(mat->specular, 0.0625f);
    EXPECT_EQ(mat->power, 7.0f);
    EXPECT_EQ(mat->shader, 1);
    EXPECT_EQ(mat->vertexColor, 1);
    EXPECT_EQ(mat->textureName, "tex\\skin.bmp");
    EXPECT_EQ(mat->alphaName, "a.png");
    EXPECT_EQ(mat->bumpName, "1:2:3");

    ASSERT_EQ(MQDoc_GetObjectCount(scene), 1);
    const HostSimObject* obj = HostSimFindObject(MQDoc_GetObject(scene, 0));
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->name, "sdef:body");
    EXPECT_EQ(obj->shading, 0);
    EXPECT_EQ(obj->smoothAngle, 30.0f);
    EXPECT_EQ(obj->visible, 0);
    EXPECT_EQ(obj->depth, 2);
    ASSERT_EQ(obj->vertices.size(), 3u);
    EXPECT_EQ(obj->vertices[2].y, 1.0f);
    ASSERT_EQ(obj->faces.size(), 2u);
    EXPECT_EQ(obj->faces[0].material, 0);
    EXPECT_EQ(obj->faces[0].uv[1].v, 0.5f);
    EXPECT_EQ(obj->faces[1].pointCount, 2);
    EXPECT_EQ(obj->faces[1].points[0], 2);
    EXPECT_EQ(obj->faces[1].material, -1);
    EXPECT_EQ(HostSimUnownedObjectCount(), 0);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 0);
}

TEST_F(SceneFileTest, LeftOutKeysTakeTheirDefaults) {
    Scene scene;
    std::string error;
    ASSERT_TRUE(ParseScene(R"({"materials": [{"name": "m"}],
        "objects": [{"name": "o", "vertices": [[0,0,0]], "faces": [{"points": [0]}]}],
        "bones": [{"name": "b", "tag": "0:0:0"}]})",
                           &scene, &error))
        << error;
    EXPECT_TRUE(scene.keynotePresent);
    EXPECT_EQ(scene.versionAnswer, 0);
    const SceneMaterial& m = scene.materials[0];
    EXPECT_EQ(m.color.r, 1.0f);
    EXPECT_EQ(m.alpha, 1.0f);
    EXPECT_EQ(m.diffuse, 0.8f);
    EXPECT_EQ(m.ambient, 0.6f);
    EXPECT_EQ(m.power, 5.0f);
    EXPECT_EQ(m.shader, 3);
    EXPECT_EQ(m.texture, "");
    const SceneObject& o = scene.objects[0];
    EXPECT_EQ(o.shading, 1);
    EXPECT_EQ(o.smoothAngle, 59.5f);
    EXPECT_TRUE(o.visible);
    EXPECT_TRUE(o.keynote);
    EXPECT_TRUE(o.skin.empty());
    EXPECT_EQ(o.faces[0].material, -1);
    EXPECT_FALSE(o.faces[0].normals.given);
    EXPECT_EQ(o.faces[0].uv[0].u, 0.0f);
    const KeynoteBone& b = scene.bones[0];
    EXPECT_EQ(b.parent, -1);
    EXPECT_EQ(b.bind.m[0], 1.0f);
    EXPECT_EQ(b.bind.m[15], 1.0f);
    EXPECT_EQ(b.bind.m[1], 0.0f);
}

TEST_F(SceneFileTest, BrokenScenesAreRefusedWithThePlaceAtFault) {
    const std::string tri = R"("vertices": [[0,0,0],[1,0,0],[0,1,0]])";
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"[1, 2]", "scene: expected an object"},
        {R"({"object": []})", "object: unknown key"},
        {R"({"keynote": {"present": 1}})", "keynote.present: expected true or false"},
        {R"({"keynote": {"versionAnswer": 1.5}})", "keynote.versionAnswer: expected an integer"},
        {R"({"keynote": {"versionAnswer": 4294967296}})",
         "keynote.versionAnswer: integer out of range"},
        {R"({"materials": {}})", "materials: expected an array"},
        {R"({"materials": [{"color": [1,1,1]}]})", "materials[0]: missing \"name\""},
        {R"({"materials": [{"name": "m", "color": [1,1]}]})",
         "materials[0].color: expected an array of 3 numbers"},
        {R"({"materials": [{"name": "m", "alpha": 1e39}]})",
         "materials[0].alpha: number out of range for a 32-bit float"},
        {R"({"materials": [{"name": "m", "shader": 5}]})",
         "materials[0].shader: shader must be 0 to 4"},
        {R"({"materials": [{"name": "m", "colour": [1,1,1]}]})",
         "materials[0].colour: unknown key"},
        {R"({"objects": [{"name": "o", "vertices": [[0,0]]}]})",
         "objects[0].vertices[0]: expected an array of 3 numbers"},
        {R"({"objects": [{"name": "o", "shading": 2}]})",
         "objects[0].shading: shading must be 0 (flat) or 1 (smooth)"},
        {R"({"objects": [{"name": "o", )" + tri +
             R"(, "faces": [{"points": [0,1,2,0,1], "uv": [[0,0],[0,0]]}]}]})",
         "objects[0].faces[0].uv: expected one entry per point (5)"},
        {R"({"objects": [{"name": "o", )" + tri + R"(, "faces": [{"points": []}]}]})",
         "objects[0].faces[0].points: a face has 1 to 65535 points"},
        {R"({"objects": [{"name": "o", )" + tri +
             R"(, "faces": [{"points": [0,1]}, {"points": [0,3]}]}]})",
         "objects[0].faces[1].points[1]: vertex 3 out of range (3 vertices)"},
        {R"({"objects": [{"name": "o", )" + tri + R"(, "faces": [{"points": [0,-1,2]}]}]})",
         "objects[0].faces[0].points[1]: vertex -1 out of range (3 vertices)"},
        {R"({"objects": [{"name": "o", )" + tri +
             R"(, "faces": [{"points": [0,1,2], "material": 0}]}]})",
         "objects[0].faces[0].material: material 0 out of range (0 materials; -1 for none)"},
        {R"({"materials": [{"name": "m"}], "objects": [{"name": "o", )" + tri +
             R"(, "faces": [{"points": [0,1,2], "material": -2}]}]})",
         "objects[0].faces[0].material: material -2 out of range (1 materials; -1 for none)"},
        {R"({"objects": [{"name": "o", )" + tri +
             R"(, "faces": [{"points": [0,1,2], "uv": [[0,0],[1,1]]}]}]})",
         "objects[0].faces[0].uv: expected one entry per point (3)"},
        {R"({"objects": [{"name": "o", )" + tri +
             R"(, "faces": [{"points": [0,1,2], "normals": [[0,0,1],[0,0,1],[0,1]]}]}]})",
         "objects[0].faces[0].normals[2]: expected an array of 3 numbers"},
        {R"({"objects": [{"name": "o", )" + tri + R"(, "skin": [{}, {}]}]})",
         "objects[0].skin: expected one entry per vertex (3), found 2"},
        {R"({"objects": [{"name": "o", )" + tri +
             R"(, "skin": [{}, {"bones": [1,2,3,4,5]}, {}]}]})",
         "objects[0].skin[1].bones: expected an array of at most 4 bone numbers"},
        {R"({"objects": [{"name": "o", )" + tri + R"(, "skin": [{}, {}, {"weights": ["1"]}]}]})",
         "objects[0].skin[2].weights[0]: expected a number"},
        {R"({"bones": [{"name": "b"}]})", "bones[0]: missing \"tag\""},
        {R"({"bones": [{"name": "b", "tag": "0:0:0", "parent": 1}]})",
         "bones[0].parent: bone 1 out of range (1 bones; null for none)"},
        {R"({"bones": [{"name": ")" + std::string(256, 'x') + R"(", "tag": "0:0:0"}]})",
         "bones[0].name: text longer than 255 bytes"},
        {R"({"bones": [{"name": "b", "tag": "0:0:0", "matrix": [1,0,0,1]}]})",
         "bones[0].matrix: expected an array of 16 numbers"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Refuse(c.text), c.error) << c.text;
    }
    EXPECT_EQ(HostSimUnownedObjectCount(), 0);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 0);
}

// Of several faults the first in the checking order is named, wherever it
// stands in the text; malformed JSON comes first, and of a key given twice
// only the last value counts.
TEST_F(SceneFileTest, OfSeveralFaultsTheFirstInCheckingOrderIsNamed) {
    const std::string cases[][2] = {
        {R"({"objects": [{"faces": [{"points": [5]}], "name": "o"}], "materials": 3})",
         "materials: expected an array"},
        {R"({"materials": [{"shader": 9, "zz": 1, "bogus": 1, "name": 1}]})",
         "materials[0].bogus: unknown key"},
        {R"({"objects": [{"faces": [{"points": [0], "material": 2}], "vertices": [[0,0,0]],
             "name": "o"}], "materials": [{"name": "m"}]})",
         "objects[0].faces[0].material: material 2 out of range (1 materials; -1 for none)"},
        {R"({"bones": [{"parent": 5, "matrix": [1], "tag": "t", "name": "b"}]})",
         "bones[0].matrix: expected an array of 16 numbers"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Refuse(c[0]), c[1]) << c[0];
    }
    EXPECT_EQ(Refuse(R"({"materials": 3, )").rfind("not a valid JSON scene: ", 0), 0u);
    Load(R"({"keynote": {"present": 1, "present": true},
             "objects": [{"name": "o", "skin": 3, "skin": []}]})");
}

// Keys in any order, escapes and UTF-8 texts, and numbers of any JSON
// spelling read as their plain form; of a key given twice the last value counts.
TEST_F(SceneFileTest, UnusualValidScenesReadAsTheirPlainForm) {
    const std::string plain =
        R"({"materials": [{"name": "m\u00e9/\"q\"", "alpha": 0.5}],
        "objects": [{"name": "o", "vertices": [[0,0,0],[1,0,0],[0,1,0]],
          "faces": [{"points": [0,1,2], "material": 0, "uv": [[0,0],[1,0],[0,1]]}]}],
        "bones": [{"name": "b", "tag": "0:0:0"}, {"name": "c", "tag": "1:1:0", "parent": 0}]})";
    const std::string unusual =
        "\t{ \"bones\" : [{\"tag\": \"0:0:0\", \"name\": \"b\", \"parent\": null},"
        " {\"parent\": 0, \"name\": \"c\", \"tag\": \"1:1:0\"}],\r\n"
        "\"objects\": [{\"faces\": [{\"uv\": [[-0,0.0],[1e0,0],[0,100e-2]], \"material\": 0,"
        " \"points\": [0,1,2]}], \"vertices\": [[0,0,0],[1,0,0],[0,1,0]], \"name\": \"o\"}],"
        " \"materials\": [{\"alpha\": 5E-1, \"name\": \"m\xC3\xA9\\/\\\"q\\\"\"}]}\n";
    Scene a, b;
    std::string error;
    ASSERT_TRUE(ParseScene(plain, &a, &error)) << error;
    ASSERT_TRUE(ParseScene(unusual, &b, &error)) << error;
    EXPECT_EQ(SceneText(a), SceneText(b));
    EXPECT_EQ(b.materials[0].name, "m\xC3\xA9/\"q\"");
    EXPECT_FALSE(std::signbit(b.objects[0].faces[0].uv[0].u));

    const std::string twice = R"({"keynote": {"versionAnswer": 1, "versionAnswer": 7}})";
    ASSERT_TRUE(ParseScene(twice, &a, &error)) << error;
    EXPECT_EQ(a.versionAnswer, 7);
}

TEST_F(SceneFileTest, TextThatIsNotJsonIsRefused) {
    for (const char* text : {"", "{", R"({"objects": [}])", "{} trailing"}) {
        std::string error = Refuse(text);
        EXPECT_EQ(error.rfind("not a valid JSON scene: ", 0), 0u) << error;
    }
}

TEST_F(SceneFileTest, TheDocumentedExampleLoads) {
    std::string doc = ReadText(SKELVANE_SOURCE_DIR "/docs/scene-format.md");
    size_t start = doc.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    start += 8;
    size_t end = doc.find("```", start);
    ASSERT_NE(end, std::string::npos);
    HostDocument scene = Load(doc.substr(start, end - start));
    EXPECT_EQ(MQDoc_GetMaterialCount(scene), 2);
    EXPECT_EQ(MQDoc_GetObjectCount(scene), 1);
    EXPECT_EQ(SendToKeynote(scene, "CheckVersion:512"), 0);
    EXPECT_NE(SendToKeynote(scene, "CreateXSDocument"), 0);
    SendToKeynote(scene, "DeleteXSDocument");
}

// A scene file in a folder of its own, with a texture in a subfolder.
class SceneFolderTest : public SceneFileTest {
  protected:
    void SetUp() override {
        SceneFileTest::SetUp();
        char pattern[] = "/tmp/hostsim_sceneXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        ASSERT_EQ(mkdir((folder_ + "/tex").c_str(), 0700), 0);
        std::string image = ReadText(SKELVANE_TEST_DATA_DIR "/images/rgb_3x2.bmp");
        ASSERT_FALSE(image.empty());
        std::ofstream(folder_ + "/tex/skin.bmp", std::ios::binary) << image;
    }
    void TearDown() override {
        unlink((folder_ + "/tex/skin.bmp").c_str());
        rmdir((folder_ + "/tex").c_str());
        unlink((folder_ + "/scene.json").c_str());
        rmdir(folder_.c_str());
        SceneFileTest::TearDown();
    }
    std::string WriteScene(const std::string& text) {
        std::string path = folder_ + "/scene.json";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string folder_;
};

TEST_F(SceneFolderTest, TexturesResolveAgainstTheSceneFolderAndLoad) {
    std::string path =
        WriteScene(R"({"materials": [{"name": "skin", "texture": "tex\\skin.bmp"}]})");
    HostDocument scene = 0;
    std::string error;
    ASSERT_TRUE(HostSimLoadScene(path.c_str(), &scene, &error)) << error;
    const HostSimDocument* record = HostSimFindDocument(scene);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->folder, folder_);

    char name[64];
    MQMat_GetTextureName(MQDoc_GetMaterial(scene, 0), name, sizeof name);
    char resolved[260];
    EXPECT_EQ(MQDoc_FindMappingFile(scene, resolved, name, 1), 1);
    EXPECT_EQ(std::string(resolved), folder_ + "/tex/skin.bmp");
    void* header = nullptr;
    void* pixels = nullptr;
    ASSERT_EQ(MQ_LoadImage(resolved, &header, &pixels, 0), 1);
    EXPECT_EQ(static_cast<const uint8_t*>(header)[4], 3); // width
    PlatformLocalFree(header);
    PlatformLocalFree(pixels);
}

TEST_F(SceneFolderTest, FileErrorsNameTheFile) {
    std::string path = WriteScene(R"({"objects": [{"name": 5}]})");
    HostDocument scene = 77;
    std::string error;
    EXPECT_FALSE(HostSimLoadScene(path.c_str(), &scene, &error));
    EXPECT_EQ(scene, 0u);
    EXPECT_EQ(error, path + ": objects[0].name: expected a string");

    std::string missing = folder_ + "/none.json";
    EXPECT_FALSE(HostSimLoadScene(missing.c_str(), &scene, &error));
    EXPECT_EQ(error, "cannot read the scene file " + missing);
}

TEST_F(SceneFileTest, WrittenSceneReadsBackToTheSameValues) {
    Scene scene;
    SceneMaterial m;
    m.name = "q\"uo\\te\n";
    m.color = ColorRGB{0.1f, 1e-7f, 0.333333343f};
    m.texture = "tex/skin.png";
    m.bumpMap = "3:25:2";
    scene.materials.push_back(m);
    SceneObject o;
    o.name = "sdef:\x82\xa0"
             "bad\xff"; // Shift-JIS and a stray byte
    o.vertices = {{1.5f, -2.25e-5f, 123456.789f}, {0, 0, 0}, {0, 1, 0}};
    SceneFace f;
    f.pointCount = 3;
    f.points[1] = 1;
    f.points[2] = 2;
    f.material = 0;
    f.uv[1] = TexCoord{0.7f, NAN};
    o.faces.push_back(f);
    o.skin.resize(3);
    o.skin[0].bone[1] = 7;
    o.skin[0].weight[1] = 0.3f;
    scene.objects.push_back(o);
    KeynoteBone bone;
    bone.name = "Root";
    bone.tag = "0:0:0";
    bone.bind.m[4] = 0.6f;
    scene.bones = {bone, bone};
    scene.bones[1].parent = 0;
    Scene back;
    std::string error;
    ASSERT_TRUE(ParseScene(SceneText(scene), &back, &error)) << error << SceneText(scene);
    EXPECT_EQ(back.materials[0].name, m.name);
    EXPECT_EQ(back.materials[0].color.g, m.color.g);
    EXPECT_EQ(back.materials[0].color.b, m.color.b);
    EXPECT_EQ(back.materials[0].bumpMap, m.bumpMap);
    EXPECT_EQ(back.objects[0].name, "sdef:\xef\xbf\xbd\xef\xbf\xbd"
                                    "bad\xef\xbf\xbd");
    EXPECT_EQ(back.objects[0].vertices[0].y, o.vertices[0].y);
    EXPECT_EQ(back.objects[0].vertices[0].z, o.vertices[0].z);
    EXPECT_EQ(back.objects[0].faces[0].points[2], 2);
    EXPECT_EQ(back.objects[0].faces[0].uv[1].u, 0.7f);
    EXPECT_EQ(back.objects[0].faces[0].uv[1].v, 0.0f); // no NaN in JSON
    EXPECT_EQ(back.objects[0].skin[0].bone[1], 7);
    EXPECT_EQ(back.objects[0].skin[0].weight[1], 0.3f);
    EXPECT_EQ(back.bones[1].parent, 0);
    EXPECT_EQ(back.bones[0].parent, -1);
    EXPECT_EQ(back.bones[1].bind.m[4], 0.6f);
}

} // namespace
