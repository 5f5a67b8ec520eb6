// libFuzzer entry: nx3sim's command line. Arguments are the input split at NUL bytes; what parses is
// applied to a device as the program would.
#include <cstdint>
#include <string>
#include <vector>

#include "Frame.h"
#include "FuzzArgs.h"
#include "SimOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = nubra::fuzz::Arguments(data, size);
    std::string error;
    const auto options = nubra::sim::ParseSimOptions(args, error);
    if (!options)
        return 0;
    nubra::sim::Nx3Device device;
    nubra::sim::ApplyState(*options, device.State());
    nubra::sim::ArmFaults(*options, device);
    device.Receive(nubra::sim::MakeFrame("B5"));
    device.TakeChunks();
    return 0;
}
