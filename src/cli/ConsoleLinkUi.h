#pragma once
// The link's way to the user in a terminal: messages and the error window's text on stderr, the wait
// window as a line on stderr, and every log line to the trace file (with times and notes) when one is
// open. Ctrl+C during a wait raises Interrupted (the printer's answer never came, so nothing is
// reported as done); unlike the window's "Zamknij", it never stands for "D1".
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
    // While on, Ctrl+C is noted (CtrlCPressed()) instead of ending the program: a transfer keeps what
    // arrived. Turning it on forgets an earlier Ctrl+C.
    void CatchInterrupts(bool on);
    bool CtrlCPressed() const;

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
    bool catching_ = false;
    bool waitShown_ = false;
    std::chrono::steady_clock::time_point waitStart_{};
};

// Ctrl+C caught for as long as one lives.
class CaughtInterrupts {
public:
    explicit CaughtInterrupts(ConsoleLinkUi& ui) : ui_(ui) { ui_.CatchInterrupts(true); }
    ~CaughtInterrupts() { ui_.CatchInterrupts(false); }
    CaughtInterrupts(const CaughtInterrupts&) = delete;
    CaughtInterrupts& operator=(const CaughtInterrupts&) = delete;

private:
    ConsoleLinkUi& ui_;
};

inline constexpr const char* kWaitInterrupted = "Przerwano oczekiwanie: wynik nieznany.";

// Console text: "\r\n" of the program's messages as plain line ends.
std::string ConsoleText(const std::string& text);

} // namespace cli
} // namespace nubra
