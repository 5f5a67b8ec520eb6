#pragma once
// nx3d's heart: the printers with their queues, the journal, and the HTTP routes under /api/v1 that
// map JSON to the operations (registered by groups: printers, receipts, reports, settings, jobs).
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Journal.h"
#include "Nx3dOptions.h"
#include "Printer.h"

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace nubra::nx3d {

struct RouteDoc {
    std::string method;
    std::string path; // OpenAPI form: /api/v1/printers/{id}/status
    std::string summary;
};

class Router;

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
    // Wakes who waits for the job (JobChanged(): for any job).
    void JobChanged(long long id);
    void JobChanged();
    void CountRefusal(const std::string& printer, const std::string& code);
    // A job's time on the line, and the service's own time for it (the journal's commits included).
    void CountJobTime(double lineSeconds, double ownSeconds);
    // Own time of a request's handler, outside the wait for its job.
    void CountOwnTime(double seconds);
    nlohmann::json JobJson(const Job& job) const;

private:
    Printer* Find(const std::string& id);
    // The printer named by the path's first group, or nullptr once 404 was answered.
    Printer* PrinterOf(const httplib::Request& req, httplib::Response& res);
    // What a request for a new job brings: the printer in the path, ?wait and the body (emptyIsObject
    // as JsonBody takes it); nullopt once 404 or 400 was answered.
    struct JobRequest {
        Printer* printer;
        double wait;
        nlohmann::json body;
        double since; // when its handler began, for the service's own time
    };
    std::optional<JobRequest> JobRequestOf(const httplib::Request& req, httplib::Response& res,
                                           bool emptyIsObject = false);
    void Enqueue(Printer& printer, long long jobId);
    void RunJob(Printer& printer, long long jobId);
    Job WaitFinal(long long id, double seconds);
    // The job as it stands after waiting for it up to `wait` seconds: 202 with its address when it
    // is still queued or sending.
    // since: when the request's handler began, for its own time.
    void AnswerJob(httplib::Response& res, long long id, double wait, double since);
    // A new job of that kind journaled, queued and answered as AnswerJob does.
    void SubmitJob(Printer& printer, const std::string& kind, const nlohmann::json& body, double wait,
                   double since, httplib::Response& res);

    void MountPrinterRoutes(Router& route);
    void MountReceiptRoutes(Router& route);
    void MountReportRoutes(Router& route);
    void MountSettingsRoutes(Router& route);
    void MountJobRoutes(Router& route);

    Nx3dOptions options_;
    std::string dataFolder_;
    std::string token_;
    Journal journal_;
    std::vector<RouteDoc> routes_;
    // The jobs requests wait for: each waiter wakes only for its own job.
    struct Watch {
        int waiters = 0;
        long long changes = 0;
        std::condition_variable changed;
    };
    std::mutex changedMutex_;
    std::map<long long, Watch> watches_;
    std::mutex metricsMutex_;
    std::map<std::pair<std::string, std::string>, long long> refusals_;
    double jobSeconds_ = 0, ownSeconds_ = 0;
    long long jobCount_ = 0;
    std::vector<std::unique_ptr<Printer>> printers_;
};

} // namespace nubra::nx3d
