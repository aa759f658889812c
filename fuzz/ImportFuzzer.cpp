// libFuzzer target: imports each input as a .dff file into the simulated host
// and stops (abort) when the importer breaks one of its promises: nothing it
// made is left without an owner, a failed import shows exactly one message box
// and a completed one none, and every face it built names vertices and
// materials that exist.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "Plugins/Import/ImportDriver.h"
#include "format/AtomicLayout.h"
#include "format/ClumpLayout.h"
#include "format/FrameListLayout.h"
#include "format/Sections.h"
#include "hostsim/DialogScript.h"
#include "hostsim/HostSim.h"
#include "platform/posix/PosixHost.h"

namespace {

struct RunRecord {
    int messageBoxes = 0;
    int dialogs = 0;
    DialogScript script;
    DialogOutcome outcome;
};

RunRecord g_run;

void Require(bool condition, const char* what) {
    if (condition)
        return;
    fprintf(stderr, "import fuzzer: %s\n", what);
    abort();
}

int32_t OnMessageBox(void*, const char*, const char* caption, uint32_t style) {
    Require(strcmp(caption, "Skelvane Import") == 0, "message box with a foreign caption");
    Require(style == 0x10, "message box without the error icon and OK button");
    ++g_run.messageBoxes;
    return 1;
}

void OnTrace(void*, const char*) {}

intptr_t OnDialog(void*, int resourceId, DialogLogic* logic) {
    Require(resourceId == 102, "dialog other than the options dialog");
    ++g_run.dialogs;
    g_run.outcome = AnswerDialog(g_run.script, *logic);
    return g_run.outcome.result;
}

// Top-level clumps before the first malformed section, as the importer counts them.
int CountTopLevelClumps(const uint8_t* data, size_t size) {
    MemoryStream stream(data, size);
    SectionCursor cursor;
    if (!OpenSectionCursor(cursor, stream))
        return 0;
    int count = 0;
    while (FindChildSection(cursor, kSectionClump)) {
        ++count;
        LeaveSection(cursor);
    }
    return count;
}

// The first clump's records as the whole-section readers take them (the
// importer reads some of them its own way): its Struct, its Frame List, which
// must write back to bytes that read the same, and its Atomics.
void ReadRecordsAlone(const uint8_t* data, size_t size) {
    MemoryStream stream(data, size);
    SectionCursor c;
    if (!OpenSectionCursor(c, stream) || !FindChildSection(c, kSectionClump))
        return;
    const SectionCursor clump = c;
    ClumpStruct counts;
    if (FindChildSection(c, kSectionStruct))
        ReadClumpStruct(c, &counts);
    c = clump;
    RewindSection(c);
    FrameListRecord frames;
    if (ReadFrameListSection(c, &frames).result == FrameListResult::kOk) {
        MemoryStream out;
        Require(WriteFrameListSection(out, frames), "a Frame List read was not written");
        MemoryStream back(out.Data().data(), out.Data().size());
        SectionCursor b;
        FrameListRecord again;
        Require(OpenSectionCursor(b, back) &&
                    ReadFrameListSection(b, &again).result == FrameListResult::kOk &&
                    again.frameCount == frames.frameCount,
                "a Frame List written from a record did not read back");
    }
    c = clump;
    RewindSection(c);
    AtomicRecord atomic;
    while (ReadAtomicSection(c, &atomic)) {
    }
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, strlen(prefix), prefix) == 0;
}

// Every face of every object names vertices of its object and materials of
// the document.
void CheckDocument(HostDocument doc) {
    const HostSimDocument* d = HostSimFindDocument(doc);
    Require(d != nullptr, "document lost");
    size_t materialCount = d->materials.size();
    for (HostObject handle : d->objects) {
        const HostSimObject* obj = HostSimFindObject(handle);
        Require(obj != nullptr, "document holds an unknown object");
        size_t vertexCount = obj->vertices.size();
        for (const HostSimFace& face : obj->faces) {
            Require(face.pointCount >= 1 && face.pointCount <= 4, "face with a bad corner count");
            for (int32_t k = 0; k < face.pointCount; ++k)
                Require(face.points[k] >= 0 && static_cast<size_t>(face.points[k]) < vertexCount,
                        "face names a vertex outside its object");
            Require(face.material == -1 ||
                        (face.material >= 0 && static_cast<size_t>(face.material) < materialCount),
                    "face names a material outside the document");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_host = *HostSimFunctions();
    PlatformSinks sinks = {OnMessageBox, OnTrace, OnDialog, nullptr};
    PlatformInstallSinks(&sinks);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HostSimReset();
    HostDocument doc = HostSimCreateDocument("");
    g_run = RunRecord();
    // Confirm the dialog at the default scale; in a file of several clumps the
    // input's length picks one, so that skipping clumps is exercised too.
    int clumps = CountTopLevelClumps(data, size);
    if (clumps > 1)
        g_run.script.clump = static_cast<int>(size % static_cast<size_t>(clumps));

    MemoryStream stream(data, size);
    ImportOptions options;
    HostBool result = ImportDffStream(doc, "fuzz.dff", stream, options);

    Require(HostSimUnownedObjectCount() == 0, "an object was left without an owner");
    Require(HostSimUnownedMaterialCount() == 0, "a material was left without an owner");
    Require(g_run.dialogs <= 1, "the options dialog was shown more than once");
    if (result == 0) {
        Require(g_run.messageBoxes == 1, "a failed import did not show exactly one message box");
    } else {
        Require(result == 1, "import returned neither 0 nor 1");
        Require(g_run.messageBoxes == 0, "a completed import showed a message box");
        Require(g_run.dialogs == 1, "a completed import never asked for its options");
        const HostSimDocument* d = HostSimFindDocument(doc);
        if (g_run.outcome.result == 1 && !g_run.outcome.badClump) {
            // Confirmed: the mesh and the bone object were both added.
            Require(d->objects.size() == 2, "a completed import did not add two objects");
            Require(StartsWith(HostSimFindObject(d->objects[0])->name, "sdef:"),
                    "first object is not the mesh");
            Require(StartsWith(HostSimFindObject(d->objects[1])->name, "bone:"),
                    "second object is not the bone object");
        } else {
            Require(d->objects.empty() && d->materials.empty(),
                    "a cancelled import changed the document");
        }
    }
    CheckDocument(doc);
    HostSimDestroyDocument(doc);
    ReadRecordsAlone(data, size);
    return 0;
}
