#include <gtest/gtest.h>

#include "LinkError.h"
#include "LinkFixture.h"

namespace nubra::testing {
namespace {

const std::string kNoCommunication =
    "Brak komunikacji z drukarką.\r\nMożliwe przyczyny to:\r\n - nie wybrany został odpowiedni port,\r\n - "
    "drukarka jest wyłączona,\r\n - połączenie komputera z drukarką jest wadliwe.";
const std::string kSeparator = "- - - - - - - - - - - - - - - -";

std::string ChecksumMessage(const std::string& received, const std::string& computed) {
    return "Błąd sumy kontrolnej:                    \r\nKasa: " + received + "\r\nProgram: " + computed;
}

class ExchangeTest : public LinkFixture {
protected:
    void SetUp() override { Open(); }

    // Runs f, expects a LinkError, returns its message.
    template <typename F> std::string ErrorOf(F f) {
        try {
            f();
        } catch (const LinkError& e) {
            return e.what();
        }
        ADD_FAILURE() << "no error raised";
        return {};
    }
};

TEST_F(ExchangeTest, SendCommandPurgesSendsWaitsAndReads) {
    line->Feed("\x02I1\x03"
               "87",
               {.writes = 1});
    std::string reply;
    link->SendCommand("B2", reply);
    EXPECT_EQ(reply, "I1");
    EXPECT_EQ(line->Written(), std::string("\x02\x42\x32\x03\x38\x46"));
    const std::vector<std::string> events{"open 1", "timeout 2000", "purge",
                                          "write \x02"
                                          "B2\x03"
                                          "8F"};
    EXPECT_EQ(line->Events(), events);
    EXPECT_EQ(sleeps, std::vector<int>{25});
    EXPECT_EQ(ui.LogLines, (std::vector<std::string>{kSeparator,
                                                     "<- \x02"
                                                     "B2\x03"
                                                     "8F",
                                                     "-> \x02I1\x03"
                                                     "87"}));
    EXPECT_TRUE(CursorBalanced(ui));
    EXPECT_EQ(link->LastReply(), ""); // only the command methods keep it
}

TEST_F(ExchangeTest, PurgeDropsTheTailOfAnEarlierAnswer) {
    line->Feed("\x02"
               "D1\x03"
               "8A");
    line->Feed("\x02I1\x03"
               "87",
               {.purges = 1});
    std::string reply;
    link->SendCommand("I3", reply);
    EXPECT_EQ(reply, "I1");
}

// An extended error after a plain command reads its code frame, so its own description is shown.
TEST_F(ExchangeTest, SendCommandReadsTheCodeFrameOfAnExtendedError) {
    struct Case {
        std::string fed;
        std::string reply;
        std::string shown;
    };
    const Case cases[] = {
        {"\x02X2\x03"
         "95\x02"
         "0133\x03" +
             TNX3Class::Checksum("0133"),
         "X20133", "Kasa jest już sfiskalizowana."},
        {"\x02X2\x03"
         "95",
         "X2", "Brak opisu błędu"}, // the code frame never came
    };
    int writes = 0;
    for (const Case& c : cases) {
        line->Feed(c.fed, {.writes = ++writes});
        std::string reply;
        link->SendCommand("EF", reply);
        EXPECT_EQ(reply, c.reply);
        ui.Errors.clear();
        EXPECT_FALSE(link->CheckReply("EF", reply));
        EXPECT_EQ(ui.Errors, std::vector<std::string>{c.shown});
    }
}

TEST_F(ExchangeTest, SendCommandFailures) {
    std::string reply = "old";
    EXPECT_EQ(ErrorOf([&] { link->SendCommand("B2", reply); }), kNoCommunication); // silence
    EXPECT_TRUE(CursorBalanced(ui));
    line->FailWrites(true);
    EXPECT_EQ(ErrorOf([&] { link->SendCommand("B2", reply); }), kNoCommunication);
    EXPECT_TRUE(CursorBalanced(ui));
    EXPECT_EQ(reply, "old");
}

TEST_F(ExchangeTest, ClosedPortGivesNoCommunication) {
    link->ClosePort();
    std::string data;
    EXPECT_EQ(ErrorOf([&] { link->SendCommand("B2", data); }), kNoCommunication);
    EXPECT_EQ(ErrorOf([&] { link->SendFrame("x"); }), kNoCommunication);
    EXPECT_EQ(ErrorOf([&] { link->SendRaw("x"); }), kNoCommunication);
    EXPECT_EQ(ErrorOf([&] { link->ReceiveFrame(data); }), kNoCommunication);
    EXPECT_EQ(ErrorOf([&] { link->ReceiveFixed(3, data); }), kNoCommunication);
}

TEST_F(ExchangeTest, SendFrameWithoutFilterSendsTextUnchanged) {
    link->SendFrame("abc \xB9\xF3");
    const std::string frame = "\x02"
                              "abc \xB9\xF3\x03" +
                              TNX3Class::Checksum("abc \xB9\xF3");
    EXPECT_EQ(line->Written(), frame);
    EXPECT_EQ(ui.LogLines, std::vector<std::string>{"<- " + frame});
    EXPECT_EQ(line->Purges(), 0);
    EXPECT_TRUE(CursorBalanced(ui));
}

TEST_F(ExchangeTest, SendFrameWithFilterUpperCasesThenConverts) {
    // "zażółć ąę": upper-cased to ZAŻÓŁĆ ĄĘ in Windows-1250, then each code page's capitals.
    const std::string text = "za\xBF\xF3\xB3\xE6 \xB9\xEA";
    link->SelectCodePage(true);
    link->SendFrame(text);
    const std::string mazovia = "ZA\xA1\xA3\x9C\x95 \x8F\x90";
    EXPECT_EQ(line->Writes().back(), "\x02" + mazovia + "\x03" + TNX3Class::Checksum(mazovia));
    EXPECT_EQ(ui.LogLines.back(), "<- \x02" + mazovia + "\x03" + TNX3Class::Checksum(mazovia));

    link->SelectCodePage(false);
    link->SendFrame(text);
    const std::string latin2 = "ZA\xBD\xE0\x9D\x8F \xA4\xA8";
    EXPECT_EQ(line->Writes().back(), "\x02" + latin2 + "\x03" + TNX3Class::Checksum(latin2));
}

TEST_F(ExchangeTest, SendRawAlwaysUsesMazoviaWithoutFraming) {
    link->SelectCodePage(false);
    link->SendRaw("\x1B"
                  "abc \xB9\xA5");
    EXPECT_EQ(line->Written(), "\x1B"
                               "abc \x86\x8F");
    EXPECT_EQ(ui.LogLines, std::vector<std::string>{"<- \x1B"
                                                    "abc \x86\x8F"});
    line->FailWrites(true);
    EXPECT_EQ(ErrorOf([&] { link->SendRaw("x"); }), kNoCommunication);
    EXPECT_TRUE(CursorBalanced(ui));
}

TEST_F(ExchangeTest, ReceiveFrameSkipsNoiseAndLogsTheFrame) {
    line->Feed("\xFF\x13zz\x03"
               "1\x02"
               "250131"
               "00042\x03" +
               TNX3Class::Checksum("25013100042"));
    std::string data;
    link->ReceiveFrame(data);
    EXPECT_EQ(data, "25013100042");
    EXPECT_EQ(ui.LogLines, std::vector<std::string>{"-> \x02"
                                                    "25013100042\x03" +
                                                    TNX3Class::Checksum("25013100042")});
    EXPECT_TRUE(CursorBalanced(ui));
}

TEST_F(ExchangeTest, SecondStxKeepsThePayloadGathered) {
    line->Feed("\x02"
               "AB\x02"
               "C\x03" +
               TNX3Class::Checksum("ABC"));
    std::string data;
    link->ReceiveFrame(data);
    EXPECT_EQ(data, "ABC");
}

TEST_F(ExchangeTest, ReceiveFrameConvertsAfterTheChecksum) {
    link->SelectCodePage(true);
    const std::string wire = "\x8F\x86";
    line->Feed("\x02" + wire + "\x03" + TNX3Class::Checksum(wire));
    std::string data;
    link->ReceiveFrame(data);
    EXPECT_EQ(data, "\xA5\xB9");
    EXPECT_EQ(ui.LogLines.back(), "-> \x02\xA5\xB9\x03" + TNX3Class::Checksum(wire));
}

TEST_F(ExchangeTest, ChecksumComparisonIsExact) {
    line->Feed("\x02"
               "B2\x03"
               "8f");
    std::string data = "old";
    EXPECT_EQ(ErrorOf([&] { link->ReceiveFrame(data); }), ChecksumMessage("8f", "8F"));
    EXPECT_EQ(data, "old");
    EXPECT_TRUE(CursorBalanced(ui));
    EXPECT_TRUE(ui.LogLines.empty());
}

TEST_F(ExchangeTest, ReceiveFrameRunningDryIsNoCommunication) {
    line->Feed("\x02"
               "D1\x03"
               "8");
    std::string data;
    EXPECT_EQ(ErrorOf([&] { link->ReceiveFrame(data); }), kNoCommunication);
}

TEST_F(ExchangeTest, ReceiveFixedTakesCountBytesAfterStxUnchecked) {
    link->SelectCodePage(true); // no filter on fixed blocks
    line->Feed("noise\x02"
               "AB\x02\x03\x86"
               "C\x03"
               "ZZtail");
    std::string data;
    link->ReceiveFixed(9, data);
    EXPECT_EQ(data, "AB\x02\x03\x86"
                    "C\x03"
                    "ZZ");
    EXPECT_EQ(sleeps, std::vector<int>{30});
    EXPECT_EQ(ui.LogLines, std::vector<std::string>{"-> \x02"
                                                    "AB\x02\x03\x86"
                                                    "C\x03"
                                                    "ZZ\x03"});
    EXPECT_EQ(line->Unread(), 4u); // the rest waits for the next read or purge
    EXPECT_TRUE(CursorBalanced(ui));
}

TEST_F(ExchangeTest, ReceiveFixedShortBlockIsNoCommunication) {
    line->Feed("\x02"
               "ABC");
    std::string data = "old";
    EXPECT_EQ(ErrorOf([&] { link->ReceiveFixed(28, data); }), kNoCommunication);
    EXPECT_EQ(data, "old");
}

TEST_F(ExchangeTest, FrameCompletedWithinTheLimitIsRead) {
    line->Feed(std::string(TNX3Class::MaxFrameBytes - 6, 'x') + "\x02I1\x03"
                                                                "87");
    std::string data;
    link->ReceiveFrame(data);
    EXPECT_EQ(data, "I1");
}

TEST_F(ExchangeTest, EndlessStreamWithoutFrameEnds) {
    // A scale on the wrong port: noise, or a frame that never closes; each byte would renew the time-out.
    const std::string streams[] = {
        std::string(TNX3Class::MaxFrameBytes - 5, 'x') + "\x02I1\x03"
                                                         "87",
        "\x02" + std::string(10000, 'A'),
    };
    for (const auto& s : streams) {
        line->Feed(s);
        std::string data;
        EXPECT_EQ(ErrorOf([&] { link->ReceiveFrame(data); }), kNoCommunication);
        line->Purge();
    }
    line->Feed(std::string(TNX3Class::MaxFrameBytes, 'x') + "\x02"
                                                            "ABC");
    std::string data;
    EXPECT_EQ(ErrorOf([&] { link->ReceiveFixed(3, data); }), kNoCommunication);
    line->Purge();
    line->Feed(std::string(TNX3Class::MaxFrameBytes - 4, 'x') + "\x02"
                                                                "ABC");
    link->ReceiveFixed(3, data);
    EXPECT_EQ(data, "ABC");
}

TEST_F(ExchangeTest, WaitForReplyPollsUntilTheAnswer) {
    // The printer answers only after a while: reads time out and are retried.
    ui.OnProcessMessages = [this](int call) {
        if (call == 50)
            line->Feed("\x02"
                       "D1\x03"
                       "8A");
    };
    std::string reply;
    link->WaitForReply(reply);
    EXPECT_EQ(reply, "D1");
    EXPECT_EQ(line->Timeouts(), (std::vector<int>{2000, 10, 2000}));
    EXPECT_EQ(ui.WaitCalls, (std::vector<std::string>{"show", "hide"}));
    EXPECT_GE(line->TimedOutReads(), 49);
    EXPECT_EQ(ui.LogLines, std::vector<std::string>{"-> \x02"
                                                    "D1\x03"
                                                    "8A"});
    EXPECT_TRUE(CursorBalanced(ui));
    EXPECT_TRUE(link->AbortRequested); // hiding the wait window sets it
}

TEST_F(ExchangeTest, WaitForReplyExtendedCode) {
    line->Feed("\x02X2\x03"
               "95"
               "\x02"
               "0133\x03" +
               TNX3Class::Checksum("0133"));
    std::string reply;
    link->WaitForReply(reply);
    EXPECT_EQ(reply, "X20133");
    EXPECT_EQ(ui.LogLines, std::vector<std::string>{"-> X2\x02"
                                                    "0133\x03" +
                                                    TNX3Class::Checksum("0133")});
    EXPECT_EQ(ui.WaitCalls.back(), "hide");
    EXPECT_EQ(line->CurrentTimeout(), 2000);
    // The wait begins twice (busy twice) and ends once: the cursor is a state, and ends at the default.
    EXPECT_TRUE(CursorBalanced(ui));
}

TEST_F(ExchangeTest, ClosingTheWaitWindowGivesD1InEitherPhase) {
    struct Case {
        std::string fed;
        int closeAt;
    };
    const Case cases[] = {
        {"", 3}, // nothing came yet
        {"\x02"
         "D",
         5}, // in the middle of the code
        {"\x02X2\x03"
         "95\x02"
         "01",
         10}, // in the middle of the extended code
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.closeAt);
        line->Purge();
        ui.LogLines.clear();
        ui.ProcessMessagesCalls = 0;
        line->Feed(c.fed);
        ui.OnProcessMessages = [this, &c](int call) {
            if (call == c.closeAt)
                ui.CloseWait();
        };
        std::string reply;
        link->WaitForReply(reply);
        EXPECT_EQ(reply, "D1");
        EXPECT_EQ(ui.LogLines, std::vector<std::string>{"-> \x02"
                                                        "D1\x03"
                                                        "8A"});
        EXPECT_EQ(line->CurrentTimeout(), 2000);
        EXPECT_FALSE(ui.WaitVisible);
        EXPECT_TRUE(CursorBalanced(ui));
    }
}

TEST_F(ExchangeTest, WaitForReplyChecksumErrors) {
    std::string reply = "old";
    line->Feed("\x02"
               "D1\x03"
               "99");
    EXPECT_EQ(ErrorOf([&] { link->WaitForReply(reply); }), ChecksumMessage("99", "8A"));
    EXPECT_EQ(ui.LogLines.back(), "-> \x02"
                                  "D1\x03"
                                  "99");
    EXPECT_FALSE(ui.WaitVisible);
    EXPECT_EQ(line->CurrentTimeout(), 2000);
    EXPECT_TRUE(CursorBalanced(ui));

    line->Feed("\x02X2\x03"
               "95\x02"
               "0133\x03"
               "00");
    EXPECT_EQ(ErrorOf([&] { link->WaitForReply(reply); }),
              ChecksumMessage("00", TNX3Class::Checksum("0133")));
    EXPECT_EQ(ui.LogLines.back(), "-> X2\x02"
                                  "0133\x03"
                                  "00");
    EXPECT_FALSE(ui.WaitVisible);
    EXPECT_EQ(line->CurrentTimeout(), 2000);
    EXPECT_EQ(reply, "old");
}

} // namespace
} // namespace nubra::testing
