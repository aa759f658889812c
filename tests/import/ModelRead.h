// Reads back what a test needs of a model file: frames with their names and
// HAnim numbers, the positions of the first geometry and its skin.
#pragma once

#include <string>
#include <vector>

#include "format/FrameListLayout.h"
#include "format/SkinLayout.h"
#include "frame/MQHost.h"

struct ReadFrame {
    FrameRecord record;
    std::string name;
    bool hasHAnim = false;
    HAnimHeader hanim = {};
    std::vector<HAnimNodeRecord> nodes;
};

struct ReadModel {
    std::vector<ReadFrame> frames;
    std::vector<Point3> positions;
    std::vector<bool> used; // whether a triangle uses the vertex
    SkinRecord skin;
};

// False (with gtest failures) when the file does not read as expected.
bool ReadModelFile(const std::string& path, ReadModel* model);

// Every frame's model-space matrix.
std::vector<Matrix4> FrameGlobals(const ReadModel& model);
// The frame of each HAnim node, in node (bone index) order.
std::vector<size_t> NodeFrames(const ReadModel& model);

// Where the game shows each vertex: the weighted sum over its bones of
// position x inverse bind matrix x the bone's model-space matrix.
std::vector<Point3> ShownPositions(const ReadModel& model);
