// libFuzzer target: reads each input as a JSON scene with both readers. It
// stops (abort) when the single-pass reader accepts a scene that the checking
// reader refuses, or reads it to other values (compared as scene text).
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "hostsim/SceneFastParse.h"
#include "hostsim/SceneFile.h"
#include "hostsim/SceneWrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    Scene fast, checked;
    std::string error;
    bool checkedOk = ParseSceneChecked(text, &checked, &error);
    if (!ParseSceneFast(text, &fast)) {
        return 0;
    }
    if (!checkedOk) {
        fprintf(stderr, "scene fuzzer: accepted what the checking reader refuses: %s\n",
                error.c_str());
        abort();
    }
    if (SceneText(fast) != SceneText(checked)) {
        fprintf(stderr, "scene fuzzer: the readers disagree\n");
        abort();
    }
    return 0;
}
