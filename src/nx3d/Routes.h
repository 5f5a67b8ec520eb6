#pragma once
// What the route groups share: the table they are registered in (served and described in OpenAPI
// alike), and the checks every route makes the same way: the printer named in the path, the body,
// the wait.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "Service.h"

namespace nubra::nx3d {

using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

// route(method, path, pattern, summary, handler): served by the server and listed in the docs.
class Router {
public:
    Router(httplib::Server& server, std::vector<RouteDoc>& docs) : server_(server), docs_(docs) {}
    void operator()(const std::string& method, const std::string& path, const std::string& pattern,
                    const std::string& summary, Handler handler);

private:
    httplib::Server& server_;
    std::vector<RouteDoc>& docs_;
};

// The pattern of a printer's id in a route's path.
inline const std::string kPrinterId = "([A-Za-z0-9_-]+)";

void Answer(httplib::Response& res, int status, const nlohmann::json& body);
void Fail(httplib::Response& res, int status, const std::string& message, const std::string& field = "");

// The body as a JSON object, or nullopt once 400 naming "body" was answered. emptyIsObject: a route
// whose every field is optional takes no body as {}.
std::optional<nlohmann::json> JsonBody(const httplib::Request& req, httplib::Response& res,
                                       bool emptyIsObject = false);
// A steady clock in seconds, for the service's own time.
double Seconds();

// ?wait=SECONDS (default 60, at most an hour), or nullopt once 400 naming "wait" was answered.
std::optional<double> WaitParam(const httplib::Request& req, httplib::Response& res);

} // namespace nubra::nx3d
