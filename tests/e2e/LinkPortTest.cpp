// The emulator's line as a port: exclusive, and reopened as often as the program likes.
#include "SimLinkFixture.h"

#include <sys/stat.h>

namespace {

using nubra::testing::FakeLinkUi;
using nubra::testing::SimLinkFixture;
using LinkPort = SimLinkFixture;

TEST_F(LinkPort, PortOpenedTwiceIsRefused) {
    FakeLinkUi otherUi;
    auto other = MakeLink(otherUi);
    EXPECT_FALSE(other->OpenPort(1));
    ASSERT_EQ(otherUi.Messages.size(), 1u);
    EXPECT_EQ(otherUi.Messages[0].text, "Nie udało się otworzyć portu COM1. Mogło się zdarzyć, że "
                                        "inna\r\naplikacja już wykorzystuje dany port.\r\nUrządzenie: " +
                                            comPath +
                                            " (port jest zajęty przez inny program; zamknij go i spróbuj "
                                            "ponownie)");
    EXPECT_EQ(AskB2(), "25013100042");
}

TEST_F(LinkPort, ClosingAndReopeningKeepsTheLine) {
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        link->ClosePort();
        ASSERT_TRUE(link->OpenPort(1));
        EXPECT_EQ(AskB2(), "25013100042");
    }
}

TEST_F(LinkPort, SymbolicLinkPointsAtTheSlaveAndGoesWithTheServer) {
    char target[256] = {};
    ASSERT_GT(::readlink(comPath.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), server->SlavePath());
    link.reset();
    server.reset();
    struct stat st {};
    EXPECT_NE(::lstat(comPath.c_str(), &st), 0);
}

} // namespace
