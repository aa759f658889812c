// Writes the seed files of the check fuzzer: a ped that keeps every rule and
// the dictionary of its texture. Usage: make_check_seeds DIR
#include <stdio.h>

#include <string>
#include <vector>

#include "fuzz/SeedFile.h"
#include "tests/check/PedRecords.h"
#include "tests/format/TxdBuilder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_check_seeds DIR\n");
        return 64;
    }
    const std::string dir = argv[1];
    PedRecords ped;
    MakePed(&ped);
    BuiltTexture body;
    body.name = "body";
    body.rasterFormat = kRasterFormat8888;
    body.d3dFormat = kD3DFormatA8R8G8B8;
    body.width = 2;
    body.height = 2;
    body.depth = 32;
    body.levels.emplace_back(16, 0x80);
    bool ok = WriteSeedFile(dir + "/ped.dff", PedBytes(ped));
    ok = WriteSeedFile(dir + "/ped.txd", TextureDictionaryBytes({body})) && ok;
    return ok ? 0 : 1;
}
