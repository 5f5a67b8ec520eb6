// libFuzzer entry: the emulated device's command handlers. The input sets the state nx3sim's options
// can give and arms the faults they can arm, then sends a sequence of frames (well-formed, with a wrong
// checksum, or raw bytes), with line losses and the signals' re-arming and stopping in between.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <limits>
#include <string>

#include "Frame.h"
#include "Nx3Device.h"
#include "SimOptions.h"

namespace {

using nubra::sim::Nx3Device;

// A reply code as nx3sim accepts it: two characters, or "X2" and four upper-case hex digits.
std::string ReplyCode(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) {
        std::string code;
        code += in.ConsumeIntegral<char>();
        code += in.ConsumeIntegral<char>();
        return code;
    }
    std::string code = "X2";
    for (int i = 0; i < 4; ++i)
        code += "0123456789ABCDEF"[in.ConsumeIntegralInRange(0, 15)];
    return code;
}

// Everything nx3sim's options can set: the starting state and the faults armed for a command.
nubra::sim::SimOptions Options(FuzzedDataProvider& in) {
    nubra::sim::SimOptions o;
    if (in.ConsumeBool())
        o.uniqueNumber = in.ConsumeRandomLengthString(16);
    if (in.ConsumeBool())
        o.nip = in.ConsumeRandomLengthString(20);
    if (in.ConsumeBool())
        o.infoW = in.ConsumeRandomLengthString(20);
    if (in.ConsumeBool())
        o.errorNumber = in.ConsumeIntegralInRange(0, std::numeric_limits<int>::max());
    o.latin = in.ConsumeBool();
    o.noise = in.ConsumeBool();
    o.badChecksum = in.ConsumeBool();
    o.silence = in.ConsumeBool();
    if (in.ConsumeBool())
        o.delayMs = in.ConsumeIntegralInRange(0, 5000);
    if (in.ConsumeBool())
        (in.ConsumeBool() ? o.errorCode : o.closingErrorCode) = ReplyCode(in);
    if (in.ConsumeBool())
        o.hangUpAfter = in.ConsumeIntegralInRange(0, 64);
    o.stream = in.ConsumeBool();
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const nubra::sim::SimOptions options = Options(in);
    Nx3Device device;
    nubra::sim::ApplyState(options, device.State());
    nubra::sim::ArmFaults(options, device);
    for (int i = 0; i < 64 && in.remaining_bytes() > 0; ++i) {
        const std::string payload = in.ConsumeRandomLengthString(64);
        switch (in.ConsumeIntegralInRange(0, 6)) {
        case 0:
        case 1:
            device.Receive(nubra::sim::MakeFrame(payload));
            break;
        case 2:
            device.Receive(nubra::sim::kStx + payload + nubra::sim::kEtx + "00");
            break;
        case 3:
            device.Receive(payload);
            break;
        case 4:
            device.ResetLine();
            break;
        case 5: // SIGUSR2
            device.StreamBytes(payload.size());
            device.StopEndlessStream();
            break;
        case 6: // SIGUSR1
            nubra::sim::ArmFaults(options, device);
            break;
        }
        device.TakeChunks();
        device.CodePage();
    }
    return 0;
}
