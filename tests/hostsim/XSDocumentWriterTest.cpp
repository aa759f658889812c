// The skeleton document layout, read back through the exporter's reader.
#include <gtest/gtest.h>
#include <string.h>

#include "Plugins/Export/KeynoteDocument.h"
#include "frame/KeynoteLayout.h"
#include "hostsim/LowMemory.h"
#include "hostsim/XSDocumentWriter.h"

namespace {

// A laid-out document in a block of its own, released at the end of the test.
class LaidOut {
  public:
    explicit LaidOut(const KeynoteContent& content) : size_(XSDocumentByteSize(content)) {
        block_ = static_cast<uint8_t*>(AllocateLowBlock(size_));
        if (block_ != nullptr) {
            WriteXSDocument(content, block_);
        }
    }
    ~LaidOut() { FreeLowBlock(block_, size_); }
    XSRecord doc() const { return block_; }
    size_t size() const { return size_; }
    bool Contains(XSRecord p, size_t bytes) const {
        return p >= block_ && bytes <= size_ && p - block_ <= static_cast<ptrdiff_t>(size_ - bytes);
    }

  private:
    size_t size_;
    uint8_t* block_;
};

KeynoteFace Face(std::initializer_list<int32_t> points, int32_t material) {
    KeynoteFace face;
    face.pointCount = static_cast<int32_t>(points.size());
    int i = 0;
    for (int32_t p : points) {
        face.vertexIndex[i] = p;
        face.texCoord[i] = TexCoord{0.25f * i, 1.0f - 0.125f * i};
        face.cornerNormal[i] = Point3{0.0f, static_cast<float>(i), -1.0f};
        ++i;
    }
    face.material = material;
    return face;
}

KeynoteContent TwoObjectsThreeBones() {
    KeynoteContent content;
    KeynoteObject quad;
    quad.host = 0x20000003u;
    quad.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {5, 6, 7}};
    quad.faces = {Face({0, 1, 2, 3}, 2), Face({4, 0, 1}, -1)};
    quad.skin.resize(5);
    quad.skin[4].bone[0] = 3;
    quad.skin[4].bone[3] = 300;
    quad.skin[4].weight[0] = 0.75f;
    quad.skin[4].weight[3] = 0.25f;
    KeynoteObject tri;
    tri.host = 0x20000009u;
    tri.vertices = {{-1, -2, -3}, {4, 5, 6}, {7, 8, 9}};
    tri.faces = {Face({2, 1, 0}, 0)};
    tri.skin.resize(1); // the other vertices read as zero weights
    tri.skin[0].bone[1] = 2;
    tri.skin[0].weight[1] = 1.0f;
    content.objects = {quad, tri};

    content.bones.resize(3);
    content.bones[0].name = "Root";
    content.bones[0].tag = "0:0:0";
    content.bones[1].name = "Pelvis";
    content.bones[1].tag = "1:1:0";
    content.bones[1].parent = 0;
    content.bones[1].position = Point3{0.5f, -0.25f, 2.0f};
    for (int i = 0; i < 16; ++i) {
        content.bones[1].bind.m[i] = static_cast<float>(i) * 0.5f - 3.0f;
    }
    content.bones[2].name = "Spine";
    content.bones[2].tag = "2:5:3";
    content.bones[2].parent = 1;
    return content;
}

TEST(XSDocumentWriterTest, SizeCountsEveryRecordAndArray) {
    KeynoteContent content = TwoObjectsThreeBones();
    size_t expected = 36 + 4 * 2 + 4 * 3 + 692 * 3 + (296 + 5 * 44 + 2 * 132 + 5 * 80) +
                      (296 + 3 * 44 + 1 * 132 + 3 * 80);
    EXPECT_EQ(XSDocumentByteSize(content), expected);
    EXPECT_EQ(XSDocumentByteSize(KeynoteContent()), 36u);
}

TEST(XSDocumentWriterTest, ObjectsReadBackThroughTheExporterReader) {
    KeynoteContent content = TwoObjectsThreeBones();
    LaidOut laid(content);
    ASSERT_NE(laid.doc(), nullptr);
    XSRecord doc = laid.doc();
    ASSERT_EQ(XSObjectCount(doc), 2);
    for (int32_t o = 0; o < 2; ++o) {
        const KeynoteObject& in = content.objects[o];
        XSRecord object = XSObjectAt(doc, o);
        ASSERT_TRUE(laid.Contains(object, kXSObjectSize));
        EXPECT_EQ(XSObjectHost(object), in.host);
        ASSERT_EQ(XSObjectFaceCount(object), static_cast<int32_t>(in.faces.size()));
        EXPECT_TRUE(laid.Contains(XSRefAt(object, kXSObjectVertices), in.vertices.size() * 44));
        EXPECT_TRUE(laid.Contains(XSRefAt(object, kXSObjectFaces), in.faces.size() * 132));
        EXPECT_TRUE(laid.Contains(XSRefAt(object, kXSObjectSkin), in.vertices.size() * 80));
        for (size_t v = 0; v < in.vertices.size(); ++v) {
            Point3 p = XSObjectVertex(object, static_cast<int32_t>(v));
            EXPECT_EQ(p.x, in.vertices[v].x);
            EXPECT_EQ(p.y, in.vertices[v].y);
            EXPECT_EQ(p.z, in.vertices[v].z);
            XSSkinVertex skin = XSObjectSkin(object, static_cast<int32_t>(v));
            KeynoteSkinVertex expected = v < in.skin.size() ? in.skin[v] : KeynoteSkinVertex();
            for (int k = 0; k < 4; ++k) {
                EXPECT_EQ(skin.bone[k], expected.bone[k]) << o << " " << v << " " << k;
                EXPECT_EQ(skin.weight[k], expected.weight[k]) << o << " " << v << " " << k;
            }
        }
        for (size_t f = 0; f < in.faces.size(); ++f) {
            XSFace face = XSObjectFace(object, static_cast<int32_t>(f));
            const KeynoteFace& e = in.faces[f];
            EXPECT_EQ(face.pointCount, e.pointCount);
            EXPECT_EQ(face.materialIndex, e.material);
            for (int k = 0; k < 4; ++k) {
                EXPECT_EQ(face.vertexIndex[k], e.vertexIndex[k]);
                EXPECT_EQ(face.texCoord[k].u, e.texCoord[k].u);
                EXPECT_EQ(face.texCoord[k].v, e.texCoord[k].v);
                EXPECT_EQ(face.cornerNormal[k].y, e.cornerNormal[k].y);
                EXPECT_EQ(face.cornerNormal[k].z, e.cornerNormal[k].z);
            }
        }
    }
}

TEST(XSDocumentWriterTest, BonesReadBackWithParentRefs) {
    KeynoteContent content = TwoObjectsThreeBones();
    LaidOut laid(content);
    ASSERT_NE(laid.doc(), nullptr);
    XSRecord doc = laid.doc();
    ASSERT_EQ(XSBoneCount(doc), 3);
    XSRecord records[3];
    for (int32_t b = 0; b < 3; ++b) {
        records[b] = XSBoneAt(doc, b);
        ASSERT_TRUE(laid.Contains(records[b], kXSBoneSize));
    }
    for (int32_t b = 0; b < 3; ++b) {
        const KeynoteBone& in = content.bones[b];
        XSBone bone = ReadXSBone(records[b]);
        EXPECT_STREQ(bone.name, in.name.c_str());
        EXPECT_STREQ(bone.tag, in.tag.c_str());
        EXPECT_EQ(bone.position.x, in.position.x);
        EXPECT_EQ(bone.position.y, in.position.y);
        EXPECT_EQ(bone.position.z, in.position.z);
        EXPECT_EQ(memcmp(bone.bind.m, in.bind.m, sizeof bone.bind.m), 0) << b;
        EXPECT_EQ(bone.parent, in.parent < 0 ? nullptr : records[in.parent]) << b;
    }
}

TEST(XSDocumentWriterTest, UnspecifiedBytesAreZero) {
    KeynoteContent content = TwoObjectsThreeBones();
    LaidOut laid(content);
    ASSERT_NE(laid.doc(), nullptr);
    const uint8_t zeros[268] = {};
    XSRecord doc = laid.doc();
    EXPECT_EQ(memcmp(doc, zeros, 8), 0);
    EXPECT_EQ(memcmp(doc + 16, zeros, 12), 0);
    XSRecord object = XSObjectAt(doc, 0);
    EXPECT_EQ(memcmp(object, zeros, 268), 0);
    EXPECT_EQ(memcmp(object + 272, zeros, 4), 0);
    EXPECT_EQ(memcmp(object + 280, zeros, 4), 0);
    XSRecord face = XSRefAt(object, kXSObjectFaces);
    EXPECT_EQ(memcmp(face + 24, zeros, 16), 0);
    XSRecord bone = XSBoneAt(doc, 0);
    EXPECT_EQ(memcmp(bone, zeros, 4), 0);
    EXPECT_EQ(memcmp(bone + 528, zeros, 24), 0);
    EXPECT_EQ(memcmp(bone + 616, zeros, 72), 0); // after the matrix, before the parent
    // The root's parent and the rest of its name field.
    EXPECT_EQ(memcmp(bone + kXSBoneParent, zeros, 4), 0);
    EXPECT_EQ(memcmp(bone + kXSBoneName + 4, zeros, 252), 0);
}

TEST(XSDocumentWriterTest, LongBoneTextsAreCutToTheirFields) {
    KeynoteContent content;
    content.bones.resize(1);
    content.bones[0].name = std::string(300, 'n');
    content.bones[0].tag = std::string(256, 't');
    LaidOut laid(content);
    ASSERT_NE(laid.doc(), nullptr);
    XSRecord bone = XSBoneAt(laid.doc(), 0);
    EXPECT_EQ(bone[kXSBoneName + 254], 'n');
    EXPECT_EQ(bone[kXSBoneName + 255], 0);
    EXPECT_EQ(bone[kXSBoneTag + 254], 't');
    EXPECT_EQ(bone[kXSBoneTag + 255], 0);
    EXPECT_EQ(bone[kXSBonePosition], 0);
}

TEST(XSDocumentWriterTest, ParentsOutOfRangeAreTopBones) {
    KeynoteContent content;
    content.bones.resize(2);
    content.bones[0].parent = 2;
    content.bones[1].parent = -5;
    LaidOut laid(content);
    ASSERT_NE(laid.doc(), nullptr);
    EXPECT_EQ(ReadXSBone(XSBoneAt(laid.doc(), 0)).parent, nullptr);
    EXPECT_EQ(ReadXSBone(XSBoneAt(laid.doc(), 1)).parent, nullptr);
}

TEST(LowMemoryTest, BlocksAreZeroFilledAndBelow4GiB) {
    const size_t size = 3 * 4096 + 5;
    uint8_t* block = static_cast<uint8_t*>(AllocateLowBlock(size));
    ASSERT_NE(block, nullptr);
    uint64_t end = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(block)) + size;
    EXPECT_LE(end, UINT64_C(0x100000000));
    size_t nonZero = 0;
    for (size_t i = 0; i < size; ++i) {
        nonZero += block[i] != 0;
    }
    EXPECT_EQ(nonZero, 0u);
    block[size - 1] = 1; // writable to its last byte
    FreeLowBlock(block, size);
    EXPECT_EQ(AllocateLowBlock(0), nullptr);
    EXPECT_EQ(AllocateLowBlock(size_t(1) << 31), nullptr);
}

} // namespace
