// Every test starts from an empty host with one document.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostsim/HostExports.h"
#include "hostsim/HostSim.h"

// Breaches of the host's contract are collected instead of ending the
// program; a test that does not expect any fails when one happens.
class HostSimFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        HostSimReset();
        Breaches().clear();
        HostSimSetBreachHandler(RecordBreach);
        doc = HostSimCreateDocument("/models");
    }
    void TearDown() override {
        HostSimReset();
        HostSimSetBreachHandler(nullptr);
        if (!expectBreaches_) {
            for (const std::string& breach : Breaches()) {
                ADD_FAILURE() << "host contract breached: " << breach;
            }
        }
    }

    // The breaches so far, "function: detail" each.
    static std::vector<std::string>& Breaches() {
        static std::vector<std::string> breaches;
        return breaches;
    }
    void ExpectBreaches() { expectBreaches_ = true; }

    // An unowned object holding the given points as vertices.
    HostObject MakeObject(std::initializer_list<Point3> points) {
        HostObject obj = MQ_CreateObject();
        for (Point3 p : points) {
            MQObj_AddVertex(obj, &p);
        }
        return obj;
    }

    int32_t AddFace(HostObject obj, std::initializer_list<int32_t> points) {
        std::vector<int32_t> list(points);
        return MQObj_AddFace(obj, static_cast<int32_t>(list.size()), list.data());
    }

    HostDocument doc = 0;

  private:
    static void RecordBreach(const char* function, const char* detail) {
        Breaches().push_back(std::string(function) + ": " + detail);
    }
    bool expectBreaches_ = false;
};

// The statement breaches the host's contract exactly once.
#define EXPECT_BREACH(statement)                                                                   \
    do {                                                                                           \
        size_t before_ = Breaches().size();                                                        \
        statement;                                                                                 \
        EXPECT_EQ(Breaches().size(), before_ + 1) << #statement;                                   \
    } while (0)
