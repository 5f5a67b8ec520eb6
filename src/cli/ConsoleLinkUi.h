#pragma once
// The link's way to the user in a terminal: messages and the error window's text on stderr, the wait
// window as a line on stderr that Ctrl+C ends as the window's "Zamknij" does, and every log line to
// the trace file (with times and notes) when one is open.
#include <chrono>
#include <fstream>
#include <iosfwd>
#include <string>

#include "LinkUi.h"
#include "ProtocolLog.h"

namespace nubra {

class TNX3Class;

namespace cli {

class ConsoleLinkUi : public LinkUi {
public:
    explicit ConsoleLinkUi(std::ostream& err) : err_(err) {}
    ~ConsoleLinkUi() override;

    // The link whose AbortRequested the wait drives.
    void SetLink(TNX3Class* link) { link_ = link; }
    bool OpenTrace(const std::string& path);
    // False when a trace line could not be written.
    bool TraceGood() const { return !trace_.is_open() || trace_.good(); }

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    void ShowError(const std::string& text) override;
    void ShowWait() override;
    void HideWait() override;
    void ProcessMessages() override;
    void AddLogLine(const std::string& bytes) override;
    void SetBusyCursor(bool) override {}

    // The last reply code that crossed the line and the error window's last text.
    const std::string& LastReply() const { return annotator_.LastReply(); }
    const std::string& LastError() const { return lastError_; }
    bool ErrorShown() const { return errorShown_; }

private:
    std::ostream& err_;
    TNX3Class* link_ = nullptr;
    std::ofstream trace_;
    LogAnnotator annotator_;
    std::string lastError_;
    bool errorShown_ = false;
    bool waiting_ = false;
    bool waitShown_ = false;
    std::chrono::steady_clock::time_point waitStart_{};
};

// Console text: "\r\n" of the program's messages as plain line ends.
std::string ConsoleText(const std::string& text);

} // namespace cli
} // namespace nubra
