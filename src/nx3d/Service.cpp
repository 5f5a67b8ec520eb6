#include "Service.h"

#include <algorithm>
#include <chrono>
#include <httplib.h>
#include <sstream>

#include "JobKinds.h"
#include "Page.h"
#include "Routes.h"

namespace nubra::nx3d {
namespace {

using nlohmann::json;

bool SameToken(const std::string& a, const std::string& b) {
    // Constant time: every byte is looked at whatever differs first.
    unsigned char diff = a.size() == b.size() ? 0 : 1;
    for (std::size_t i = 0; i < b.size(); ++i)
        diff |= static_cast<unsigned char>(a[i % (a.empty() ? 1 : a.size())] ^ b[i]) | (a.empty() ? 1 : 0);
    return diff == 0;
}

} // namespace

Service::Service(const Nx3dOptions& options, std::string dataFolder, std::string token)
    : options_(options), dataFolder_(std::move(dataFolder)), token_(std::move(token)),
      journal_(dataFolder_ + "nx3d.sqlite") {
    for (const PrinterConfig& p : options_.printers)
        printers_.push_back(std::make_unique<Printer>(
            p, dataFolder_,
            [this](const std::string& printer, const std::string& code) { CountRefusal(printer, code); }));
    // Before any recovered job, so the printer list shows who answers from the start.
    for (auto& p : printers_)
        p->Identify();
    for (const Job& job : journal_.Recover())
        if (Printer* p = Find(job.printer))
            Enqueue(*p, job.id);
}

Service::~Service() {
    printers_.clear();
}

Printer* Service::Find(const std::string& id) {
    for (auto& p : printers_)
        if (p->Config().id == id)
            return p.get();
    return nullptr;
}

Printer* Service::PrinterOf(const httplib::Request& req, httplib::Response& res) {
    Printer* p = Find(req.matches[1]);
    if (!p)
        Fail(res, 404, "Nieznana drukarka " + std::string(req.matches[1]) + ".");
    return p;
}

std::optional<Service::JobRequest> Service::JobRequestOf(const httplib::Request& req, httplib::Response& res,
                                                         bool emptyIsObject) {
    const double since = Seconds();
    Printer* p = PrinterOf(req, res);
    if (!p)
        return std::nullopt;
    const std::optional<double> wait = WaitParam(req, res);
    if (!wait)
        return std::nullopt;
    std::optional<nlohmann::json> body = JsonBody(req, res, emptyIsObject);
    if (!body)
        return std::nullopt;
    return JobRequest{p, *wait, std::move(*body), since};
}

void Service::JobChanged(long long id) {
    std::lock_guard lock(changedMutex_);
    const auto it = watches_.find(id);
    if (it == watches_.end())
        return;
    ++it->second.changes;
    it->second.changed.notify_all();
}

void Service::JobChanged() {
    std::lock_guard lock(changedMutex_);
    for (auto& [id, watch] : watches_) {
        ++watch.changes;
        watch.changed.notify_all();
    }
}

void Service::CountRefusal(const std::string& printer, const std::string& code) {
    std::lock_guard lock(metricsMutex_);
    ++refusals_[{printer, code}];
}

void Service::CountJobTime(double lineSeconds, double ownSeconds) {
    std::lock_guard lock(metricsMutex_);
    jobSeconds_ += lineSeconds;
    ownSeconds_ += ownSeconds;
    ++jobCount_;
}

void Service::CountOwnTime(double seconds) {
    std::lock_guard lock(metricsMutex_);
    ownSeconds_ += seconds;
}

void Service::Enqueue(Printer& printer, long long jobId) {
    printer.Post([this, &printer, jobId] { RunJob(printer, jobId); });
}

void Service::RunJob(Printer& printer, long long jobId) {
    const double start = Seconds();
    const std::optional<Job> job = journal_.Get(jobId);
    if (!job || job->state != JobState::Queued)
        return;
    double journaling = 0; // of the sale's start, while on the line
    const LinkWork work = JobWork(*job, [&](int tranNo) {
        const double at = Seconds();
        journal_.SetSending(jobId, tranNo);
        JobChanged(jobId);
        journaling += Seconds() - at;
    });
    // On disk before anything that changes the device goes out: a crash from then on leaves the job
    // unknown. A receipt's reads and the start of its transaction may go again (a rerun takes the open
    // transaction over), so a receipt is marked when its sale is about to go, with its transaction, in
    // one commit; the other kinds may change the device with their first command.
    if (job->kind != "receipt") {
        journal_.SetState(jobId, JobState::Sending);
        JobChanged(jobId);
    }
    const double lineStart = Seconds();
    const LinkOutcome out = printer.OnLink(work);
    const double line = Seconds() - lineStart - journaling;
    journal_.SetState(jobId, out.state, out.result.dump());
    JobChanged(jobId);
    CountJobTime(line, Seconds() - start - line);
}

Job Service::WaitFinal(long long id, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    std::unique_lock lock(changedMutex_);
    Watch& watch = watches_[id];
    ++watch.waiters;
    for (;;) {
        const long long seen = watch.changes;
        lock.unlock();
        Job job = *journal_.Get(id);
        lock.lock();
        if (Final(job.state) || std::chrono::steady_clock::now() >= deadline) {
            if (--watch.waiters == 0)
                watches_.erase(id);
            return job;
        }
        watch.changed.wait_until(lock, deadline, [&] { return watch.changes != seen; });
    }
}

void Service::AnswerJob(httplib::Response& res, long long id, double wait, double since) {
    const double waitStart = Seconds();
    const Job now = WaitFinal(id, wait);
    const double waitEnd = Seconds();
    if (!Final(now.state))
        res.set_header("Location", "/api/v1/jobs/" + std::to_string(now.id));
    Answer(res, HttpStatus(now.state), JobJson(now));
    CountOwnTime(waitStart - since + Seconds() - waitEnd);
}

void Service::SubmitJob(Printer& printer, const std::string& kind, const json& body, double wait,
                        double since, httplib::Response& res) {
    Job job;
    job.printer = printer.Config().id;
    job.kind = kind;
    job.body = body.dump();
    bool inserted = false;
    const Job stored = journal_.Insert(job, inserted);
    Enqueue(printer, stored.id);
    AnswerJob(res, stored.id, wait, since);
}

json Service::JobJson(const Job& job) const {
    json out = {{"job", job.id},
                {"printer", job.printer},
                {"kind", job.kind},
                {"state", StateName(job.state)},
                {"href", "/api/v1/jobs/" + std::to_string(job.id)}};
    if (job.clientId.rfind('#', 0) != 0)
        out["id"] = job.clientId;
    if (job.transaction)
        out["transaction"] = job.transaction;
    const json result = json::parse(job.result, nullptr, false);
    if (result.is_object())
        for (const auto& [key, value] : result.items())
            out[key] = value;
    return out;
}

nlohmann::json Service::OpenApi() const {
    json paths = json::object();
    for (const RouteDoc& r : routes_) {
        json op = {{"summary", r.summary}, {"responses", {{"200", {{"description", "OK"}}}}}};
        json params = json::array();
        for (std::size_t at = r.path.find('{'); at != std::string::npos; at = r.path.find('{', at + 1)) {
            const std::string name = r.path.substr(at + 1, r.path.find('}', at) - at - 1);
            params.push_back(
                {{"name", name}, {"in", "path"}, {"required", true}, {"schema", {{"type", "string"}}}});
        }
        if (!params.empty())
            op["parameters"] = params;
        std::string method = r.method;
        for (char& ch : method)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        paths[r.path][method] = op;
    }
    return {{"openapi", "3.0.3"},
            {"info", {{"title", "nx3d"}, {"version", "1"}, {"description", "Usługa drukowania NX-3 E."}}},
            {"paths", paths}};
}

std::string Service::Metrics() {
    std::ostringstream out;
    out << "# HELP nx3d_jobs Zadania w dzienniku według stanu.\n# TYPE nx3d_jobs gauge\n";
    for (const auto& [state, count] : journal_.CountByState())
        out << "nx3d_jobs{state=\"" << state << "\"} " << count << '\n';
    out << "# HELP nx3d_jobs_by_kind Zadania w dzienniku według rodzaju i stanu.\n# TYPE nx3d_jobs_by_kind "
           "gauge\n";
    for (const auto& [key, count] : journal_.CountByKind())
        out << "nx3d_jobs_by_kind{kind=\"" << key.first << "\",state=\"" << key.second << "\"} " << count
            << '\n';
    out << "# HELP nx3d_printer_online Drukarka odpowiedziała w ostatnim zadaniu.\n# TYPE "
           "nx3d_printer_online gauge\n";
    for (const auto& p : printers_)
        out << "nx3d_printer_online{printer=\"" << p->Config().id << "\"} " << (p->Online() ? 1 : 0) << '\n';
    std::lock_guard lock(metricsMutex_);
    out << "# HELP nx3d_job_seconds Czas zadań na łączu.\n# TYPE nx3d_job_seconds summary\n"
        << "nx3d_job_seconds_sum " << jobSeconds_ << "\nnx3d_job_seconds_count " << jobCount_ << '\n';
    out << "# HELP nx3d_job_overhead_seconds Czas usługi na zadanie poza łączem i czekaniem (z zapisami "
           "dziennika).\n# TYPE nx3d_job_overhead_seconds summary\n"
        << "nx3d_job_overhead_seconds_sum " << ownSeconds_ << "\nnx3d_job_overhead_seconds_count "
        << jobCount_ << '\n';
    out << "# HELP nx3d_journal_write_seconds Czas zapisów do dziennika (z oczekiwaniem na dysk).\n# TYPE "
           "nx3d_journal_write_seconds counter\nnx3d_journal_write_seconds_total "
        << journal_.WriteSeconds() << '\n';
    out << "# HELP nx3d_refusals_total Odmowy drukarki według kodu.\n# TYPE nx3d_refusals_total counter\n";
    for (const auto& [key, count] : refusals_)
        out << "nx3d_refusals_total{printer=\"" << key.first << "\",code=\"" << key.second << "\"} " << count
            << '\n';
    return out.str();
}

void Service::Mount(httplib::Server& server) {
    Router route(server, routes_);
    server.set_payload_max_length(1 << 20);
    server.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        const std::string origin = req.get_header_value("Origin");
        if (!origin.empty() &&
            std::find(options_.origins.begin(), options_.origins.end(), origin) != options_.origins.end()) {
            res.set_header("Access-Control-Allow-Origin", origin);
            res.set_header("Vary", "Origin");
            res.set_header("Access-Control-Allow-Headers", "Authorization, Content-Type");
            res.set_header("Access-Control-Allow-Methods", "GET, POST, PUT");
        }
        if (req.method == "OPTIONS") {
            res.status = 204;
            return httplib::Server::HandlerResponse::Handled;
        }
        // The page holds no data: it asks for the token itself.
        if (!token_.empty() && req.path != "/metrics" && req.path != "/api/v1/metrics" && req.path != "/") {
            const std::string auth = req.get_header_value("Authorization");
            const std::string given = auth.rfind("Bearer ", 0) == 0 ? auth.substr(7) : "";
            if (!SameToken(given, token_)) {
                res.set_header("WWW-Authenticate", "Bearer");
                Fail(res, 401, "Brak lub zły token (Authorization: Bearer).");
                return httplib::Server::HandlerResponse::Handled;
            }
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });

    MountPrinterRoutes(route);
    MountReceiptRoutes(route);
    MountReportRoutes(route);
    MountSettingsRoutes(route);
    MountJobRoutes(route);

    route("GET", "/api/v1/openapi.json", "/api/v1/openapi.json", "Opis API (OpenAPI 3)",
          [this](const httplib::Request&, httplib::Response& res) { Answer(res, 200, OpenApi()); });

    const Handler metrics = [this](const httplib::Request&, httplib::Response& res) {
        res.set_content(Metrics(), "text/plain; version=0.0.4; charset=utf-8");
    };
    route("GET", "/api/v1/metrics", "/api/v1/metrics", "Miary w formacie Prometheus", metrics);
    server.Get("/metrics", metrics);
    MountPage(server, *this);
}

} // namespace nubra::nx3d
