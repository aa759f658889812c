// Keynote's bones read back from a bone object: by the modeller's bone-tool
// convention a "bone:" object holds one triangle per bone (joint, head, side),
// named by its material, whose bump map name carries the bone's HAnim tag.
#pragma once

#include <vector>

#include "hostsim/HostSim.h"
#include "hostsim/XSDocumentWriter.h"

// One bone per triangle with a material, in face order: name and tag from the
// material, position = the joint, parent = the bone whose head is this joint
// or whose head this bone's two-point face reaches, and a bind matrix such
// that AxisTurn x bind has the drawn axes as its rotation rows (first: joint
// to head, second: joint to side, third: their cross product).
std::vector<KeynoteBone> BonesFromBoneObject(const HostSimDocument& doc,
                                             const HostSimObject& object);

// The document's first object whose name starts with "bone:", or null.
const HostSimObject* FindBoneObject(const HostSimDocument& doc);
