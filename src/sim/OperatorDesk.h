#pragma once
// The operator's commands of nx3sim, one line each, answered with one JSON line: what a person does
// to the printer (paper, cover, power), a failure or fault armed at the moment a test wants it, and
// the device's state and paper roll for the test to look at. Thread-safe: the device is reached
// through the server's lock.
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>

#include "PtyServer.h"

namespace nubra::sim {

class OperatorDesk {
public:
    // What the device finds in its memory when the power comes back, given what it held when the
    // power went.
    using Restart = std::function<DeviceState(const DeviceState& before)>;

    explicit OperatorDesk(PtyServer& server, Restart restart = {});

    std::string Run(const std::string& line);

    static std::string Help();

private:
    PtyServer& server_;
    Restart restart_;
    std::mutex mutex_;
    // Lines of the roll the last "roll" gave.
    std::size_t rollSeen_ = 0;
};

} // namespace nubra::sim
