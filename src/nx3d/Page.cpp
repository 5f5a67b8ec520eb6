#include "Page.h"

#include <httplib.h>
#include <nlohmann/json.hpp>
#include <random>
#include <string_view>

#include "Service.h"

namespace nubra::nx3d {

extern const std::string_view kPageHtml;

namespace {

constexpr int kDefaultJobs = 20;
constexpr int kMaxJobs = 200;

std::string NewNonce() {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::random_device random;
    std::string nonce;
    for (int i = 0; i < 22; ++i)
        nonce += kDigits[random() % 64];
    return nonce;
}

} // namespace

std::string PageHtml(const std::string& nonce) {
    static constexpr std::string_view kMark = "@NONCE@";
    std::string page(kPageHtml);
    for (std::size_t at = page.find(kMark); at != std::string::npos; at = page.find(kMark, at + nonce.size()))
        page.replace(at, kMark.size(), nonce);
    return page;
}

std::string PagePolicy(const std::string& nonce) {
    return "default-src 'none'; script-src 'nonce-" + nonce + "'; style-src 'nonce-" + nonce +
           "'; connect-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
}

void MountPage(httplib::Server& server, Service& service) {
    server.Get("/", [](const httplib::Request&, httplib::Response& res) {
        // A fresh nonce each time: a script injected into the page could not guess it.
        const std::string nonce = NewNonce();
        res.set_header("Content-Security-Policy", PagePolicy(nonce));
        res.set_header("X-Content-Type-Options", "nosniff");
        res.set_header("Referrer-Policy", "no-referrer");
        res.set_header("Cache-Control", "no-store");
        res.set_content(PageHtml(nonce), "text/html; charset=utf-8");
    });

    service.Describe(
        {"GET", "/api/v1/jobs", "Ostatnie zadania, najnowsze pierwsze (limit: od 1 do 200, domyślnie 20)"});
    server.Get("/api/v1/jobs", [&service](const httplib::Request& req, httplib::Response& res) {
        int limit = kDefaultJobs;
        if (req.has_param("limit")) {
            const std::string text = req.get_param_value("limit");
            limit =
                text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos
                    ? 0
                    : std::stoi(text);
            if (limit < 1 || limit > kMaxJobs) {
                res.status = 400;
                res.set_content(
                    nlohmann::json{{"error", "Parametr limit to liczba od 1 do 200."}, {"field", "limit"}}
                        .dump(),
                    "application/json; charset=utf-8");
                return;
            }
        }
        nlohmann::json list = nlohmann::json::array();
        for (const Job& job : service.Jobs().Last(limit))
            list.push_back(service.JobJson(job));
        res.set_content(list.dump(), "application/json; charset=utf-8");
    });
}

} // namespace nubra::nx3d
