#pragma once
// Debian's chromium, headless, driven through chromedriver's WebDriver API, for the tests that look at
// a page as a person would.
#include <chrono>
#include <string>
#include <sys/types.h>

#include <nlohmann/json.hpp>

namespace nubra::testing {

class Browser {
public:
    // Why no browser can be started here (chromium or chromedriver not installed); empty when one can.
    static std::string Missing();

    // chromedriver on driverPort, in a process group of its own, and a session of a fresh headless
    // chromium with a profile in a temporary folder; raises std::runtime_error when that fails.
    explicit Browser(int driverPort);
    // Ends the session and kills what is left of chromedriver and chromium, whatever the test did.
    ~Browser();
    Browser(const Browser&) = delete;
    Browser& operator=(const Browser&) = delete;

    void Open(const std::string& url);
    // The value the script's "return" gives, run in the page as a function.
    nlohmann::json Run(const std::string& script);
    // Runs the script until it gives something other than null, false or "", and returns that; past
    // the limit returns the last value, for the test to show.
    nlohmann::json WaitFor(const std::string& script, std::chrono::seconds limit = std::chrono::seconds(30));
    // A real click and real key presses on the element the selector finds first.
    void Click(const std::string& css);
    void Type(const std::string& css, const std::string& text);

private:
    nlohmann::json Call(const std::string& method, const std::string& path,
                        const nlohmann::json& body = nlohmann::json::object());
    std::string Element(const std::string& css);
    void Stop();

    int port_;
    std::string profile_;
    std::string session_;
    pid_t driver_ = -1;
};

} // namespace nubra::testing
