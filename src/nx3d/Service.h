#pragma once
// nx3d's heart: one queue and one worker per printer (jobs of a printer in arrival order, printers
// side by side), the journal, and the HTTP routes under /api/v1 that map JSON to the operations.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "Journal.h"
#include "Nx3dOptions.h"

namespace httplib {
class Server;
}

namespace nubra {
class TNX3Class;
}

namespace nubra::nx3d {

// What one session on the link ended with.
struct LinkOutcome {
    JobState state = JobState::Done;
    nlohmann::json result = nlohmann::json::object();
};

class Service;

class Printer {
public:
    Printer(Service& service, PrinterConfig config);
    ~Printer();
    const PrinterConfig& Config() const { return config_; }
    bool Online() const { return online_; }
    std::string Busy() const;

    // Runs on the worker, in turn.
    void Post(std::function<void()> task);
    // Opens the port, runs fn on a fresh link, closes; the refusal, the lost line and the busy port
    // become the outcome's state.
    LinkOutcome OnLink(const std::function<bool(TNX3Class&, nlohmann::json&)>& fn);
    // OnLink run in its turn on this printer's queue, waited for.
    LinkOutcome OnLinkInTurn(const std::function<bool(TNX3Class&, nlohmann::json&)>& fn);

private:
    void Loop();
    Service& service_;
    PrinterConfig config_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::atomic<bool> online_{false};
    mutable std::mutex busyMutex_;
    std::string busy_;
    std::thread worker_;
};

struct RouteDoc {
    std::string method;
    std::string path; // OpenAPI form: /api/v1/printers/{id}/status
    std::string summary;
};

class Service {
public:
    // Opens the journal in the data folder (raises std::runtime_error) and starts the workers; jobs
    // left queued by a stopped service run again, those left sending become unknown.
    Service(const Nx3dOptions& options, std::string dataFolder, std::string token);
    ~Service();

    // Registers the routes on server.
    void Mount(httplib::Server& server);
    const std::vector<RouteDoc>& Routes() const { return routes_; }
    // A route mounted elsewhere, for the OpenAPI document.
    void Describe(RouteDoc route) { routes_.push_back(std::move(route)); }
    nlohmann::json OpenApi() const;
    std::string Metrics();

    Journal& Jobs() { return journal_; }
    const std::string& DataFolder() const { return dataFolder_; }
    void JobChanged();
    void CountRefusal(const std::string& printer, const std::string& code);
    void CountJobTime(double seconds);
    nlohmann::json JobJson(const Job& job) const;

private:
    friend class Printer;
    Printer* Find(const std::string& id);
    void Enqueue(Printer& printer, long long jobId);
    void RunReceipt(Printer& printer, long long jobId);
    Job WaitFinal(long long id, double seconds);

    Nx3dOptions options_;
    std::string dataFolder_;
    std::string token_;
    Journal journal_;
    std::vector<RouteDoc> routes_;
    std::mutex changedMutex_;
    std::condition_variable changed_;
    std::mutex metricsMutex_;
    std::map<std::pair<std::string, std::string>, long long> refusals_;
    double jobSeconds_ = 0;
    long long jobCount_ = 0;
    std::vector<std::unique_ptr<Printer>> printers_;
};

// The HTTP status of a job's answer.
int HttpStatus(JobState state);

} // namespace nubra::nx3d
