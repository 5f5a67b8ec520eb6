#pragma once
// The page for people at "/": the printers, the last jobs and a test receipt, all through the
// service's own API, so what a person sees is what a till gets.
#include <string>

namespace httplib {
class Server;
}

namespace nubra::nx3d {

class Service;

// Registers "/" and the job list it reads (GET /api/v1/jobs, described with the other routes).
void MountPage(httplib::Server& server, Service& service);

// The page, its inline script and style marked with nonce.
std::string PageHtml(const std::string& nonce);

// What the page's Content-Security-Policy header allows: its own inline script and style, and
// requests back to the service; nothing from anywhere else.
std::string PagePolicy(const std::string& nonce);

} // namespace nubra::nx3d
