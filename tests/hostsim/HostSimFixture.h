// Every test starts from an empty host with one document.
#pragma once

#include <gtest/gtest.h>

#include "hostsim/HostExports.h"
#include "hostsim/HostSim.h"

class HostSimFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        HostSimReset();
        doc = HostSimCreateDocument("/models");
    }
    void TearDown() override { HostSimReset(); }

    // An unowned object holding the given points as vertices.
    HostObject MakeObject(std::initializer_list<Point3> points) {
        HostObject obj = MQ_CreateObject();
        for (const Point3& p : points) {
            MQObj_AddVertex(obj, &p);
        }
        return obj;
    }

    int32_t AddFace(HostObject obj, std::initializer_list<int32_t> points) {
        std::vector<int32_t> list(points);
        return MQObj_AddFace(obj, static_cast<int32_t>(list.size()), list.data());
    }

    HostDocument doc = 0;
};
