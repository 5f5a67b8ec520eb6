#include "Service.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <future>
#include <httplib.h>
#include <sstream>

#include "Cp1250.h"
#include "LinkError.h"
#include "LinkUi.h"
#include "OpsError.h"
#include "Page.h"
#include "ProtocolLog.h"
#include "ReportOps.h"
#include "SaleOps.h"
#include "SettingsSnapshot.h"
#include "StatusOps.h"
#include "SystemSerialLine.h"
#include "TNX3Class.h"

namespace nubra::nx3d {
namespace {

using nlohmann::json;

// The printer's port is COM1 of a link of its own.
constexpr int kPort = 1;
constexpr double kDefaultWait = 60;
constexpr double kMaxWait = 3600;

std::string Plain(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

// The link's way to the user in a service: nobody to ask, so messages and the error window's text
// are kept for the job's answer.
class ServiceLinkUi : public LinkUi {
public:
    void SetLink(TNX3Class* link) { link_ = link; }
    void ShowMessage(const std::string& text, MessageIcon) override { message_ = Plain(text); }
    void ShowError(const std::string& text) override {
        errorShown_ = true;
        error_ = Plain(text);
    }
    void ShowWait() override {
        if (link_)
            link_->AbortRequested = false;
    }
    void HideWait() override {
        if (link_)
            link_->AbortRequested = true;
    }
    void ProcessMessages() override {}
    void AddLogLine(const std::string& bytes) override { annotator_.Note(bytes); }
    void SetBusyCursor(bool) override {}

    const std::string& Message() const { return message_; }
    const std::string& Error() const { return error_; }
    bool ErrorShown() const { return errorShown_; }
    std::string LastReply() const { return cp1250::ToUtf8(annotator_.LastReply()); }

private:
    TNX3Class* link_ = nullptr;
    LogAnnotator annotator_;
    std::string message_, error_;
    bool errorShown_ = false;
};

// The messages the settings windows show after a write: nobody reads them in a service.
class ServiceMessages : public LinkUi {
public:
    void ShowMessage(const std::string&, MessageIcon) override {}
    void ShowError(const std::string&) override {}
    void ShowWait() override {}
    void HideWait() override {}
    void ProcessMessages() override {}
    void AddLogLine(const std::string&) override {}
    void SetBusyCursor(bool) override {}
};

std::string NowText() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char text[32];
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Answer(httplib::Response& res, int status, const json& body) {
    res.status = status;
    res.set_content(body.dump(), "application/json; charset=utf-8");
}

void Fail(httplib::Response& res, int status, const std::string& message, const std::string& field = "") {
    json body = {{"error", message}};
    if (!field.empty())
        body["field"] = field;
    Answer(res, status, body);
}

bool SameToken(const std::string& a, const std::string& b) {
    // Constant time: every byte is looked at whatever differs first.
    unsigned char diff = a.size() == b.size() ? 0 : 1;
    for (std::size_t i = 0; i < b.size(); ++i)
        diff |= static_cast<unsigned char>(a[i % (a.empty() ? 1 : a.size())] ^ b[i]) | (a.empty() ? 1 : 0);
    return diff == 0;
}

std::optional<double> WaitParam(const httplib::Request& req) {
    if (!req.has_param("wait"))
        return kDefaultWait;
    const std::string text = req.get_param_value("wait");
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::min(kMaxWait, std::stod(text));
}

// A report's body: {"confirm", "from", "to", "month", "summary"}; the report's name is in "report".
ops::ReportRequest ReportFromJson(const json& body) {
    ops::ReportRequest r;
    if (!ops::ReportFromName(body.value("report", ""), r.kind))
        throw ops::InvalidRequest("report", "Nieznany raport " + body.value("report", "") + ".");
    const auto text = [&](const char* key) {
        const auto it = body.find(key);
        if (it == body.end() || it->is_null())
            return std::string();
        if (!it->is_string())
            throw ops::InvalidRequest(key, std::string("Pole ") + key + " musi być tekstem.");
        return it->get<std::string>();
    };
    if (ops::NeedsConfirmation(r.kind) && body.value("confirm", false) != true)
        throw ops::InvalidRequest("confirm", "Ten raport wymaga potwierdzenia: \"confirm\": true.");
    const std::string from = text("from"), to = text("to");
    if (from.empty() != to.empty())
        throw ops::InvalidRequest(from.empty() ? "from" : "to",
                                  "Podaj oba końce zakresu, from i to, albo żaden (cały okres pracy).");
    if (!from.empty()) {
        r.from = ops::RangeValue(from, "from");
        r.to = ops::RangeValue(to, "to");
    }
    if (r.kind == ops::ReportKind::Monthly)
        r.month = ops::MonthValue(text("month"), "month");
    r.summary = body.value("summary", false) == true;
    return r;
}

} // namespace

int HttpStatus(JobState state) {
    switch (state) {
    case JobState::Done:
        return 200;
    case JobState::Refused:
        return 422;
    case JobState::NotSent:
        return 503;
    case JobState::Unknown:
        return 504;
    default:
        return 202;
    }
}

namespace {

// A read or a settings write is answered when it ends, so it is never "still running" (202).
int LinkStatus(JobState state) {
    const int status = HttpStatus(state);
    return status == 202 ? 200 : status;
}

} // namespace

// --- one printer ---

Printer::Printer(Service& service, PrinterConfig config)
    : service_(service), config_(std::move(config)), worker_([this] { Loop(); }) {}

Printer::~Printer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

std::string Printer::Busy() const {
    std::lock_guard lock(busyMutex_);
    return busy_;
}

LinkOutcome Printer::OnLinkInTurn(const std::function<bool(TNX3Class&, nlohmann::json&)>& fn) {
    std::promise<LinkOutcome> done;
    Post([&] { done.set_value(OnLink(fn)); });
    return done.get_future().get();
}

void Printer::Post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void Printer::Loop() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || !tasks_.empty(); });
            if (tasks_.empty())
                return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

LinkOutcome Printer::OnLink(const std::function<bool(TNX3Class&, json&)>& fn) {
    auto line = std::make_unique<SystemSerialLine>();
    line->SetDevicePath(kPort, config_.device);
    ServiceLinkUi ui;
    TNX3Class link(service_.DataFolder(), ui, std::move(line));
    ui.SetLink(&link);
    link.PrinterType = 2;
    LinkOutcome out;
    if (!link.OpenPort(kPort)) {
        // Held by the desktop program or missing: nothing went out.
        std::lock_guard lock(busyMutex_);
        busy_ = ui.Message();
        online_ = false;
        out.state = JobState::NotSent;
        out.result["error"] = ui.Message();
        return out;
    }
    {
        std::lock_guard lock(busyMutex_);
        busy_.clear();
    }
    try {
        const bool ok = fn(link, out.result);
        online_ = true;
        if (!ok) {
            out.state = JobState::Refused;
            const std::string code = ui.ErrorShown() ? ui.LastReply() : "";
            out.result["code"] = code;
            out.result["description"] = ui.ErrorShown() ? ui.Error() : "Drukarka nie przekazała danych.";
            service_.CountRefusal(config_.id, code);
        }
    } catch (const LinkError& e) {
        online_ = false;
        const bool unknown = e.OutcomeUnknown() || link.ChangingCommandSent();
        out.state = unknown ? JobState::Unknown : JobState::NotSent;
        out.result["error"] = Plain(unknown ? e.WithOutcomeUnknown().what() : e.what());
    }
    try {
        link.ClosePort();
    } catch (const LinkError&) {
        // The job's outcome is what it is; the next one opens the port anew.
    }
    return out;
}

// --- the service ---

Service::Service(const Nx3dOptions& options, std::string dataFolder, std::string token)
    : options_(options), dataFolder_(std::move(dataFolder)), token_(std::move(token)),
      journal_(dataFolder_ + "nx3d.sqlite") {
    for (const PrinterConfig& p : options_.printers)
        printers_.push_back(std::make_unique<Printer>(*this, p));
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

void Service::JobChanged() {
    { std::lock_guard lock(changedMutex_); }
    changed_.notify_all();
}

void Service::CountRefusal(const std::string& printer, const std::string& code) {
    std::lock_guard lock(metricsMutex_);
    ++refusals_[{printer, code}];
}

void Service::CountJobTime(double seconds) {
    std::lock_guard lock(metricsMutex_);
    jobSeconds_ += seconds;
    ++jobCount_;
}

void Service::Enqueue(Printer& printer, long long jobId) {
    printer.Post([this, &printer, jobId] { RunReceipt(printer, jobId); });
}

void Service::RunReceipt(Printer& printer, long long jobId) {
    const std::optional<Job> job = journal_.Get(jobId);
    if (!job || job->state != JobState::Queued)
        return;
    const json body = json::parse(job->body);
    const double start = Seconds();
    if (job->kind == "report") {
        const ops::ReportRequest report = ReportFromJson(body);
        journal_.SetState(jobId, JobState::Sending);
        JobChanged();
        LinkOutcome out =
            printer.OnLink([&](TNX3Class& link, json&) { return ops::RunReport(link, report); });
        journal_.SetState(jobId, out.state, out.result.dump());
        CountJobTime(Seconds() - start);
        JobChanged();
        return;
    }
    const ops::SaleRequest sale = ops::SaleFromJson(body);
    // On disk before the first byte goes out: a crash from here on leaves the job unknown.
    journal_.SetState(jobId, JobState::Sending);
    JobChanged();
    LinkOutcome out = printer.OnLink([&](TNX3Class& link, json& result) {
        if (!link.DetectCodePage())
            return false;
        ops::SaleResult sold;
        const bool ok =
            ops::RunSale(link, sale, sold, [&](int tranNo) { journal_.SetTransaction(jobId, tranNo); });
        if (sold.transaction) {
            result["register"] = sold.reg;
            result["transaction"] = sold.transaction;
            result["value"] = TNX3Class::FormatAmount(sold.value);
        }
        return ok;
    });
    journal_.SetState(jobId, out.state, out.result.dump());
    CountJobTime(Seconds() - start);
    JobChanged();
}

Job Service::WaitFinal(long long id, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    std::unique_lock lock(changedMutex_);
    for (;;) {
        Job job = *journal_.Get(id);
        if (Final(job.state) || std::chrono::steady_clock::now() >= deadline)
            return job;
        changed_.wait_until(lock, deadline);
    }
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
    out << "# HELP nx3d_printer_online Drukarka odpowiedziała w ostatnim zadaniu.\n# TYPE "
           "nx3d_printer_online gauge\n";
    for (const auto& p : printers_)
        out << "nx3d_printer_online{printer=\"" << p->Config().id << "\"} " << (p->Online() ? 1 : 0) << '\n';
    std::lock_guard lock(metricsMutex_);
    out << "# HELP nx3d_job_seconds Czas zadań na łączu.\n# TYPE nx3d_job_seconds summary\n"
        << "nx3d_job_seconds_sum " << jobSeconds_ << "\nnx3d_job_seconds_count " << jobCount_ << '\n';
    out << "# HELP nx3d_refusals_total Odmowy drukarki według kodu.\n# TYPE nx3d_refusals_total counter\n";
    for (const auto& [key, count] : refusals_)
        out << "nx3d_refusals_total{printer=\"" << key.first << "\",code=\"" << key.second << "\"} " << count
            << '\n';
    return out.str();
}

void Service::Mount(httplib::Server& server) {
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;
    const auto route = [&](const std::string& method, const std::string& path, const std::string& pattern,
                           const std::string& summary, Handler handler) {
        routes_.push_back({method, path, summary});
        if (method == "GET")
            server.Get(pattern, handler);
        else if (method == "PUT")
            server.Put(pattern, handler);
        else
            server.Post(pattern, handler);
    };
    const std::string id = "([A-Za-z0-9_-]+)";

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

    route(
        "GET", "/api/v1/printers", "/api/v1/printers", "Drukarki usługi",
        [this](const httplib::Request&, httplib::Response& res) {
            json list = json::array();
            for (const auto& p : printers_) {
                json item = {{"id", p->Config().id}, {"device", p->Config().device}, {"online", p->Online()}};
                if (!p->Busy().empty())
                    item["busy"] = p->Busy();
                list.push_back(item);
            }
            Answer(res, 200, list);
        });

    route("GET", "/api/v1/printers/{id}/status", "/api/v1/printers/" + id + "/status",
          "Stan drukarki, rejestry i zegar", [this](const httplib::Request& req, httplib::Response& res) {
              Printer* p = Find(req.matches[1]);
              if (!p)
                  return Fail(res, 404, "Nieznana drukarka " + std::string(req.matches[1]) + ".");
              LinkOutcome out = p->OnLinkInTurn([](TNX3Class& link, json& r) {
                  ops::StatusInfo info;
                  std::vector<ops::RegisterRow> rows;
                  ops::DeviceClock clock;
                  if (!ops::ReadStatusInfo(link, info) || !ops::ReadRegisters(link, rows) ||
                      !ops::ReadClock(link, clock))
                      return false;
                  r["status"] = ops::ToJson(ops::Describe(info));
                  r["registers"] = json::array();
                  for (const auto& row : rows)
                      r["registers"].push_back(ops::ToJson(ops::Describe(row)));
                  r["datetime"] = ops::ToJson(ops::Describe(clock));
                  return true;
              });
              out.result["printer"] = p->Config().id;
              Answer(res, LinkStatus(out.state), out.result);
          });

    route("POST", "/api/v1/printers/{id}/receipts", "/api/v1/printers/" + id + "/receipts",
          "Paragon albo faktura, dokładnie raz na identyfikator sprzedaży",
          [this](const httplib::Request& req, httplib::Response& res) {
              Printer* p = Find(req.matches[1]);
              if (!p)
                  return Fail(res, 404, "Nieznana drukarka " + std::string(req.matches[1]) + ".");
              const std::optional<double> wait = WaitParam(req);
              if (!wait)
                  return Fail(res, 400, "Parametr wait to liczba sekund.", "wait");
              const json body = json::parse(req.body, nullptr, false);
              if (body.is_discarded())
                  return Fail(res, 400, "Treść żądania nie jest poprawnym JSON.", "body");
              if (!body.is_object() || !body.contains("id") || !body["id"].is_string() ||
                  body["id"].get<std::string>().empty() || body["id"].get<std::string>().size() > 64)
                  return Fail(res, 400, "Pole id (identyfikator sprzedaży) to tekst od 1 do 64 znaków.",
                              "id");
              try {
                  ops::SaleFromJson(body);
              } catch (const ops::InvalidRequest& e) {
                  return Fail(res, 400, e.what(), e.field);
              }
              Job job;
              job.printer = p->Config().id;
              job.kind = "receipt";
              job.clientId = body["id"].get<std::string>();
              job.body = body.dump();
              bool inserted = false;
              Job stored = journal_.Insert(job, inserted);
              if (!inserted && stored.body != job.body)
                  return Fail(res, 409, "Sprzedaż " + job.clientId + " jest już w dzienniku z inną treścią.",
                              "id");
              if (inserted || stored.state == JobState::NotSent) {
                  // Nothing of a not-sent job reached the printer: the same sale may go again.
                  if (!inserted)
                      journal_.SetState(stored.id, JobState::Queued);
                  Enqueue(*p, stored.id);
              }
              const Job now = WaitFinal(stored.id, *wait);
              if (!Final(now.state))
                  res.set_header("Location", "/api/v1/jobs/" + std::to_string(now.id));
              Answer(res, HttpStatus(now.state), JobJson(now));
          });

    route(
        "POST", "/api/v1/printers/{id}/reports/{report}", "/api/v1/printers/" + id + "/reports/([a-z-]+)",
        "Raport: daily, periodic, monthly, constant, goods-list, settlement (potwierdzane wymagają confirm)",
        [this](const httplib::Request& req, httplib::Response& res) {
            Printer* p = Find(req.matches[1]);
            if (!p)
                return Fail(res, 404, "Nieznana drukarka " + std::string(req.matches[1]) + ".");
            const std::optional<double> wait = WaitParam(req);
            if (!wait)
                return Fail(res, 400, "Parametr wait to liczba sekund.", "wait");
            json body = req.body.empty() ? json::object() : json::parse(req.body, nullptr, false);
            if (!body.is_object())
                return Fail(res, 400, "Treść żądania nie jest poprawnym JSON.", "body");
            body["report"] = std::string(req.matches[2]);
            try {
                ReportFromJson(body);
            } catch (const ops::InvalidRequest& e) {
                return Fail(res, e.field == "report" ? 404 : 400, e.what(), e.field);
            }
            Job job;
            job.printer = p->Config().id;
            job.kind = "report";
            job.body = body.dump();
            bool inserted = false;
            const Job stored = journal_.Insert(job, inserted);
            Enqueue(*p, stored.id);
            const Job now = WaitFinal(stored.id, *wait);
            if (!Final(now.state))
                res.set_header("Location", "/api/v1/jobs/" + std::to_string(now.id));
            Answer(res, HttpStatus(now.state), JobJson(now));
        });

    route("GET", "/api/v1/printers/{id}/reports/periodic", "/api/v1/printers/" + id + "/reports/periodic",
          "Raport okresowy przesłany jako tekst (from, to: RRRR-MM-DD albo nrNNNN)",
          [this](const httplib::Request& req, httplib::Response& res) {
              Printer* p = Find(req.matches[1]);
              if (!p)
                  return Fail(res, 404, "Nieznana drukarka " + std::string(req.matches[1]) + ".");
              std::string from = "000000", to = "000000";
              try {
                  if (req.has_param("from") != req.has_param("to"))
                      throw ops::InvalidRequest(
                          req.has_param("from") ? "to" : "from",
                          "Podaj oba końce zakresu, from i to, albo żaden (cały okres pracy).");
                  if (req.has_param("from")) {
                      from = ops::RangeValue(req.get_param_value("from"), "from");
                      to = ops::RangeValue(req.get_param_value("to"), "to");
                  }
              } catch (const ops::InvalidRequest& e) {
                  return Fail(res, 400, e.what(), e.field);
              }
              std::vector<std::string> lines;
              const LinkOutcome out = p->OnLinkInTurn(
                  [&](TNX3Class& link, json&) { return ops::TransferPeriodic(link, from, to, lines); });
              std::string text;
              for (const std::string& line : lines)
                  text += ops::Dev(line) + "\n";
              if (out.state != JobState::Done)
                  return Answer(res, LinkStatus(out.state), out.result);
              res.set_content(text, "text/plain; charset=utf-8");
          });

    route("GET", "/api/v1/printers/{id}/settings", "/api/v1/printers/" + id + "/settings",
          "Ustawienia drukarki jako kopia (JSON narzędzi technika)",
          [this](const httplib::Request& req, httplib::Response& res) {
              Printer* p = Find(req.matches[1]);
              if (!p)
                  return Fail(res, 404, "Nieznana drukarka " + std::string(req.matches[1]) + ".");
              std::string text;
              const LinkOutcome out = p->OnLinkInTurn([&](TNX3Class& link, json&) {
                  toolkit::SettingsSnapshot snapshot;
                  if (!toolkit::ReadSnapshot(link, NowText(), snapshot))
                      return false;
                  text = toolkit::SnapshotToJson(snapshot);
                  return true;
              });
              if (out.state != JobState::Done)
                  return Answer(res, LinkStatus(out.state), out.result);
              res.set_content(text, "application/json; charset=utf-8");
          });

    route("PUT", "/api/v1/printers/{id}/settings", "/api/v1/printers/" + id + "/settings",
          "Przywraca ustawienia z kopii: zapisuje tylko to, co się różni (stawki VAT tylko z \"withVat\": "
          "true)",
          [this](const httplib::Request& req, httplib::Response& res) {
              Printer* p = Find(req.matches[1]);
              if (!p)
                  return Fail(res, 404, "Nieznana drukarka " + std::string(req.matches[1]) + ".");
              json body = json::parse(req.body, nullptr, false);
              if (!body.is_object())
                  return Fail(res, 400, "Treść żądania nie jest poprawnym JSON.", "body");
              const bool withVat = body.value("withVat", false) == true;
              body.erase("withVat");
              toolkit::SettingsSnapshot saved;
              try {
                  saved = toolkit::SnapshotFromJson(body.dump());
              } catch (const std::exception& e) {
                  return Fail(res, 400, e.what(), "body");
              }
              ServiceMessages messages;
              const LinkOutcome out = p->OnLinkInTurn([&](TNX3Class& link, json& result) {
                  toolkit::SettingsSnapshot device;
                  if (!toolkit::ReadSnapshot(link, NowText(), device))
                      return false;
                  std::vector<std::string> written;
                  const bool ok = toolkit::RestoreSnapshot(
                      link, messages, saved, toolkit::CompareSnapshots(saved, device), withVat, written);
                  result["written"] = written;
                  if (saved.uniqueNo != device.uniqueNo)
                      result["otherPrinter"] = saved.uniqueNo;
                  return ok;
              });
              Answer(res, LinkStatus(out.state), out.result);
          });

    route("GET", "/api/v1/jobs/{job}", "/api/v1/jobs/([0-9]{1,18})", "Stan zadania",
          [this](const httplib::Request& req, httplib::Response& res) {
              const std::optional<Job> job = journal_.Get(std::stoll(req.matches[1]));
              if (!job)
                  return Fail(res, 404, "Nie ma zadania " + std::string(req.matches[1]) + ".");
              Answer(res, 200, JobJson(*job));
          });

    route("POST", "/api/v1/jobs/{job}/resolve", "/api/v1/jobs/([0-9]{1,18})/resolve",
          "Ustala z rejestru kasy, czy paragon o nieznanym wyniku jest w kasie",
          [this](const httplib::Request& req, httplib::Response& res) {
              const std::optional<Job> job = journal_.Get(std::stoll(req.matches[1]));
              if (!job)
                  return Fail(res, 404, "Nie ma zadania " + std::string(req.matches[1]) + ".");
              Printer* p = Find(job->printer);
              if (job->state != JobState::Unknown || job->kind != "receipt" || !p)
                  return Fail(res, 409, "Wynik zadania " + std::to_string(job->id) + " jest znany.");
              std::promise<void> done;
              p->Post([&] {
                  const ops::SaleRequest sale = ops::SaleFromJson(json::parse(job->body));
                  if (job->transaction == 0) {
                      // The transaction was never started, so the sale never went out.
                      journal_.SetState(
                          job->id, JobState::NotSent,
                          json{{"resolved", true}, {"error", "Sprzedaż nie dotarła do kasy."}}.dump());
                      return done.set_value();
                  }
                  ops::RegisterState reg;
                  LinkOutcome out = p->OnLink(
                      [&](TNX3Class& link, json&) { return ops::ReadRegister(link, sale.reg, reg); });
                  json result = json::parse(job->result, nullptr, false);
                  if (!result.is_object())
                      result = json::object();
                  result["register"] = sale.reg;
                  result["transaction"] = job->transaction;
                  result["value"] = TNX3Class::FormatAmount(sale.Value());
                  if (out.state == JobState::Done) {
                      result["registerState"] = {{"transaction", reg.transaction},
                                                 {"open", reg.open},
                                                 {"lastSale", ops::Dev(reg.lastSale)}};
                      const ops::SaleResult expected{sale.reg, job->transaction, sale.Value()};
                      if (ops::SaleOnDevice(reg, expected)) {
                          result["resolved"] = true;
                          result.erase("error");
                          journal_.SetState(job->id, JobState::Done, result.dump());
                      } else if (reg.transaction == job->transaction && reg.open) {
                          result["resolved"] = true;
                          result["error"] = "Sprzedaż nie dotarła do kasy: transakcja jest otwarta.";
                          journal_.SetState(job->id, JobState::NotSent, result.dump());
                      } else {
                          result["error"] = "Rejestr kasy przeszedł do innej transakcji: sprawdź rolkę "
                                            "kontrolną.";
                          journal_.SetState(job->id, JobState::Unknown, result.dump());
                      }
                  }
                  done.set_value();
              });
              done.get_future().get();
              JobChanged();
              const Job now = *journal_.Get(job->id);
              Answer(res, HttpStatus(now.state), JobJson(now));
          });

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
