// libFuzzer entry: the link's receiving side (frames, fixed blocks, the long wait, reply codes and
// their descriptions) against any bytes from the printer.
#include "LinkHarness.h"

namespace {

using nubra::fuzz::LinkCase;

const std::vector<nubra::fuzz::LinkOperation> kOperations = {
    [](LinkCase& c) {
        std::string data;
        c.link.ReceiveFrame(data);
    },
    [](LinkCase& c) {
        std::string data;
        c.link.ReceiveFixed(c.a, data);
    },
    [](LinkCase& c) {
        std::string reply;
        c.link.WaitForReply(reply);
        c.link.CheckReply("K4", reply);
    },
    [](LinkCase& c) {
        std::string reply;
        c.link.SendCommand("B4", reply);
        c.link.CheckReply("B4", reply);
    },
    // Whatever the printer answers is looked up in the description table, for any command.
    [](LinkCase& c) {
        std::string reply;
        c.link.ReceiveReply(reply);
        const std::string command{static_cast<char>(c.a), static_cast<char>(c.b)};
        c.link.ErrorDescription(command, reply);
        c.link.CheckReply(command, reply);
    },
    // The printer keeps sending until the link gives up or a frame completes.
    [](LinkCase& c) {
        std::string data;
        for (int i = 0; i < 8; ++i)
            c.link.ReceiveFrame(data);
    },
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return nubra::fuzz::RunLinkCase(data, size, kOperations);
}
