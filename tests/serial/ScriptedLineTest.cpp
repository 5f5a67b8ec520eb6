#include <gtest/gtest.h>

#include "ScriptedLine.h"

namespace nubra {
namespace {

std::string ReadAll(ScriptedLine& line) {
    std::string got;
    for (int b = line.ReadByte(); b >= 0; b = line.ReadByte())
        got += static_cast<char>(b);
    return got;
}

TEST(ScriptedLine, ClosedLineFails) {
    ScriptedLine line;
    line.Feed("x");
    EXPECT_FALSE(line.Write("a"));
    EXPECT_FALSE(line.Purge());
    EXPECT_EQ(line.ReadByte(), -1);
}

TEST(ScriptedLine, ChunksWaitForTheirConditionInOrder) {
    ScriptedLine line;
    ASSERT_EQ(line.Open(1), SerialLine::OpenResult::Ok);
    line.Feed("A");
    line.Feed("B", {.writes = 1});
    line.Feed("C", {.bytesWritten = 5});
    line.Feed("D");
    EXPECT_EQ(ReadAll(line), "A");
    EXPECT_TRUE(line.Write("12"));
    EXPECT_EQ(ReadAll(line), "B");
    EXPECT_TRUE(line.Write("345"));
    EXPECT_EQ(ReadAll(line), "CD");
    EXPECT_EQ(line.Written(), "12345");
    EXPECT_EQ(line.Writes(), (std::vector<std::string>{"12", "345"}));
    EXPECT_EQ(line.TimedOutReads(), 3);
}

TEST(ScriptedLine, PurgeDropsReleasedInputThenReleasesWhatWaitedForIt) {
    ScriptedLine line;
    ASSERT_EQ(line.Open(1), SerialLine::OpenResult::Ok);
    line.Feed("old");
    line.Feed("new", {.purges = 1});
    EXPECT_EQ(line.Unread(), 6u);
    EXPECT_TRUE(line.Purge());
    EXPECT_EQ(ReadAll(line), "new");
    EXPECT_EQ(line.Events(), (std::vector<std::string>{"open 1", "purge"}));
}

TEST(ScriptedLine, InjectedFailures) {
    ScriptedLine line;
    line.FailOpen(SerialLine::OpenResult::SetStateFailed);
    EXPECT_EQ(line.Open(2), SerialLine::OpenResult::SetStateFailed);
    EXPECT_FALSE(line.IsOpen());
    line.FailOpen(SerialLine::OpenResult::Ok);
    ASSERT_EQ(line.Open(2), SerialLine::OpenResult::Ok);
    line.Feed("x");
    line.FailReads(true);
    EXPECT_EQ(line.ReadByte(), -1);
    line.FailReads(false);
    EXPECT_EQ(line.ReadByte(), 'x');
    line.FailWrites(true);
    EXPECT_FALSE(line.Write("a"));
    EXPECT_EQ(line.Written(), "");
    line.FailTimeouts(true);
    EXPECT_FALSE(line.SetReadTimeout(10));
    line.FailClose(true);
    EXPECT_FALSE(line.Close());
}

} // namespace
} // namespace nubra
