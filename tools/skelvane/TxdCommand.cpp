#include "format/FileStream.h"
#include "tools/skelvane/TxdCommand.h"

#include <string.h>

#include <string>

#include "Plugins/Import/PngFile.h"
#include "check/ProblemText.h"
#include "format/RasterDecode.h"
#include "format/TextureDictionaryReader.h"
#include "frame/TextCase.h"
#include "tools/skelvane/ExitCodes.h"
#include "tools/skelvane/Folders.h"
#include "tools/skelvane/InputTally.h"

namespace {

const char* PlatformName(uint32_t id) {
    return id == kTexturePlatformD3D8 ? "D3D8" : "D3D9";
}

void PrintTexture(const TextureNative& t, FILE* out) {
    fprintf(out, "%-31s  mask %-31s  %s  %s%s  %ux%u  %u level(s)\n", t.name,
            t.maskName[0] != '\0' ? t.maskName : "-", PlatformName(t.platformId),
            RasterEncodingName(t.encoding), t.hasAlpha ? " alpha" : "",
            static_cast<unsigned>(t.width), static_cast<unsigned>(t.height),
            static_cast<unsigned>(t.mipLevelCount));
}

// The dictionary that already gave a texture of this name, or null.
const char* WrittenFrom(const WrittenTextures& written, const char* name) {
    for (size_t k = 0; k < written.names.size(); ++k)
        if (SameTextIgnoringCase(written.names[k].c_str(), name))
            return written.sources[k].c_str();
    return nullptr;
}

// Writes folder/NAME.png; false after printing why not.
bool WriteTexture(const TextureNative& t, const uint8_t* body, const char* folder,
                  const char* source, WrittenTextures* written, FILE* err) {
    if (t.name[0] == '\0' || strpbrk(t.name, "\\/:") != nullptr ||
        strspn(t.name, ".") == strlen(t.name)) {
        fprintf(err, "skelvane txd: \"%s\" is not a file name; not written\n", t.name);
        return false;
    }
    if (const char* earlier = WrittenFrom(*written, t.name)) {
        fprintf(err,
                "skelvane txd: \"%s\": a texture of that name was written from %s; not "
                "written over\n",
                t.name, earlier);
        return false;
    }
    std::string path = std::string(folder) + "/" + t.name + ".png";
    HeapArray<uint8_t> rgba;
    if (!rgba.Allocate(static_cast<size_t>(t.width) * t.height * 4) ||
        !DecodeRaster(TextureLevelView(t, body, 0), rgba.Data())) {
        fprintf(err, "skelvane txd: \"%s\": the pixels cannot be decoded\n", t.name);
        return false;
    }
    if (!WritePngFile(path.c_str(), rgba.Data(), t.width, t.height)) {
        fprintf(err, "skelvane txd: cannot write %s\n", path.c_str());
        return false;
    }
    written->names.push_back(t.name);
    written->sources.push_back(source);
    return true;
}

} // namespace

int ListTextureDictionary(ByteStream& stream, const char* folder, const char* source,
                          WrittenTextures* written, FILE* out, FILE* err) {
    TextureReadProblem problem;
    char text[kTextureReadTextSize];
    TextureDictionaryReader reader;
    if (!OpenTextureDictionary(reader, stream, &problem)) {
        DescribeTextureProblem(problem, text, sizeof text);
        fprintf(err, "skelvane txd: %s\n", text);
        return kExitFailure;
    }
    fprintf(out, "%u texture(s)\n", static_cast<unsigned>(reader.textureCount));
    HeapArray<uint8_t> body;
    bool complete = true;
    for (;;) {
        TextureNative t;
        TextureReadResult result = ReadNextTexture(reader, body, &t, &problem);
        if (result == TextureReadResult::kEnd)
            break;
        if (result == TextureReadResult::kTexture) {
            PrintTexture(t, out);
            if (folder != nullptr && !WriteTexture(t, body.Data(), folder, source, written, err))
                complete = false;
            continue;
        }
        complete = false;
        DescribeTextureProblem(problem, text, sizeof text);
        fprintf(err, "skelvane txd: %s\n",
                result == TextureReadResult::kOutOfMemory ? "not enough memory" : text);
        if (result != TextureReadResult::kTextureBroken)
            break;
    }
    return complete ? kExitSuccess : kExitFailure;
}

namespace {

enum : int { kOptionFolder = 1 };

const OptionSpec kTxdOptions[] = {
    {kOptionFolder, "-o", "DIR",
     "also write each texture's first level as DIR/NAME.png (the folder is made when missing; a "
     "name written once in a run is not written over)",
     false},
};

int ListFile(const char* path, const char* folder, WrittenTextures* written, bool* opened) {
    FileStream file;
    *opened = file.OpenForRead(path);
    if (!*opened) {
        fflush(stdout);
        fprintf(stderr, "skelvane txd: cannot open %s\n", path);
        return kExitFailure;
    }
    return ListTextureDictionary(file, folder, path, written, stdout, stderr);
}

int RunTxd(const CommandArguments& arguments) {
    const char* folder = arguments.Value(kOptionFolder);
    if (folder != nullptr && !MakeFolder(folder)) {
        fprintf(stderr, "skelvane txd: cannot make the folder %s\n", folder);
        return kExitFailure;
    }
    WrittenTextures written;
    bool opened = false;
    if (arguments.operands.size() == 1)
        return ListFile(arguments.operands[0], folder, &written, &opened);
    InputTally tally("txd", "dictionaries", stdout);
    for (const char* path : arguments.operands) {
        tally.Begin(path);
        int status = ListFile(path, folder, &written, &opened);
        tally.End(status, !opened                  ? "not opened"
                          : status == kExitSuccess ? "read"
                                                   : "with problems");
    }
    return tally.Finish();
}

} // namespace

const CommandSpec kTxdCommand = {
    "txd",
    "FILE.txd...",
    1,
    -1,
    "lists the textures of dictionaries, writes them as PNG files",
    "Lists every texture of each texture dictionary: name, mask, platform (Direct3D 8 or 9), "
    "raster format, size and mip levels.",
    "Exit status: 0 every texture read (and written), 1 otherwise (with several dictionaries, "
    "the worst of them), 64 usage error.",
    kTxdOptions,
    sizeof kTxdOptions / sizeof kTxdOptions[0],
    RunTxd};
