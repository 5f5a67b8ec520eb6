#include <gtest/gtest.h>

#include "LinkError.h"
#include "LinkFixture.h"

namespace nubra::testing {
namespace {

using PortTest = LinkFixture;
using OpenResult = SerialLine::OpenResult;

TEST_F(PortTest, NewLinkState) {
    EXPECT_FALSE(link->PortOpen);
    EXPECT_FALSE(link->AbortRequested);
    EXPECT_EQ(link->PrinterType, 2);
    EXPECT_FALSE(link->OnSendConvert);
    EXPECT_FALSE(link->OnReceiveConvert);
    EXPECT_EQ(link->LastReply(), "");
    EXPECT_EQ(link->Descriptions.size(), 320u);
    EXPECT_EQ(link->ProgramDirectory(), "/opt/nubra5/");
}

TEST_F(PortTest, PortNumberZeroWarnsWithoutTouchingTheLine) {
    EXPECT_FALSE(link->OpenPort(0));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].text,
              "Przed rozpoczęciem pracy z programem należy wybrać odpowiedni numer portu COM z "
              "menu 'Konfiguracja'.");
    EXPECT_EQ(ui.Messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(line->Events().empty());
}

TEST_F(PortTest, OpenSetsTwoSecondTimeouts) {
    EXPECT_TRUE(link->OpenPort(3));
    EXPECT_TRUE(link->PortOpen);
    EXPECT_EQ(line->OpenedPort(), 3);
    EXPECT_EQ(line->Events(), (std::vector<std::string>{"open 3", "timeout 2000"}));
    EXPECT_TRUE(ui.Messages.empty());
}

struct OpenFailure {
    OpenResult result;
    bool failTimeout;
    const char* message;
};

TEST_F(PortTest, OpenFailuresShowTheirMessageAndLeaveThePortClosed) {
    const OpenFailure cases[] = {
        {OpenResult::OpenFailed, false,
         "Nie udało się otworzyć portu COM3. Mogło się zdarzyć, że inna\r\naplikacja już wykorzystuje dany "
         "port."},
        {OpenResult::GetStateFailed, false, "Wystąpił błąd podczas otwierania portu (GetCommState())."},
        {OpenResult::SetStateFailed, false, "Wystąpił błąd podczas otwierania portu (SetCommState())."},
        {OpenResult::Ok, true, "Wystąpił błąd podczas otwierania portu (SetTimeOut())."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ui.Messages.clear();
        line->FailOpen(c.result);
        line->FailTimeouts(c.failTimeout);
        link->PortOpen = true;
        EXPECT_FALSE(link->OpenPort(3));
        EXPECT_FALSE(link->PortOpen);
        EXPECT_FALSE(line->IsOpen());
        ASSERT_EQ(ui.Messages.size(), 1u);
        EXPECT_EQ(ui.Messages[0].text, c.message);
        EXPECT_EQ(ui.Messages[0].icon, MessageIcon::Error);
    }
}

TEST_F(PortTest, SetTimeoutsRoundsHalfToEven) {
    Open();
    const std::pair<float, int> cases[] = {
        {0.01f, 10}, {2.0f, 2000}, {0.0625f, 62}, {0.1875f, 188}, {0.0f, 0}};
    for (const auto& [seconds, ms] : cases) {
        EXPECT_TRUE(link->SetTimeouts(seconds));
        EXPECT_EQ(line->CurrentTimeout(), ms) << seconds;
    }
}

TEST_F(PortTest, SetTimeoutsOnClosedPortFails) {
    EXPECT_FALSE(link->SetTimeouts(2.0f));
}

TEST_F(PortTest, CloseTwiceDoesNothingTheSecondTime) {
    Open();
    link->ClosePort();
    EXPECT_FALSE(link->PortOpen);
    const auto events = line->Events().size();
    link->ClosePort();
    EXPECT_EQ(line->Events().size(), events);
}

TEST_F(PortTest, CloseFailureRaisesAndKeepsTheFlag) {
    Open();
    line->FailClose(true);
    try {
        link->ClosePort();
        FAIL() << "no error";
    } catch (const LinkError& e) {
        EXPECT_STREQ(e.what(), "Wystąpił błąd podczas zamykania portu.");
    }
    EXPECT_TRUE(link->PortOpen);
}

} // namespace
} // namespace nubra::testing
