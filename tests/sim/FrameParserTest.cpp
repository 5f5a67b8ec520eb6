#include "FrameParser.h"
#include "Frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using nubra::sim::FrameParser;
using nubra::sim::ReceivedFrame;

std::vector<ReceivedFrame> FeedAll(FrameParser& parser, const std::string& bytes) {
    std::vector<ReceivedFrame> frames;
    for (char c : bytes)
        if (auto f = parser.Feed(c))
            frames.push_back(*f);
    return frames;
}

TEST(Frame, ChecksumsOfTheKnownReplies) {
    EXPECT_EQ(nubra::sim::ChecksumOf("B2"), "8F");
    EXPECT_EQ(nubra::sim::ChecksumOf("I1"), "87");
    EXPECT_EQ(nubra::sim::ChecksumOf("D1"), "8A");
    EXPECT_EQ(nubra::sim::ChecksumOf("X2"), "95");
    EXPECT_EQ(nubra::sim::ChecksumOf(""), "FF");
    EXPECT_EQ(nubra::sim::ChecksumOf(std::string("\xFF", 1)), "00");
    EXPECT_EQ(nubra::sim::MakeFrame("B2"), std::string("\x02"
                                                       "B2\x03"
                                                       "8F"));
}

TEST(FrameParser, SkipsNoiseAndReadsConsecutiveFrames) {
    FrameParser parser;
    const auto frames = FeedAll(parser, std::string("\x00\x11xx\x03", 5) + "\x02"
                                                                           "B2\x03"
                                                                           "8F\x02I1\x03"
                                                                           "87");
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].payload, "B2");
    EXPECT_TRUE(frames[0].checksumOk);
    EXPECT_EQ(frames[1].payload, "I1");
}

TEST(FrameParser, ChecksumComparisonIsExact) {
    FrameParser parser;
    const auto frames = FeedAll(parser, "\x02"
                                        "B2\x03"
                                        "8f");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_FALSE(frames[0].checksumOk);
}

TEST(FrameParser, NewStxRestartsAnUnfinishedFrame) {
    FrameParser parser;
    const auto frames = FeedAll(parser, "\x02I7\x02"
                                        "B2\x03"
                                        "8F");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].payload, "B2");
    EXPECT_TRUE(frames[0].checksumOk);
}

TEST(FrameParser, FixedPayloadTakesFrameBytesAsData) {
    FrameParser parser;
    parser.ExpectFixedPayload(2);
    const std::string payload("\x03\x02", 2);
    const auto frames = FeedAll(parser, nubra::sim::MakeFrame(payload));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].payload, payload);
    EXPECT_TRUE(frames[0].checksumOk);
}

TEST(FrameParser, FixedPayloadWithoutEtxIsDamaged) {
    FrameParser parser;
    parser.ExpectFixedPayload(2);
    const auto frames = FeedAll(parser, "\x02"
                                        "ABC\x03"
                                        "00");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_FALSE(frames[0].checksumOk);
}

TEST(FrameParser, OverlongPayloadIsDropped) {
    FrameParser parser;
    const std::string big = "\x02" + std::string(FrameParser::kMaxPayload + 1, 'A') +
                            "\x03"
                            "00";
    EXPECT_TRUE(FeedAll(parser, big).empty());
    EXPECT_EQ(FeedAll(parser, "\x02"
                              "B2\x03"
                              "8F")
                  .size(),
              1u);
}

} // namespace
