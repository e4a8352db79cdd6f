// HostTest: the fixture of every test that talks to the stand-in host.
//
// SetUp puts the host back to its start state. TearDown fails the test when
// the host noticed a misuse: a process list or record not given back, a free
// of memory the host did not hand out, or a host call with an argument the
// host does not accept (an exit trace call with a first argument other than
// 1); then it resets the host so that nothing leaks into the next test.
// Root() gives the test a table root (support/TableRoot.h) on first use.
#ifndef QVKDC_TESTS_SUPPORT_HOSTFIXTURE_H
#define QVKDC_TESTS_SUPPORT_HOSTFIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "qvhostsim/qvhostsim.h"
#include "support/TableRoot.h"

class HostTest : public ::testing::Test {
 protected:
    void SetUp() override { QvsimReset(); }
    void TearDown() override {
        EXPECT_EQ(QvsimHeldBlocks(), 0) << "host lists or records not given back";
        EXPECT_EQ(QvsimBadFrees(), 0) << "host memory freed twice or not handed out";
        EXPECT_STREQ(QvsimHostErrors(), "") << "host calls with arguments the host does not accept";
        QvsimReset();
    }

    // Loads a model given as JSON text; a refused model fails the test.
    static void LoadModel(const std::string& json) {
        char err[512];
        ASSERT_EQ(QvsimLoadModelText(json.c_str(), "model.json", err, sizeof err), 0) << err;
    }
    // Number of times text occurs in the trace.
    static int TraceCount(std::string_view text) {
        const std::string_view trace = QvsimTraceText();
        int n = 0;
        for (auto p = trace.find(text); p != std::string_view::npos; p = trace.find(text, p + 1)) ++n;
        return n;
    }
    static bool TraceHas(std::string_view text) { return TraceCount(text) > 0; }
    // The value and text lines of the trace, in order, without indentation
    // and without the frames' entry and exit lines.
    static std::vector<std::string> TraceBody() {
        std::vector<std::string> lines;
        const std::string_view trace = QvsimTraceText();
        for (std::size_t p = 0, end = 0; p < trace.size(); p = end + 1) {
            end = std::min(trace.find('\n', p), trace.size());
            std::string_view line = trace.substr(p, end - p);
            line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
            if (line.substr(0, 3) != ">> " && line.substr(0, 3) != "<< ") lines.emplace_back(line);
        }
        return lines;
    }
    // The lines of the host's message list.
    static std::vector<std::string> Messages() {
        std::vector<std::string> lines;
        for (int i = 0; i < QvsimMsgCount(); ++i) lines.emplace_back(QvsimMsgAt(i));
        return lines;
    }
    // The table root of this test, the current folder until the test ends.
    TableRoot& Root() {
        if (!root_) root_ = std::make_unique<TableRoot>();
        return *root_;
    }

 private:
    std::unique_ptr<TableRoot> root_;
};

// The stand-in host's default message texts.
inline constexpr char kMsgTitleLine[] = "Machine\tController\tMessage";
inline constexpr char kMsgRejectedText[] =
    "The plan has a process of a type that cannot be exported; no file was written for it.";
inline constexpr char kMsgFailedLine[] = "-\t-\tThe CSV export failed; the trace names the cause.";

#endif  // QVKDC_TESTS_SUPPORT_HOSTFIXTURE_H
