// Every fault the emulator injects reaches the link as the program reports it, and the next command
// works again.
#include "SimLinkFixture.h"

#include <filesystem>
#include <thread>

namespace {

using namespace std::chrono_literals;
using nubra::sim::FailAt;
using nubra::sim::Nx3Device;
using nubra::testing::SimLinkFixture;
using LinkFault = SimLinkFixture;

const std::string kNoCommunication = nubra::TNX3Class::NoCommunicationMessage;

std::string ChecksumMessage(const std::string& received, const std::string& computed) {
    return "Błąd sumy kontrolnej:                    \r\nKasa: " + received + "\r\nProgram: " + computed;
}

struct FaultCase {
    const char* name;
    void (*arm)(Nx3Device&);
    std::string message;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class LinkFaultB2 : public SimLinkFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(LinkFaultB2, FaultGivesItsMessageAndTheNextCommandWorks) {
    Device(GetParam().arm);
    EXPECT_EQ(ErrorOf([&] { AskB2(); }), GetParam().message);
    Device([](Nx3Device& d) { d.StopEndlessStream(); });
    EXPECT_EQ(AskB2(), "25013100042");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LinkFaultB2,
    ::testing::Values(
        FaultCase{"NoiseIsSkipped", [](Nx3Device& d) { d.InjectNoise(Nx3Device::DefaultNoise(), 1); }, ""},
        FaultCase{"BadChecksumOfTheReplyCode", [](Nx3Device& d) { d.CorruptChecksum(0); },
                  ChecksumMessage("80", "87")},
        FaultCase{"BadChecksumOfTheData", [](Nx3Device& d) { d.CorruptChecksum(1); },
                  ChecksumMessage("C0", "CD")},
        FaultCase{"Silence", [](Nx3Device& d) { d.SilenceNextCommand(); }, kNoCommunication},
        FaultCase{"ReplyLaterThanTwoSeconds", [](Nx3Device& d) { d.DelayFrame(2600ms, 0); },
                  kNoCommunication},
        FaultCase{"EndlessStream", [](Nx3Device& d) { d.StartEndlessStream(); }, kNoCommunication}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkFault, ChosenErrorCodeIsExplained) {
    Device([](Nx3Device& d) { d.FailNextCommand("I3"); });
    std::string reply;
    link->SendCommand("B2", reply);
    EXPECT_EQ(reply, "I3");
    EXPECT_FALSE(link->CheckReply("B2", reply));
    EXPECT_EQ(ui.Errors.at(0), "Kasa jest w stanie 'SERWIS WYMAGANY'.");
    EXPECT_EQ(AskB2(), "25013100042");
}

TEST_F(LinkFault, ExtendedErrorAfterAPlainCommandIsExplained) {
    Device([](Nx3Device& d) { d.FailNextCommand("X20133", FailAt::Command); });
    std::string reply;
    link->SendCommand("B2", reply);
    EXPECT_EQ(reply, "X20133");
    EXPECT_FALSE(link->CheckReply("B2", reply));
    EXPECT_EQ(ui.Errors.at(0), "Kasa jest już sfiskalizowana.");
    EXPECT_EQ(AskB2(), "25013100042");
}

TEST_F(LinkFault, ExtendedErrorClosesAPrintingWait) {
    Device([](Nx3Device& d) { d.FailNextCommand("X203EC", FailAt::Closing); });
    std::string reply;
    link->SendCommand("K4", reply);
    link->SendFrame(std::string("\xA0\x21", 2));
    link->WaitForReply(reply);
    EXPECT_EQ(reply, "X203EC");
    EXPECT_FALSE(link->CheckReply("K4", reply));
    EXPECT_EQ(ui.Errors.at(0), "Brak papieru.");
    EXPECT_EQ(AskB2(), "25013100042");
}

TEST_F(LinkFault, APrintingWaitOutlastsALateReply) {
    // WaitForReply has no time limit: a closing code after more than 2 s still arrives.
    Device([](Nx3Device& d) { d.DelayFrame(2300ms, 1); });
    std::string reply;
    link->SendCommand("K4", reply);
    ASSERT_EQ(reply, "I1");
    link->SendFrame(std::string("\xE0\x21", 2));
    link->WaitForReply(reply);
    EXPECT_EQ(reply, "D1");
}

TEST_F(LinkFault, LineClosingInAFrameLosesTheLineUntilThePortIsReopened) {
    Device([](Nx3Device& d) { d.HangUpInFrame(5, 1); });
    EXPECT_EQ(ErrorOf([&] { AskB2(); }), kNoCommunication);
    // The link sees the line gone as soon as it closes, possibly before the server has counted it.
    while (server->HangUps() == 0)
        std::this_thread::yield();
    EXPECT_EQ(server->HangUps(), 1);
    link->ClosePort();
    ASSERT_TRUE(link->OpenPort(1));
    EXPECT_EQ(AskB2(), "25013100042");
}

// A line that closes after K bytes of a reply delivers those K bytes first, every time, so a cut
// frame can be produced on purpose.
TEST_F(LinkFault, HangUpDeliversItsBytesBeforeTheLineCloses) {
    link->ClosePort();
    const std::string reply = "\x02I1\x03"
                              "87";
    int hangUps = 0;
    for (std::size_t k : {1u, 3u, 5u}) {
        Device([k](Nx3Device& d) { d.HangUpInFrame(k); });
        nubra::PosixSerialLine line;
        line.SetDevicePath(1, comPath);
        ASSERT_EQ(line.Open(1), nubra::SerialLine::OpenResult::Ok);
        line.SetReadTimeout(1000);
        ASSERT_TRUE(line.Write(nubra::TNX3Class::Frame("B2")));
        std::string got;
        for (int b = line.ReadByte(); b >= 0; b = line.ReadByte())
            got += static_cast<char>(b);
        EXPECT_EQ(got, reply.substr(0, k));
        line.Close();
        // The next round opens the fresh line the link points to.
        ++hangUps;
        std::error_code ec;
        while (server->HangUps() != hangUps ||
               std::filesystem::read_symlink(comPath, ec) != server->SlavePath())
            std::this_thread::yield();
    }
}

} // namespace
