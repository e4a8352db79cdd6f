// HostTest: base of every test that talks to the stand-in host.
//
// SetUp puts the host back to its start state. TearDown checks that the test
// gave back every process list and record it got from the host, and freed
// nothing twice or foreign, then resets the host again so that no switch,
// model or fault leaks into the next test.
#ifndef QVKDC_TESTS_SUPPORT_HOSTFIXTURE_H
#define QVKDC_TESTS_SUPPORT_HOSTFIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "qvhostsim/qvhostsim.h"

class HostTest : public ::testing::Test {
 protected:
    void SetUp() override { QvsimReset(); }
    void TearDown() override {
        EXPECT_EQ(QvsimHeldBlocks(), 0) << "host lists or records not given back";
        EXPECT_EQ(QvsimBadFrees(), 0) << "host memory freed twice or not handed out";
        QvsimReset();
    }

    // Loads a model given as JSON text; a refused model fails the test with
    // the loader's reason.
    static void LoadModel(const std::string& json) {
        char err[512];
        ASSERT_EQ(QvsimLoadModelText(json.c_str(), "model.json", err, sizeof err), 0)
            << err;
    }
};

#endif  // QVKDC_TESTS_SUPPORT_HOSTFIXTURE_H
