#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FaultFileSystem.h"
#include "support/MemFileSystem.h"

namespace {

TEST(MemFileSystem, ReadsWritesAndRefusesASecondWriter) {
    MemFileSystem mem;
    mem.AddFile("in", "a\r\n\nb");
    mem.AddFolder("dir");
    EXPECT_TRUE(mem.Exists("dir"));
    EXPECT_FALSE(mem.Exists("di"));

    std::unique_ptr<LineReader> reader;
    ASSERT_EQ(mem.OpenForRead("in", &reader), 0);
    std::string line;
    std::vector<std::string> lines;
    while (reader->ReadLine(&line) == 1) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b"}));

    std::unique_ptr<TextWriter> w1, w2;
    EXPECT_EQ(mem.OpenForWrite("dir", &w1), -1);
    ASSERT_EQ(mem.OpenForWrite("in", &w1), 0);
    EXPECT_EQ(mem.Contents("in"), "");
    EXPECT_EQ(mem.OpenForWrite("in", &w2), -1);
    EXPECT_EQ(mem.Remove("in"), -1);
    EXPECT_EQ(w1->Write("x\n"), 0);
    EXPECT_EQ(w1->Close(), 0);
    EXPECT_EQ(mem.Contents("in"), "x\n");
    EXPECT_EQ(mem.Remove("in"), 0);
    EXPECT_FALSE(mem.HasFile("in"));
}

TEST(FaultFileSystem, FailsOnlyTheNthCallFromArming) {
    MemFileSystem mem;
    mem.AddFile("f", "1\n2\n3\n");
    FaultFileSystem faults(&mem);
    EXPECT_TRUE(faults.Exists("f"));
    faults.FailNth(FaultFileSystem::kExists, 2);
    EXPECT_TRUE(faults.Exists("f"));
    EXPECT_FALSE(faults.Exists("f"));
    EXPECT_TRUE(faults.Exists("f"));
    EXPECT_EQ(faults.Calls(FaultFileSystem::kExists), 4);

    std::unique_ptr<LineReader> reader;
    ASSERT_EQ(faults.OpenForRead("f", &reader), 0);
    faults.FailNth(FaultFileSystem::kReadLine, 2);
    std::string line;
    EXPECT_EQ(reader->ReadLine(&line), 1);
    EXPECT_EQ(reader->ReadLine(&line), -1);
    EXPECT_EQ(reader->ReadLine(&line), 1);
    EXPECT_EQ(line, "2");
}

TEST(FaultFileSystem, FailedOpenTouchesNothingFailedCloseStillCloses) {
    MemFileSystem mem;
    mem.AddFile("out", "old");
    FaultFileSystem faults(&mem);
    std::unique_ptr<TextWriter> writer;
    faults.FailNth(FaultFileSystem::kOpenForWrite, 1);
    EXPECT_EQ(faults.OpenForWrite("out", &writer), -1);
    EXPECT_EQ(mem.Contents("out"), "old");

    ASSERT_EQ(faults.OpenForWrite("out", &writer), 0);
    faults.FailNth(FaultFileSystem::kWrite, 1);
    faults.FailNth(FaultFileSystem::kClose, 1);
    EXPECT_EQ(writer->Write("lost"), -1);
    EXPECT_EQ(writer->Write("kept"), 0);
    EXPECT_EQ(writer->Close(), -1);
    EXPECT_EQ(mem.Contents("out"), "kept");
    EXPECT_EQ(mem.OpenForWrite("out", &writer), 0);  // the file was closed
}

}  // namespace
