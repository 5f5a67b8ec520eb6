#include "ConsoleLinkUi.h"

#include <csignal>
#include <ostream>

#include "CliOptions.h"
#include "TNX3Class.h"

namespace nubra::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

// A wait shorter than this (a query that answers at once) leaves stderr quiet.
constexpr std::chrono::milliseconds kWaitLineAfter{300};

extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

} // namespace

std::string ConsoleText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

ConsoleLinkUi::~ConsoleLinkUi() {
    if (waiting_ || catching_)
        std::signal(SIGINT, SIG_DFL);
}

void ConsoleLinkUi::CatchInterrupts(bool on) {
    if (on) {
        interrupted = 0;
        if (!waiting_ && !catching_)
            std::signal(SIGINT, OnInterrupt);
    } else if (catching_ && !waiting_) {
        std::signal(SIGINT, SIG_DFL);
    }
    catching_ = on;
}

bool ConsoleLinkUi::CtrlCPressed() const {
    return catching_ && interrupted != 0;
}

bool ConsoleLinkUi::OpenTrace(const std::string& path) {
    trace_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    return trace_.is_open();
}

void ConsoleLinkUi::ShowMessage(const std::string& text, MessageIcon) {
    err_ << ConsoleText(text) << std::endl;
}

void ConsoleLinkUi::ShowError(const std::string& text) {
    errorShown_ = true;
    lastError_ = text;
    err_ << "Odpowiedź drukarki " << LastReply() << ": " << ConsoleText(text) << std::endl;
}

void ConsoleLinkUi::ShowWait() {
    // Only Ctrl+C during a wait answers the wait; at any other time it ends the program at once.
    interrupted = 0;
    if (!waiting_ && !catching_)
        std::signal(SIGINT, OnInterrupt);
    waiting_ = true;
    waitShown_ = false;
    waitStart_ = std::chrono::steady_clock::now();
    if (link_)
        link_->AbortRequested = false;
}

void ConsoleLinkUi::HideWait() {
    if (waiting_ && !catching_)
        std::signal(SIGINT, SIG_DFL);
    waiting_ = false;
    if (link_)
        link_->AbortRequested = true;
}

void ConsoleLinkUi::ProcessMessages() {
    if (waiting_ && !waitShown_ && std::chrono::steady_clock::now() - waitStart_ >= kWaitLineAfter) {
        waitShown_ = true;
        err_ << "Program czeka na zakończenie drukowania dokumentu... (Ctrl+C kończy czekanie)" << std::endl;
    }
    if (waiting_ && interrupted) {
        interrupted = 0;
        // The link ends the wait (hides it) on its way out.
        throw Interrupted(kWaitInterrupted, true);
    }
}

void ConsoleLinkUi::AddLogLine(const std::string& bytes) {
    LogEntry entry{LogClock::now(), bytes, annotator_.Note(bytes)};
    if (trace_.is_open())
        trace_ << LogLine(entry, {.time = true, .notes = true}) << '\n' << std::flush;
}

} // namespace nubra::cli
