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

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "qvhostsim/qvhostsim.h"
#include "support/TableRoot.h"

class HostTest : public ::testing::Test {
 protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a model given as JSON text; a refused model fails the test.
    static void LoadModel(const std::string& json);
    static bool TraceHas(std::string_view text) { return TraceCount(text) > 0; }
    // Number of times text occurs in the trace.
    static int TraceCount(std::string_view text);
    // The value and text lines of the trace, in order, without indentation
    // and without the frames' entry and exit lines.
    static std::vector<std::string> TraceBody();
    // The lines of the host's message list.
    static std::vector<std::string> Messages();
    // The table root of this test, the current folder until the test ends.
    TableRoot& Root();

 private:
    std::unique_ptr<TableRoot> root_;
};

// The stand-in host's default message texts.
inline constexpr char kMsgTitleLine[] = "Machine\tController\tMessage";
inline constexpr char kMsgRejectedText[] =
    "The plan has a process of a type that cannot be exported; no file was written for it.";
inline constexpr char kMsgFailedLine[] = "-\t-\tThe CSV export failed; the trace names the cause.";

#endif  // QVKDC_TESTS_SUPPORT_HOSTFIXTURE_H
