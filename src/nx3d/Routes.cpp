#include "Routes.h"

#include <chrono>

namespace nubra::nx3d {
namespace {

constexpr double kDefaultWait = 60;
constexpr double kMaxWait = 3600;

} // namespace

double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Router::operator()(const std::string& method, const std::string& path, const std::string& pattern,
                        const std::string& summary, Handler handler) {
    docs_.push_back({method, path, summary});
    if (method == "GET")
        server_.Get(pattern, std::move(handler));
    else if (method == "PUT")
        server_.Put(pattern, std::move(handler));
    else
        server_.Post(pattern, std::move(handler));
}

void Answer(httplib::Response& res, int status, const nlohmann::json& body) {
    res.status = status;
    res.set_content(body.dump(), "application/json; charset=utf-8");
}

void Fail(httplib::Response& res, int status, const std::string& message, const std::string& field) {
    nlohmann::json body = {{"error", message}};
    if (!field.empty())
        body["field"] = field;
    Answer(res, status, body);
}

std::optional<nlohmann::json> JsonBody(const httplib::Request& req, httplib::Response& res,
                                       bool emptyIsObject) {
    nlohmann::json body = emptyIsObject && req.body.empty() ? nlohmann::json::object()
                                                            : nlohmann::json::parse(req.body, nullptr, false);
    if (!body.is_object()) {
        Fail(res, 400, "Treść żądania nie jest poprawnym JSON.", "body");
        return std::nullopt;
    }
    return body;
}

std::optional<double> WaitParam(const httplib::Request& req, httplib::Response& res) {
    if (!req.has_param("wait"))
        return kDefaultWait;
    const std::string text = req.get_param_value("wait");
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) {
        Fail(res, 400, "Parametr wait to liczba sekund.", "wait");
        return std::nullopt;
    }
    return std::min(kMaxWait, std::stod(text));
}

} // namespace nubra::nx3d
