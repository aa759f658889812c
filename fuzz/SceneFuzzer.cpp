// libFuzzer target: reads each input as a JSON scene. It stops (abort) when a
// scene read is not read back to the same values from the text written for it.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "scene/SceneRead.h"
#include "scene/SceneText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    Scene scene, back;
    std::string error;
    if (!ParseScene(text, &scene, &error)) {
        if (error.empty()) {
            fprintf(stderr, "scene fuzzer: refused without a message\n");
            abort();
        }
        return 0;
    }
    const std::string written = SceneText(scene);
    if (!ParseScene(written, &back, &error)) {
        fprintf(stderr, "scene fuzzer: the written scene does not read: %s\n", error.c_str());
        abort();
    }
    if (SceneText(back) != written) {
        fprintf(stderr, "scene fuzzer: the written scene reads back to other values\n");
        abort();
    }
    return 0;
}
