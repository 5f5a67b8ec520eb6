#include "Browser.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <httplib.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace nubra::testing {
namespace {

using nlohmann::json;

// The key WebDriver names an element by.
constexpr const char* kElement = "element-6066-11e4-a52e-4f735466cecf";

std::string FindInPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

bool Truthy(const json& v) {
    return !(v.is_null() || (v.is_boolean() && !v.get<bool>()) ||
             (v.is_string() && v.get<std::string>().empty()));
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

} // namespace

std::string Browser::Missing() {
    if (FindInPath("chromium").empty() || FindInPath("chromedriver").empty())
        return "chromium and chromedriver are not installed (apt-get install chromium chromium-driver; "
               "scripts/test installs them)";
    return "";
}

Browser::Browser(int driverPort) : port_(driverPort) {
    std::string pattern = (std::filesystem::temp_directory_path() / "nx3d-browser-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("no temporary folder for the browser's profile");
    profile_ = pattern;
    const std::string log = profile_ + "/chromedriver.log";
    try {
        const std::string driver = FindInPath("chromedriver");
        // The browser's caches and settings go to the temporary folder too, not to the user's home.
        std::vector<std::string> args = {"/usr/bin/env",
                                         "HOME=" + profile_,
                                         "XDG_CONFIG_HOME=" + profile_ + "/config",
                                         "XDG_CACHE_HOME=" + profile_ + "/cache",
                                         driver,
                                         "--port=" + std::to_string(port_)};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        // A group of its own, so that every chromium it starts goes down with it.
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attr, 0);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
        const int failed = ::posix_spawn(&driver_, argv[0], &files, &attr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&files);
        posix_spawnattr_destroy(&attr);
        if (failed) {
            driver_ = -1;
            throw std::runtime_error("chromedriver did not start");
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        for (;;) {
            httplib::Client c("127.0.0.1", port_);
            if (const auto r = c.Get("/status"); r && r->status == 200) {
                const json status = json::parse(r->body, nullptr, false);
                if (status.is_object() && status.value("/value/ready"_json_pointer, false))
                    break;
            }
            int status = 0;
            if (::waitpid(driver_, &status, WNOHANG) == driver_) {
                driver_ = -1;
                throw std::runtime_error("chromedriver ended: " + ReadAll(log));
            }
            if (std::chrono::steady_clock::now() > deadline)
                throw std::runtime_error("chromedriver did not answer: " + ReadAll(log));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        const json options = {{"binary", FindInPath("chromium")},
                              {"args",
                               {"--headless=new", "--no-sandbox", "--disable-gpu",
                                "--user-data-dir=" + profile_ + "/profile", "--window-size=1200,900"}}};
        const json session =
            Call("POST", "/session",
                 {{"capabilities",
                   {{"alwaysMatch", {{"browserName", "chrome"}, {"goog:chromeOptions", options}}}}}});
        session_ = session.at("sessionId").get<std::string>();
    } catch (...) {
        Stop();
        throw;
    }
}

Browser::~Browser() {
    Stop();
}

void Browser::Stop() {
    if (!session_.empty()) {
        // Closes chromium the polite way; what does not go is killed with the group below.
        httplib::Client c("127.0.0.1", port_);
        c.set_read_timeout(10, 0);
        c.Delete("/session/" + session_);
        session_.clear();
    }
    if (driver_ > 0) {
        ::kill(-driver_, SIGKILL);
        int status = 0;
        ::waitpid(driver_, &status, 0);
        driver_ = -1;
    }
    if (!profile_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(profile_, ignored);
        profile_.clear();
    }
}

json Browser::Call(const std::string& method, const std::string& path, const json& body) {
    httplib::Client c("127.0.0.1", port_);
    c.set_read_timeout(60, 0);
    const std::string full = session_.empty() ? path : "/session/" + session_ + path;
    const httplib::Result r = method == "GET" ? c.Get(full) : c.Post(full, body.dump(), "application/json");
    if (!r)
        throw std::runtime_error("chromedriver did not answer " + method + " " + full);
    const json answer = json::parse(r->body, nullptr, false);
    if (r->status != 200 || !answer.is_object() || !answer.contains("value"))
        throw std::runtime_error("WebDriver " + method + " " + full + ": " + r->body);
    return answer["value"];
}

void Browser::Open(const std::string& url) {
    Call("POST", "/url", {{"url", url}});
}

json Browser::Run(const std::string& script) {
    return Call("POST", "/execute/sync", {{"script", script}, {"args", json::array()}});
}

json Browser::WaitFor(const std::string& script, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        json value = Run(script);
        if (Truthy(value) || std::chrono::steady_clock::now() > deadline)
            return value;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
}

std::string Browser::Element(const std::string& css) {
    return Call("POST", "/element", {{"using", "css selector"}, {"value", css}})
        .at(kElement)
        .get<std::string>();
}

void Browser::Click(const std::string& css) {
    Call("POST", "/element/" + Element(css) + "/click");
}

void Browser::Type(const std::string& css, const std::string& text) {
    const std::string element = Element(css);
    Call("POST", "/element/" + element + "/clear");
    Call("POST", "/element/" + element + "/value", {{"text", text}});
}

} // namespace nubra::testing
