#include "support/HostFixture.h"

#include <algorithm>

void HostTest::SetUp() { QvsimReset(); }

void HostTest::TearDown() {
    EXPECT_EQ(QvsimHeldBlocks(), 0) << "host lists or records not given back";
    EXPECT_EQ(QvsimBadFrees(), 0) << "host memory freed twice or not handed out";
    EXPECT_STREQ(QvsimHostErrors(), "") << "host calls with arguments the host does not accept";
    QvsimReset();
}

void HostTest::LoadModel(const std::string& json) {
    char err[512];
    ASSERT_EQ(QvsimLoadModelText(json.c_str(), "model.json", err, sizeof err), 0) << err;
}

int HostTest::TraceCount(std::string_view text) {
    const std::string_view trace = QvsimTraceText();
    int n = 0;
    for (auto p = trace.find(text); p != std::string_view::npos; p = trace.find(text, p + 1)) ++n;
    return n;
}

std::vector<std::string> HostTest::TraceBody() {
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

std::vector<std::string> HostTest::Messages() {
    std::vector<std::string> lines;
    for (int i = 0; i < QvsimMsgCount(); ++i) lines.emplace_back(QvsimMsgAt(i));
    return lines;
}

TableRoot& HostTest::Root() {
    if (!root_) root_ = std::make_unique<TableRoot>();
    return *root_;
}
