// Writes one seed file of a fuzz target's corpus.
#pragma once

#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

inline bool WriteSeedFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}
