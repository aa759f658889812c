// Writes the seed files of the texture dictionary fuzzer: a dictionary of
// every raster format the reader knows (Direct3D 8 and 9, palettes, mip
// levels) and one texture per file of the block formats. Usage:
// make_txd_seeds DIR
#include <stdio.h>

#include <string>
#include <vector>

#include "fuzz/SeedFile.h"
#include "tests/format/TxdBuilder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_txd_seeds DIR\n");
        return 64;
    }
    const std::string dir = argv[1];
    bool ok =
        WriteSeedFile(dir + "/every_format.txd", TextureDictionaryBytes(EveryFormatTextures()));
    for (const RasterGolden& g : kRasterGoldens)
        if (g.encoding == RasterEncoding::kDxt5 || g.encoding == RasterEncoding::kPal4)
            ok = WriteSeedFile(dir + "/" + g.name + ".txd",
                               TextureDictionaryBytes({GoldenTexture(g)})) &&
                 ok;
    return ok ? 0 : 1;
}
