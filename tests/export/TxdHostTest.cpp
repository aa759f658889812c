#include "check/ProblemText.h"
#include "tests/export/TxdTest.h"

#include <stdio.h>
#include <string.h>

#include <map>

#include "Plugins/Export/TextureDictionaryWriter.h"
#include "Plugins/Export/TextureList.h"
#include "format/ByteStream.h"
#include "format/SectionReader.h"
#include "hostsim/HostSim.h"
#include "platform/Platform.h"
#include "platform/posix/PosixHost.h"
#include "tools/skelvane/TextEncoding.h"

namespace {

std::map<std::string, TestImage> g_images;
std::vector<std::string> g_loadedPaths;
std::vector<int32_t> g_mappingKinds;
std::vector<ShownMessage>* g_messages = nullptr;
HostFunctionTable g_savedHost;

HostBool MQAPI FakeFindMappingFile(HostDocument, char* outPath, const char* name, uint32_t kind) {
    g_mappingKinds.push_back(kind);
    snprintf(outPath, 260, "%s", name);
    return 1;
}

void* CopyToLocalBlock(const std::vector<uint8_t>& bytes) {
    void* block = PlatformLocalAlloc(bytes.empty() ? 1 : bytes.size());
    if (!bytes.empty())
        memcpy(block, bytes.data(), bytes.size());
    return block;
}

HostBool MQAPI FakeLoadImage(const char* path, void** header, void** pixels, uint32_t) {
    g_loadedPaths.push_back(path);
    auto found = g_images.find(path);
    if (found == g_images.end())
        return 0;
    *header = CopyToLocalBlock(found->second.header);
    *pixels = CopyToLocalBlock(found->second.pixels);
    return 1;
}

int32_t OnMessage(void*, const char* text, const char* caption, uint32_t style) {
    g_messages->push_back(ShownMessage{ShiftJisToUtf8(text), caption, style});
    return kMessageBoxResultOk;
}

} // namespace

TestImage MakeHeaderOnly(int32_t width, int32_t height, uint16_t bitCount, uint32_t sizeImage,
                         size_t pixelBytes) {
    TestImage image;
    image.header.assign(40, 0);
    StoreU32(&image.header[0], 40);
    StoreU32(&image.header[4], static_cast<uint32_t>(width));
    StoreU32(&image.header[8], static_cast<uint32_t>(height));
    StoreU16(&image.header[12], 1);
    StoreU16(&image.header[14], bitCount);
    StoreU32(&image.header[20], sizeImage);
    image.pixels.assign(pixelBytes, 0xEE);
    return image;
}

void AddTestImage(const std::string& path, const TestImage& image) {
    g_images[path] = image;
}

const std::vector<std::string>& LoadedPaths() {
    return g_loadedPaths;
}

const std::vector<int32_t>& MappingKinds() {
    return g_mappingKinds;
}

void TxdTest::SetUp() {
    HostSimReset();
    g_savedHost = g_host;
    g_host = *HostSimFunctions();
    g_host.MQ_LoadImage = FakeLoadImage;
    g_host.MQDoc_FindMappingFile = FakeFindMappingFile;
    g_images.clear();
    g_loadedPaths.clear();
    g_mappingKinds.clear();
    doc_ = HostSimCreateDocument("");
    g_messages = &messages_;
    PlatformSinks sinks = {OnMessage, nullptr, nullptr, nullptr};
    PlatformInstallSinks(&sinks);
}

void TxdTest::TearDown() {
    PlatformInstallSinks(nullptr);
    g_messages = nullptr;
    EXPECT_TRUE(messages_.empty()) << messages_.front().text;
    if (!expectLeftOut_) {
        EXPECT_TRUE(!leftOut_.Any()) << LeftOutNames(leftOut_).front();
    }
    g_images.clear();
    g_host = g_savedHost;
    HostSimReset();
}

int32_t TxdTest::AddMaterial(const char* texture, const char* alphaMap) {
    HostMaterial m = g_host.MQ_CreateMaterial();
    g_host.MQMat_SetTextureName(m, texture);
    g_host.MQMat_SetAlphaName(m, alphaMap);
    return g_host.MQDoc_AddMaterial(doc_, m);
}

void TxdTest::Use(std::initializer_list<int32_t> materials) {
    EXPECT_TRUE(used_.Reset(g_host.MQDoc_GetMaterialCount(doc_)));
    for (int32_t m : materials)
        used_.MarkUsed(m);
    used_.Renumber();
}

std::vector<uint8_t> TxdTest::Write() {
    TextureList list;
    EXPECT_TRUE(BuildTextureList(doc_, used_, &list));
    MemoryStream stream;
    EXPECT_TRUE(WriteTextureDictionary(stream, doc_, list, leftOut_, output_));
    return stream.Data();
}

std::vector<std::string> LeftOutNames(const TexturesLeftOut& leftOut) {
    std::vector<std::string> names;
    for (int i = 0; i < leftOut.count; ++i) {
        const TextureLeftOut& r = leftOut.items[i];
        names.push_back(r.reason == TextureLeftOutReason::kCannotLoad
                            ? std::string(r.name)
                            : "(reason " + std::to_string(static_cast<int>(r.reason)) + ") " +
                                  r.name);
    }
    if (leftOut.more > 0)
        names.push_back("(" + std::to_string(leftOut.more) + " more)");
    return names;
}

ReadDictionary TxdTest::WriteAndRead() {
    ReadDictionary d = ReadTxd(Write());
    EXPECT_TRUE(d.problems.empty()) << d.problems.front();
    return d;
}

namespace {

struct Reader {
    SectionCursor cursor;
    ReadDictionary out;

    void Problem(const std::string& text) { out.problems.push_back(text); }

    // Enters the next section and checks its type; "what" names it in problems.
    bool Enter(uint32_t type, const char* what, SectionHeader* header = nullptr) {
        SectionHeader h = {};
        if (!EnterNextSection(cursor, &h)) {
            Problem(std::string("missing ") + what);
            return false;
        }
        if (h.type != type || h.libraryVersion != LibraryVersionStamp) {
            Problem(std::string("unexpected section where ") + what + " belongs");
            LeaveSection(cursor);
            return false;
        }
        if (header != nullptr)
            *header = h;
        return true;
    }

    // Leaves a section after checking that its body was read to the end.
    void Leave(const char* what) {
        if (SectionBytesLeft(cursor) != 0)
            Problem(std::string("bytes left in ") + what);
        LeaveSection(cursor);
    }

    void ReadName(std::vector<uint8_t>* field, std::string* text) {
        field->assign(32, 0);
        ReadBytes(cursor, field->data(), 32);
        const char* p = reinterpret_cast<const char*>(field->data());
        size_t length = strnlen(p, 32);
        if (length == 32)
            Problem("name field without terminator");
        text->assign(p, length);
    }

    void ReadTextureStruct(ReadTexture* t) {
        ReadU32(cursor, &t->platformId);
        ReadU16(cursor, &t->filterAddressing);
        ReadU16(cursor, &t->padding);
        ReadName(&t->nameField, &t->name);
        ReadName(&t->maskField, &t->maskName);
        ReadU32(cursor, &t->rasterFormat);
        ReadU32(cursor, &t->d3dFormat);
        ReadU16(cursor, &t->width);
        ReadU16(cursor, &t->height);
        ReadU8(cursor, &t->depth);
        ReadU8(cursor, &t->mipLevelCount);
        ReadU8(cursor, &t->rasterType);
        ReadU8(cursor, &t->nativeFlags);
        ReadU32(cursor, &t->dataSize);
        if (!ReadLevel(t->dataSize, &t->pixels))
            return;
        for (int level = 1; level < t->mipLevelCount; ++level) {
            uint32_t size = 0;
            t->levels.emplace_back();
            if (!ReadU32(cursor, &size) || !ReadLevel(size, &t->levels.back()))
                return;
        }
        if (SectionBytesLeft(cursor) != 0)
            Problem("pixel bytes after the last level");
    }

    bool ReadLevel(uint32_t size, std::vector<uint8_t>* bytes) {
        if (size > SectionBytesLeft(cursor)) {
            Problem("a level's size runs past the texture struct");
            return false;
        }
        bytes->resize(size);
        return size == 0 || ReadBytes(cursor, bytes->data(), size);
    }

    void ReadEmptyExtension(const char* what) {
        SectionHeader h;
        if (!Enter(kSectionExtension, what, &h))
            return;
        if (h.size != 0)
            Problem(std::string(what) + " is not empty");
        LeaveSection(cursor);
    }

    void ReadTextureNative() {
        ReadTexture t;
        if (Enter(kSectionStruct, "texture struct")) {
            ReadTextureStruct(&t);
            Leave("texture struct");
        }
        ReadEmptyExtension("texture extension");
        Leave("texture native");
        out.textures.push_back(t);
    }

    void Read() {
        if (!Enter(kSectionTextureDictionary, "texture dictionary"))
            return;
        if (Enter(kSectionStruct, "dictionary struct")) {
            ReadU16(cursor, &out.textureCount);
            ReadU16(cursor, &out.deviceId);
            Leave("dictionary struct");
        }
        SectionHeader h = {};
        bool closed = false;
        while (EnterNextSection(cursor, &h)) {
            if (h.type == kSectionTextureNative) {
                ReadTextureNative();
                continue;
            }
            if (h.type != kSectionExtension || h.size != 0)
                Problem("unexpected section in the dictionary");
            LeaveSection(cursor);
            if (SectionBytesLeft(cursor) != 0)
                Problem("sections after the dictionary extension");
            closed = true;
            break;
        }
        if (!closed)
            Problem("missing dictionary extension");
        Leave("texture dictionary");
        if (SectionBytesLeft(cursor) != 0)
            Problem("bytes after the dictionary");
        if (out.textureCount != out.textures.size())
            Problem("textureCount differs from the texture natives");
        if (IsMalformed(cursor))
            Problem(std::string("malformed: ") + StreamProblemText(cursor.problem));
    }
};

} // namespace

ReadDictionary ReadTxd(const std::vector<uint8_t>& bytes) {
    MemoryStream stream(bytes.data(), bytes.size());
    Reader reader;
    if (!OpenSectionCursor(reader.cursor, stream)) {
        reader.Problem("cannot open");
        return reader.out;
    }
    reader.Read();
    return reader.out;
}
