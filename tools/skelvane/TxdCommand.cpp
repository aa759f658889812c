#include "format/FileStream.h"
#include "tools/skelvane/TxdCommand.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#if defined(_WIN32)
#include <direct.h>
#endif

#include <string>

#include "Plugins/Import/PngFile.h"
#include "format/RasterDecode.h"
#include "format/TextureDictionaryReader.h"
#include "tools/skelvane/ExitCodes.h"

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

// Writes folder/NAME.png; false after printing why not.
bool WriteTexture(const TextureNative& t, const uint8_t* body, const char* folder, FILE* err) {
    if (t.name[0] == '\0' || strpbrk(t.name, "\\/:") != nullptr ||
        strspn(t.name, ".") == strlen(t.name)) {
        fprintf(err, "skelvane txd: \"%s\" is not a file name; not written\n", t.name);
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
    return true;
}

// Makes the output folder unless it exists.
bool MakeFolder(const char* folder) {
#if defined(_WIN32)
    int status = _mkdir(folder);
#else
    int status = mkdir(folder, 0777);
#endif
    return status == 0 || errno == EEXIST;
}

int Usage(const char* problem) {
    fprintf(stderr, "skelvane txd: %s\nusage: skelvane txd FILE.txd [-o DIR]\n", problem);
    return kExitUsage;
}

} // namespace

int ListTextureDictionary(ByteStream& stream, const char* folder, FILE* out, FILE* err) {
    char problem[kTextureProblemSize] = "";
    TextureDictionaryReader reader;
    if (!OpenTextureDictionary(reader, stream, problem, sizeof problem)) {
        fprintf(err, "skelvane txd: %s\n", problem);
        return kExitFailure;
    }
    fprintf(out, "%u texture(s)\n", static_cast<unsigned>(reader.textureCount));
    HeapArray<uint8_t> body;
    bool complete = true;
    for (;;) {
        TextureNative t;
        TextureReadResult result = ReadNextTexture(reader, body, &t, problem, sizeof problem);
        if (result == TextureReadResult::kEnd)
            break;
        if (result == TextureReadResult::kTexture) {
            PrintTexture(t, out);
            if (folder != nullptr && !WriteTexture(t, body.Data(), folder, err))
                complete = false;
            continue;
        }
        complete = false;
        fprintf(err, "skelvane txd: %s\n",
                result == TextureReadResult::kOutOfMemory ? "not enough memory" : problem);
        if (result != TextureReadResult::kTextureBroken)
            break;
    }
    return complete ? kExitSuccess : kExitFailure;
}

int RunTxdCommand(int argc, char** argv) {
    const char* input = nullptr;
    const char* folder = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (strcmp(argv[i], "-o") == 0 && i + 1 < argc)
            folder = argv[++i];
        else if (argv[i][0] == '-' || input != nullptr)
            return Usage((std::string("unexpected argument ") + argv[i]).c_str());
        else
            input = argv[i];
    }
    if (input == nullptr)
        return Usage("a dictionary file is needed");
    if (folder != nullptr && !MakeFolder(folder)) {
        fprintf(stderr, "skelvane txd: cannot make the folder %s\n", folder);
        return kExitFailure;
    }
    FileStream file;
    if (!file.OpenForRead(input)) {
        fprintf(stderr, "skelvane txd: cannot open %s\n", input);
        return kExitFailure;
    }
    return ListTextureDictionary(file, folder, stdout, stderr);
}
