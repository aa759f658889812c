// A stand-in for the Keynote plug-in: answers the user messages addressed to
// Keynote (product 0xBD1224DB, id 44) for the documents it has data for, and
// builds their skeleton documents (XSDocument) from the host objects.
#pragma once

#include <stdint.h>

#include <vector>

#include "hostsim/HostSim.h"
#include "hostsim/XSDocumentWriter.h"

// Corner normals a scene gives for one face, one per point (Keynote's
// records carry the first four).
struct KeynoteFaceNormals {
    bool given = false; // false: computed from the geometry
    CornerArray<Point3> corner;
};

// What Keynote holds for one host object of the document.
struct KeynoteObjectData {
    HostObject object = 0;
    std::vector<KeynoteSkinVertex> skin;     // per vertex; vertices past the end: zero
    std::vector<KeynoteFaceNormals> normals; // per face; faces past the end: computed
};

// What Keynote holds for one document.
struct KeynoteDocumentData {
    bool present = true;       // false: Keynote answers nothing at all
    int32_t versionAnswer = 0; // the answer to "CheckVersion:%d"
    std::vector<KeynoteObjectData> objects;
    std::vector<KeynoteBone> bones;
};

// Gives doc its Keynote data (replacing any earlier) and installs the stand-in
// as the host's user message handler.
void HostSimSetKeynoteData(HostDocument doc, KeynoteDocumentData data);
// Installs the stand-in as the host's user message handler, with its reset
// as one of the host's reset hooks.
void HostSimInstallKeynote();
// Releases every skeleton document built so far and forgets all data.
void HostSimKeynoteReset();
// Skeleton documents built and not yet deleted, over all documents.
int HostSimKeynoteLiveDocumentCount();

// The content of doc's skeleton document as it stands now: one object per
// data object that doc owns (vertices, faces, materials and texture
// coordinates from the host object; normals and skin from the data), and the
// bones. False when doc has no data.
bool BuildKeynoteContent(HostDocument doc, KeynoteContent* content);

// The user message handler (see HostSimSetUserMessageHandler); record is a
// UserMessageRecord. Returns 1 when the message was Keynote's and answered.
HostBool KeynoteAnswerUserMessage(void* user, void* record);
