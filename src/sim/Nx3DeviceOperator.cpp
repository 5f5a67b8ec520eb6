// The operator's side of the device: paper, cover and power.
#include "Nx3Device.h"

namespace nubra::sim {

void Nx3Device::SetHand(OperatorState hand) {
    hand.powerOff = hand_.powerOff;
    hand_ = std::move(hand);
    hand_.ShowLamps(state_.extended);
}

bool Nx3Device::RefusedByHand(const std::string& code) {
    const auto refusal = hand_.Refusal(code);
    if (!refusal)
        return false;
    if (!refusal->empty())
        SendCode(*refusal);
    return true;
}

void Nx3Device::PowerOff() {
    if (hand_.powerOff)
        return;
    hand_.powerOff = true;
    faults_ = {};
    ResetLine();
    output_.clear();
    output_.push_back(OutputChunk{{}, {}, true});
    powerCut_ = true;
}

void Nx3Device::PowerOn(DeviceState state) {
    if (!hand_.powerOff)
        return;
    // The pace of printing is the printer's (the command line's), not something its memory keeps.
    state.printLineMs = state_.printLineMs;
    Nx3Device fresh(std::move(state));
    fresh.hostClock_ = std::move(hostClock_);
    fresh.observer_ = std::move(observer_);
    fresh.hand_ = hand_;
    fresh.hand_.powerOff = false;
    fresh.hand_.failCommand.clear();
    fresh.hand_.failReply.clear();
    fresh.hand_.ShowLamps(fresh.state_.extended);
    // Back on before the server saw the cut: the line still goes down once.
    fresh.output_ = std::move(output_);
    fresh.powerCut_ = powerCut_;
    *this = std::move(fresh);
}

} // namespace nubra::sim
