// A ped-like model as the game's own files have it: an unnamed clump root,
// "Root" carrying the HAnim hierarchy with the ped's turned axes, " Pelvis"
// below it, a spine, arms and legs with leading-space names; the mesh stored
// in the atomic frame's space and bound by consistent inverse bind matrices
// whose fourth column is padding.
#pragma once

#include <vector>

#include "tests/import/DffBuilder.h"

struct PedModel {
    TestClump clump;
    // Where the game shows each vertex (model space), and the bone each one
    // is mostly weighted to (-1 for the unused vertex).
    std::vector<Point3> shown;
    std::vector<int> mainBone;
    // Each bone's joint in model space, by bone (node) index.
    std::vector<Point3> joints;
};

PedModel MakePedModel(int32_t atomicFrame);
