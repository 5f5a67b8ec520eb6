// nx3d started as a program, called over HTTP, printing on nx3sim served on a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <httplib.h>
#include <iostream>
#include <map>
#include <netinet/in.h>
#include <nlohmann/json.hpp>
#include <random>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "Browser.h"
#include "PtyServer.h"

extern char** environ;

namespace nubra::testing {
namespace {

using nlohmann::json;

int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(s);
    return ntohs(a.sin_port);
}

json Receipt(const std::string& id, const std::string& price = "4,50") {
    return {{"id", id},
            {"register", 1},
            {"document", "paragon"},
            {"lines", {{{"name", "Chleb"}, {"ptu", "A"}, {"quantity", "1"}, {"price", price}}}},
            {"payment", {{"type", "cash"}}},
            {"print", false}};
}

class Nx3d : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "nx3d-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        comPath = dir + "/COM1";
        server = std::make_unique<sim::PtyServer>(sim::Nx3Device(), comPath);
        server->Start();
        port = FreePort();
    }

    void TearDown() override {
        Stop(SIGTERM);
        server.reset();
        std::filesystem::remove_all(dir);
    }

    void Start(std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {NX3D_PATH,
                                         "--printer",
                                         "kasa=" + comPath,
                                         "--data",
                                         dir,
                                         "--listen",
                                         "127.0.0.1:" + std::to_string(port)};
        args.insert(args.end(), extra.begin(), extra.end());
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ASSERT_EQ(::posix_spawn(&pid, NX3D_PATH, nullptr, nullptr, argv.data(), environ), 0);
        // Up when it answers; a service that never comes up fails the test by its time-out.
        for (;;) {
            if (Client().Get("/metrics"))
                break;
            int status = 0;
            ASSERT_EQ(::waitpid(pid, &status, WNOHANG), 0) << "nx3d ended at start-up";
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        // Each printer's first turn reads who it is; a test's own faults are for what follows.
        for (;;) {
            const httplib::Result r = Client().Get("/api/v1/printers");
            if (!r || r->status != 200)
                return;
            const json list = json::parse(r->body);
            if (std::all_of(list.begin(), list.end(), [](const json& p) {
                    return p.contains("uniqueNumber") || p.contains("busy") || p.contains("error");
                }))
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    void Stop(int sig) {
        if (pid <= 0)
            return;
        ::kill(pid, sig);
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
    }

    httplib::Client Client() {
        httplib::Client c("127.0.0.1", port);
        c.set_read_timeout(120, 0);
        if (!token.empty())
            c.set_bearer_token_auth(token);
        return c;
    }

    struct Answer {
        int status = 0;
        json body;
        std::string text;
    };
    Answer Call(const std::string& method, const std::string& path, const std::string& body = "") {
        httplib::Client c = Client();
        const httplib::Result r = method == "GET"   ? c.Get(path)
                                  : method == "PUT" ? c.Put(path, body, "application/json")
                                                    : c.Post(path, body, "application/json");
        EXPECT_TRUE(r) << method << " " << path;
        if (!r)
            return {};
        return {r->status, json::parse(r->body, nullptr, false), r->body};
    }
    Answer PostReceipt(const json& receipt, const std::string& query = "") {
        return Call("POST", "/api/v1/printers/kasa/receipts" + query, receipt.dump());
    }

    // The emulator again, its answers paced as a serial line carries them.
    void ServeAtLineRate() {
        server.reset();
        server = std::make_unique<sim::PtyServer>(sim::Nx3Device(), comPath);
        server->SetLineRate(sim::PtyServer::kLineRate);
        server->Start();
    }

    // How many lines of the paper roll read exactly so.
    int OnRoll(const std::string& line) {
        return server->WithDevice([&](sim::Nx3Device& d) {
            const auto& roll = d.State().paperRoll;
            return static_cast<int>(std::count(roll.begin(), roll.end(), line));
        });
    }

    int Receipts() {
        return server->WithDevice([](sim::Nx3Device& d) { return d.State().totalizers.receiptCount; });
    }

    std::string dir, comPath, token;
    std::unique_ptr<sim::PtyServer> server;
    int port = 0;
    pid_t pid = -1;
};

TEST_F(Nx3d, TheSameSaleIdPrintsOnceAndAnotherBodyIsAConflict) {
    Start();
    const Answer first = PostReceipt(Receipt("S-2026-000123"));
    EXPECT_EQ(first.status, 200);
    EXPECT_EQ(first.text,
              R"({"href":"/api/v1/jobs/1","id":"S-2026-000123","job":1,"kind":"receipt","printer":"kasa",)"
              R"("register":1,"state":"done","transaction":1,"value":"4,50"})");
    const Answer again = PostReceipt(Receipt("S-2026-000123"));
    EXPECT_EQ(again.status, 200);
    EXPECT_EQ(again.text, first.text);
    const Answer other = PostReceipt(Receipt("S-2026-000123", "5,00"));
    EXPECT_EQ(other.status, 409);
    EXPECT_EQ(other.text,
              R"({"error":"Sprzedaż S-2026-000123 jest już w dzienniku z inną treścią.","field":"id"})");
    EXPECT_EQ(Receipts(), 1);
    // The journal outlives the service.
    Stop(SIGTERM);
    Start();
    EXPECT_EQ(PostReceipt(Receipt("S-2026-000123")).text, first.text);
    EXPECT_EQ(Receipts(), 1);
}

// Killed at random moments over a job (before, during and after its frames), restarted: the job is
// done, queued (nothing that changes the device was sent: it runs again) or unknown, an unknown one is
// resolved against the register as the roll says, and posting the sale again never prints it a second
// time. NX3D_KILL_SEED=N repeats a run.
TEST_F(Nx3d, AServiceKilledMidJobNeverPrintsAReceiptTwice) {
    // Answers at a real line's pace, so that a job lasts long enough for the kills to land inside it.
    ServeAtLineRate();
    const char* given = std::getenv("NX3D_KILL_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::stoul(given)) : std::random_device()();
    std::cout << "kill run: NX3D_KILL_SEED=" << seed << std::endl;
    SCOPED_TRACE("NX3D_KILL_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    const auto sale = [](int round) {
        json r = Receipt("K-" + std::to_string(round));
        r["lines"][0]["name"] = "CHLEB " + std::to_string(round);
        r["print"] = true;
        return r;
    };
    Start();
    // A job run whole gives the span the moments are drawn from, with a tenth after its end; the
    // service hears the line out once before (a status read), as it does after every restart.
    ASSERT_EQ(Call("GET", "/api/v1/printers/kasa/status").status, 200);
    const auto before = std::chrono::steady_clock::now();
    ASSERT_EQ(PostReceipt(sale(0)).body["state"], "done");
    const auto span =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - before);
    std::uniform_int_distribution<long long> moment(0, span.count() * 11 / 10);
    std::map<std::string, int> outcomes;
    constexpr int kRounds = 50;
    for (int round = 1; round <= kRounds; ++round) {
        const std::string name = "CHLEB " + std::to_string(round);
        SCOPED_TRACE(name);
        const Answer queued = PostReceipt(sale(round), "?wait=0");
        ASSERT_TRUE(queued.status == 202 || queued.status == 200) << queued.text;
        const std::string href = "/api/v1/jobs/" + std::to_string(queued.body["job"].get<int>());
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        Stop(SIGKILL);
        Start();
        Answer job = Call("GET", href);
        ASSERT_EQ(job.status, 200);
        std::string outcome = job.body["state"];
        // A job still queued when the service died runs after the restart: wait for it through the
        // idempotent post.
        if (outcome == "queued" || outcome == "sending") {
            outcome = "queued, ran again";
            job = PostReceipt(sale(round));
            EXPECT_EQ(job.body["state"], "done") << job.text;
        }
        ASSERT_TRUE(outcome == "done" || outcome == "queued, ran again" || outcome == "unknown") << job.text;
        if (outcome == "unknown") {
            const Answer resolved = Call("POST", href + "/resolve");
            EXPECT_EQ(resolved.body["resolved"], true) << resolved.text;
            const std::string state = resolved.body["state"];
            ASSERT_TRUE(state == "done" || state == "not-sent") << resolved.text;
            // What the register says is what the roll shows.
            EXPECT_EQ(OnRoll(name), state == "done" ? 1 : 0) << resolved.text;
            outcome += " -> " + state;
            if (resolved.body.contains("printed"))
                outcome += " (printed by the resolve)";
            else if (state == "not-sent")
                outcome +=
                    resolved.body.contains("registerState") ? " (transaction open)" : " (never started)";
        }
        ++outcomes[outcome];
        // Posting it again prints it when it never reached the printer, and only then.
        const Answer last = PostReceipt(sale(round));
        EXPECT_EQ(last.body["state"], "done") << last.text;
        EXPECT_EQ(OnRoll(name), 1);
        EXPECT_EQ(Receipts(), round + 1);
    }
    for (int id = 1; id <= kRounds + 1; ++id)
        EXPECT_EQ(Call("GET", "/api/v1/jobs/" + std::to_string(id)).body["state"], "done") << id;
    std::cout << "kill run: " << kRounds << " moments over " << span.count() / 1000 << " ms:";
    for (const auto& [outcome, count] : outcomes)
        std::cout << " " << outcome << " " << count << ";";
    std::cout << std::endl;
}

struct RouteCase {
    const char* name;
    const char* method;
    const char* path;
    std::string body;
    int status;
    std::string answer; // the whole body, or empty to skip
};

void PrintTo(const RouteCase& c, std::ostream* os) {
    *os << c.name;
}

std::string WithLine(const std::string& key, const json& value) {
    json r = Receipt("R-1");
    r["lines"][0][key] = value;
    return r.dump();
}

class Nx3dRoutes : public Nx3d, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(Nx3dRoutes, AnswerAsTheTableSays) {
    const RouteCase& c = GetParam();
    Start();
    const Answer a = Call(c.method, c.path, c.body);
    EXPECT_EQ(a.status, c.status) << a.text;
    if (!c.answer.empty()) {
        std::string expected = c.answer;
        if (const auto at = expected.find("@COM1@"); at != std::string::npos)
            expected.replace(at, 6, comPath);
        EXPECT_EQ(a.text, expected);
    }
    if (c.status >= 400 && std::string(c.path).find("reports") == std::string::npos) {
        EXPECT_EQ(Receipts(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Nx3dRoutes,
    ::testing::Values(
        RouteCase{"Printers", "GET", "/api/v1/printers", "", 200,
                  R"([{"device":"@COM1@","id":"kasa","online":true,"uniqueNumber":"ABC12345678"}])"},
        RouteCase{"MalformedJson", "POST", "/api/v1/printers/kasa/receipts", "{\"id\": ", 400,
                  R"({"error":"Treść żądania nie jest poprawnym JSON.","field":"body"})"},
        RouteCase{
            "NoSaleId", "POST", "/api/v1/printers/kasa/receipts", json{{"lines", json::array()}}.dump(), 400,
            R"({"error":"Pole id (identyfikator sprzedaży) to tekst od 1 do 64 znaków.","field":"id"})"},
        RouteCase{"BadPrice", "POST", "/api/v1/printers/kasa/receipts", WithLine("price", "4,5x"), 400,
                  R"({"error":"Cena musi być liczbą od 0 do 999999,99: 4,5x.","field":"lines[0].price"})"},
        RouteCase{"FractionAsNumber", "POST", "/api/v1/printers/kasa/receipts", WithLine("price", 4.5), 400,
                  R"({"error":"Pole lines[0].price musi być tekstem.","field":"lines[0].price"})"},
        RouteCase{"ControlByteInName", "POST", "/api/v1/printers/kasa/receipts",
                  WithLine("name", "Chl\x03"
                                   "eb"),
                  400, ""},
        RouteCase{"TwoLines", "POST", "/api/v1/printers/kasa/receipts",
                  [] {
                      json r = Receipt("R-2");
                      r["lines"].push_back(r["lines"][0]);
                      return r.dump();
                  }(),
                  400, ""},
        RouteCase{"BadPayment", "POST", "/api/v1/printers/kasa/receipts",
                  [] {
                      json r = Receipt("R-3");
                      r["payment"]["type"] = "bitcoin";
                      return r.dump();
                  }(),
                  400, R"({"error":"Płatność to cash albo card.","field":"payment.type"})"},
        RouteCase{"InactiveRateIsRefused", "POST", "/api/v1/printers/kasa/receipts", WithLine("ptu", "G"),
                  422, ""},
        RouteCase{"UnknownPrinter", "POST", "/api/v1/printers/nie-ma/receipts", Receipt("R-4").dump(), 404,
                  R"({"error":"Nieznana drukarka nie-ma."})"},
        RouteCase{"BodyOverOneMegabyte", "POST", "/api/v1/printers/kasa/receipts", std::string(1100000, ' '),
                  413, ""},
        RouteCase{"UnknownJob", "GET", "/api/v1/jobs/99", "", 404, R"({"error":"Nie ma zadania 99."})"},
        RouteCase{"ResolveUnknownJob", "POST", "/api/v1/jobs/99/resolve", "", 404, ""},
        RouteCase{"DailyReportNeedsConfirm", "POST", "/api/v1/printers/kasa/reports/daily", "{}", 400,
                  R"({"error":"Ten raport wymaga potwierdzenia: \"confirm\": true.","field":"confirm"})"},
        // Confirmed, it reaches the printer, which refuses a day without sales.
        RouteCase{
            "DailyReportOfAnEmptyDay", "POST", "/api/v1/printers/kasa/reports/daily", R"({"confirm": true})",
            422,
            R"({"code":"D2","description":"Rozkaz nie wykonany, ponieważ tego dnia nic nie zarejestrowano w )"
            R"(totalizerach.","href":"/api/v1/jobs/1","job":1,"kind":"report","printer":"kasa","state":"refused"})"},
        RouteCase{
            "PeriodicReportRange", "POST", "/api/v1/printers/kasa/reports/periodic",
            R"({"from": "2026-01-01"})", 400,
            R"({"error":"Podaj oba końce zakresu, from i to, albo żaden (cały okres pracy).","field":"to"})"},
        RouteCase{"PeriodicTransfer", "GET", "/api/v1/printers/kasa/reports/periodic", "", 200, ""},
        RouteCase{
            "PeriodicTransferBadRange", "GET", "/api/v1/printers/kasa/reports/periodic?from=2026-1&to=nr2",
            "", 400,
            R"({"error":"Zakres raportu podaje się jako RRRR-MM-DD albo nrNNNN (numer raportu): 2026-1.",)"
            R"("field":"from"})"},
        RouteCase{"UnknownReport", "POST", "/api/v1/printers/kasa/reports/weekly", "{}", 404, ""},
        RouteCase{"BadWait", "POST", "/api/v1/printers/kasa/receipts?wait=x", Receipt("R-5").dump(), 400,
                  R"({"error":"Parametr wait to liczba sekund.","field":"wait"})"}));

TEST_F(Nx3d, RefusalsAndLostLinesMapToStates) {
    Start();
    struct Case {
        const char* what;
        std::function<void(sim::Nx3Device&)> arm;
        int status;
        const char* state;
    };
    const Case cases[] = {
        {"refused", [](sim::Nx3Device& d) { d.State().vatRates[0] = 9999; }, 422, "refused"},
        {"lost before anything went out", [](sim::Nx3Device& d) { d.HangUpOn("I7", sim::FailAt::Command); },
         503, "not-sent"},
        {"lost after the sale went out", [](sim::Nx3Device& d) { d.HangUpOn("PD", sim::FailAt::Closing); },
         504, "unknown"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        server->WithDevice([&](sim::Nx3Device& d) {
            d.State().vatRates[0] = 2300;
            c.arm(d);
        });
        const Answer a = PostReceipt(Receipt("M-" + std::to_string(++n)));
        EXPECT_EQ(a.status, c.status) << a.text;
        EXPECT_EQ(a.body["state"], c.state) << a.text;
    }
    // The refusal names the device's code.
    EXPECT_EQ(Call("GET", "/api/v1/jobs/1").body["code"], "D2");
    // The unknown sale is on the device: resolving says so, once the emulator serves the line again.
    while (Call("GET", "/api/v1/printers/kasa/status").status != 200)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const Answer resolved = Call("POST", "/api/v1/jobs/3/resolve");
    EXPECT_EQ(resolved.status, 200) << resolved.text;
    EXPECT_EQ(resolved.body["state"], "done");
    const Answer metrics = Call("GET", "/metrics");
    EXPECT_NE(metrics.text.find("nx3d_refusals_total{printer=\"kasa\",code=\"D2\"} 1\n"), std::string::npos);
    EXPECT_NE(metrics.text.find("nx3d_jobs{state=\"done\"} 1\n"), std::string::npos);
}

TEST_F(Nx3d, AHeldPortLeavesTheJobNotSentAndTheSameIdGoesAgainLater) {
    Start();
    const int fd = ::open(comPath.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    const Answer held = PostReceipt(Receipt("B-1"));
    EXPECT_EQ(held.status, 503) << held.text;
    EXPECT_EQ(held.body["state"], "not-sent");
    EXPECT_EQ(Call("GET", "/api/v1/printers").body[0]["busy"], held.body["error"]);
    ::close(fd);
    EXPECT_EQ(PostReceipt(Receipt("B-1")).body["state"], "done");
    EXPECT_EQ(Receipts(), 1);
}

// A settings write is a job of the journal: its answer, GET /jobs/{id} and the metrics show it, and
// a refusal or a lost line maps to the same states as a receipt's.
TEST_F(Nx3d, SettingsPutBackWriteOnlyWhatDiffersAsJobs) {
    Start();
    const Answer read = Call("GET", "/api/v1/printers/kasa/settings");
    ASSERT_EQ(read.status, 200) << read.text;
    const Answer same = Call("PUT", "/api/v1/printers/kasa/settings", read.text);
    EXPECT_EQ(same.text, R"({"href":"/api/v1/jobs/1","job":1,"kind":"settings","printer":"kasa",)"
                         R"("state":"done","written":[]})");
    EXPECT_EQ(Call("GET", "/api/v1/jobs/1").text, same.text);
    server->WithDevice([](sim::Nx3Device& d) { d.State().vatRates[1] = 700; });
    // The rates go back only when asked for.
    EXPECT_EQ(Call("PUT", "/api/v1/printers/kasa/settings", read.text).body["written"], json::array());
    json withVat = read.body;
    withVat["withVat"] = true;
    struct Case {
        const char* what;
        std::function<void(sim::Nx3Device&)> arm;
        int status;
        const char* state;
        int rate; // the device's rate B afterwards
    };
    const Case cases[] = {
        {"written", [](sim::Nx3Device&) {}, 200, "done", 800},
        {"refused", [](sim::Nx3Device& d) { d.State().readOnly = true; }, 422, "refused", 700},
        {"lost before the rates went out", [](sim::Nx3Device& d) { d.HangUpOn("S3", sim::FailAt::Command); },
         503, "not-sent", 700},
        {"lost after the rates went out", [](sim::Nx3Device& d) { d.HangUpOn("S3", sim::FailAt::Closing); },
         504, "unknown", 800},
    };
    long long job = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        server->WithDevice([&](sim::Nx3Device& d) {
            d.State().readOnly = false;
            d.State().vatRates[1] = 700;
            c.arm(d);
        });
        const Answer a = Call("PUT", "/api/v1/printers/kasa/settings", withVat.dump());
        EXPECT_EQ(a.status, c.status) << a.text;
        EXPECT_EQ(a.body["job"], ++job) << a.text;
        EXPECT_EQ(Call("GET", "/api/v1/jobs/" + std::to_string(job)).body["state"], c.state);
        EXPECT_EQ(server->WithDevice([](sim::Nx3Device& d) { return d.State().vatRates[1]; }), c.rate);
    }
    EXPECT_EQ(Call("GET", "/api/v1/jobs/3").body["written"], json::array({"stawki PTU"}));
    EXPECT_EQ(Call("GET", "/api/v1/jobs/4").body["code"], "DD");
    EXPECT_EQ(Call("POST", "/api/v1/jobs/6/resolve").text,
              R"({"error":"Rejestr kasy zna tylko paragony: wynik zadania 6 sprawdź na drukarce."})");
    const std::string metrics = Call("GET", "/metrics").text;
    for (const char* line :
         {"nx3d_jobs_by_kind{kind=\"settings\",state=\"done\"} 3\n",
          "nx3d_jobs_by_kind{kind=\"settings\",state=\"refused\"} 1\n",
          "nx3d_jobs_by_kind{kind=\"settings\",state=\"not-sent\"} 1\n",
          "nx3d_jobs_by_kind{kind=\"settings\",state=\"unknown\"} 1\n", "nx3d_job_seconds_count 6\n"})
        EXPECT_NE(metrics.find(line), std::string::npos) << line << metrics;
}

TEST_F(Nx3d, ATokenGuardsEveryRouteButMetrics) {
    std::ofstream(dir + "/token") << "sekret-123\n";
    Start({"--token-file", dir + "/token"});
    EXPECT_EQ(Call("GET", "/api/v1/printers").status, 401);
    EXPECT_EQ(Call("GET", "/metrics").status, 200);
    token = "sekret-124";
    EXPECT_EQ(Call("GET", "/api/v1/printers").status, 401);
    token = "sekret-123";
    EXPECT_EQ(Call("GET", "/api/v1/printers").status, 200);
}

TEST_F(Nx3d, OpenApiDescribesEveryRoute) {
    Start();
    const json doc = Call("GET", "/api/v1/openapi.json").body;
    EXPECT_EQ(doc["openapi"], "3.0.3");
    std::vector<std::string> described;
    for (const auto& [path, methods] : doc["paths"].items())
        for (const auto& [method, op] : methods.items()) {
            described.push_back(method + " " + path);
            // Each described route is served: a path of nothing known answers 404 with our own
            // message, not httplib's empty one.
            std::string concrete = path;
            for (const auto& [from, to] :
                 {std::pair{"{id}", "kasa"}, std::pair{"{job}", "1"}, std::pair{"{report}", "periodic"}})
                if (const auto at = concrete.find(from); at != std::string::npos)
                    concrete.replace(at, std::string(from).size(), to);
            std::string upper = method;
            for (char& ch : upper)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            const Answer a = Call(upper, concrete, Receipt("O-1").dump());
            EXPECT_FALSE(a.status == 404 && a.text.empty()) << upper << " " << concrete;
        }
    EXPECT_EQ(described,
              (std::vector<std::string>{
                  "get /api/v1/jobs", "get /api/v1/jobs/{job}", "post /api/v1/jobs/{job}/resolve",
                  "get /api/v1/metrics", "get /api/v1/openapi.json", "get /api/v1/printers",
                  "post /api/v1/printers/{id}/receipts", "get /api/v1/printers/{id}/reports/periodic",
                  "post /api/v1/printers/{id}/reports/{report}", "get /api/v1/printers/{id}/settings",
                  "put /api/v1/printers/{id}/settings", "get /api/v1/printers/{id}/status"}));
}

// A person at the page, in a real browser: the service wants a token, the printer answers with its
// unique number, a device path that looks like markup stays text, and the test receipt is on the roll
// once with its job done.
TEST_F(Nx3d, ThePageInABrowserPrintsATestReceiptOnce) {
    if (const std::string missing = Browser::Missing(); !missing.empty())
        GTEST_SKIP() << missing;
    std::ofstream(dir + "/token") << "sekret-123\n";
    const std::string markup = dir + "/<b>nie</b>";
    Start({"--token-file", dir + "/token", "--printer", "inna=" + markup});
    // The page itself needs no token and allows no script but its own.
    const httplib::Result page = httplib::Client("127.0.0.1", port).Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(
        page->get_header_value("Content-Security-Policy").rfind("default-src 'none'; script-src 'nonce-", 0),
        0u);

    Browser browser(FreePort());
    browser.Open("http://127.0.0.1:" + std::to_string(port) + "/");
    EXPECT_EQ(browser.WaitFor("return document.getElementById('notice').textContent"),
              "Brak lub zły token (Authorization: Bearer).");
    browser.Type("#token", "sekret-123");
    browser.Click("#token-form button[type=submit]");
    const auto printer = [&](const std::string& id) {
        return browser.WaitFor(
            "const row = document.querySelector('tr[data-printer=\"" + id +
            "\"][data-online]'); return row && Array.from(row.cells, c => c.textContent);");
    };
    EXPECT_EQ(printer("kasa"), json({"kasa", comPath, "odpowiada", "ABC12345678", ""}));
    const json other = printer("inna");
    ASSERT_EQ(other.size(), 5u) << other;
    EXPECT_EQ(other[1], markup);
    EXPECT_EQ(other[2], "nie odpowiada");
    EXPECT_NE(other[4].get<std::string>().find("Urządzenie: " + markup + " (brak takiego urządzenia"),
              std::string::npos)
        << other[4];
    EXPECT_EQ(browser.Run("return document.querySelectorAll('b').length"), 0);

    browser.Click("#printer option[value=kasa]");
    browser.Click("#send");
    const json answer =
        browser.WaitFor("const s = document.querySelector('#answer [data-state]'); return s && "
                        "Array.from(document.querySelectorAll('#answer dd'), d => d.textContent);");
    ASSERT_EQ(answer.size(), 5u) << answer;
    const std::string saleId = answer[0];
    EXPECT_EQ(saleId.rfind("TEST-", 0), 0u) << saleId;
    EXPECT_EQ(answer, json({saleId, "1", "wykonane", "1", "0,01"}));
    const json job =
        browser.WaitFor("const row = document.querySelector('#jobs tr[data-job=\"1\"]'); return row && "
                        "row.cells[4].dataset.state === 'done' && Array.from(row.cells, c => "
                        "c.textContent);");
    EXPECT_EQ(job, json({"1", "kasa", "paragon", saleId, "wykonane", "1", "0,01", ""}));
    EXPECT_EQ(browser.Run("return document.querySelectorAll('#jobs tr').length"), 1);

    EXPECT_EQ(Receipts(), 1);
    EXPECT_EQ(server->WithDevice([](sim::Nx3Device& d) { return d.State().paperRoll; }),
              (std::vector<std::string>{"PARAGON FISKALNY", "TEST", "  1,00 x 0,01 = 0,01 A", "SUMA PLN 0,01",
                                        "PTU A 23,00% 0,00", "GOT\xD3WKA", "REJESTR 1 TRANSAKCJA 00001"}));
}

} // namespace
} // namespace nubra::testing
