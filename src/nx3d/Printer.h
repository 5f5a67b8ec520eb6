#pragma once
// One printer of the service: a queue and a worker, so its jobs run in arrival order while printers
// run side by side, and a fresh link per turn on its port.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "Journal.h"
#include "Nx3dOptions.h"

namespace nubra {
class TNX3Class;
}

namespace nubra::nx3d {

// What one session on the link ended with.
struct LinkOutcome {
    JobState state = JobState::Done;
    nlohmann::json result = nlohmann::json::object();
};

// The work of a turn on the link: false when the device refused.
using LinkWork = std::function<bool(TNX3Class&, nlohmann::json&)>;

class Printer {
public:
    // dataFolder: where the link keeps its files; countRefusal hears the device's refusal codes.
    Printer(PrinterConfig config, std::string dataFolder,
            std::function<void(const std::string& printer, const std::string& code)> countRefusal);
    ~Printer();
    const PrinterConfig& Config() const { return config_; }
    bool Online() const { return online_; }
    std::string Busy() const;
    // The device's unique number as last read from it; empty until then.
    std::string UniqueNumber() const;
    void SetUniqueNumber(const std::string& utf8);
    // Why the last turn lost the line; empty after a turn that was answered.
    std::string LineError() const;
    // Queues a status read that learns the unique number and whether the printer answers.
    void Identify();

    // Runs on the worker, in turn.
    void Post(std::function<void()> task);
    // Post, waited for.
    void RunInTurn(const std::function<void()>& task);
    // Opens the port, runs fn on a fresh link, closes; the refusal, the lost line and the busy port
    // become the outcome's state.
    LinkOutcome OnLink(const LinkWork& fn);
    // OnLink run in its turn on this printer's queue, waited for.
    LinkOutcome OnLinkInTurn(const LinkWork& fn);

private:
    void Loop();
    PrinterConfig config_;
    std::string dataFolder_;
    std::function<void(const std::string&, const std::string&)> countRefusal_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::atomic<bool> online_{false};
    // False until the line was heard out once: after the start (a killed service's last answer may
    // still be on its way) and after a lost line.
    bool settled_ = false;
    mutable std::mutex busyMutex_;
    std::string busy_;
    std::string uniqueNo_;
    std::string lineError_;
    std::thread worker_;
};

// The HTTP status of a job's answer.
int HttpStatus(JobState state);
// A read answered when it ends is never "still running" (202).
int LinkStatus(JobState state);

} // namespace nubra::nx3d
