#include "Printer.h"

#include <chrono>
#include <future>

#include "Cp1250.h"
#include "LinkError.h"
#include "LinkUi.h"
#include "ProtocolLog.h"
#include "SerialLine.h"
#include "StatusOps.h"
#include "SystemSerialLine.h"
#include "TNX3Class.h"

namespace nubra::nx3d {
namespace {

using nlohmann::json;

// The printer's port is COM1 of a link of its own.
constexpr int kPort = 1;
// A device still answering a session the service lost (killed, or a line error) is heard out until
// the line has been quiet this long, so that its late frames are not read as answers to the next
// command; a device that never stops (a scale on the port) is given up on after kSettleMax.
constexpr int kQuietMs = 150;
constexpr auto kSettleMax = std::chrono::seconds(3);

void Settle(SerialLine& line) {
    line.SetReadTimeout(kQuietMs);
    const auto until = std::chrono::steady_clock::now() + kSettleMax;
    while (line.ReadByte() >= 0 && std::chrono::steady_clock::now() < until) {
    }
}

std::string Plain(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

// The link's way to the user in a service: nobody to ask, so messages and the error window's text
// are kept for the job's answer.
class ServiceLinkUi : public LinkUi {
public:
    void SetLink(TNX3Class* link) { link_ = link; }
    void ShowMessage(const std::string& text, MessageIcon) override { message_ = Plain(text); }
    void ShowError(const std::string& text) override {
        errorShown_ = true;
        error_ = Plain(text);
    }
    void ShowWait() override {
        if (link_)
            link_->AbortRequested = false;
    }
    void HideWait() override {
        if (link_)
            link_->AbortRequested = true;
    }
    void ProcessMessages() override {}
    void AddLogLine(const std::string& bytes) override { annotator_.Note(bytes); }
    void SetBusyCursor(bool) override {}

    const std::string& Message() const { return message_; }
    const std::string& Error() const { return error_; }
    bool ErrorShown() const { return errorShown_; }
    std::string LastReply() const { return cp1250::ToUtf8(annotator_.LastReply()); }

private:
    TNX3Class* link_ = nullptr;
    LogAnnotator annotator_;
    std::string message_, error_;
    bool errorShown_ = false;
};

} // namespace

int HttpStatus(JobState state) {
    switch (state) {
    case JobState::Done:
        return 200;
    case JobState::Refused:
        return 422;
    case JobState::NotSent:
        return 503;
    case JobState::Unknown:
        return 504;
    default:
        return 202;
    }
}

int LinkStatus(JobState state) {
    const int status = HttpStatus(state);
    return status == 202 ? 200 : status;
}

Printer::Printer(PrinterConfig config, std::string dataFolder,
                 std::function<void(const std::string&, const std::string&)> countRefusal)
    : config_(std::move(config)), dataFolder_(std::move(dataFolder)), countRefusal_(std::move(countRefusal)),
      worker_([this] { Loop(); }) {}

Printer::~Printer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

std::string Printer::Busy() const {
    std::lock_guard lock(busyMutex_);
    return busy_;
}

void Printer::Post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void Printer::RunInTurn(const std::function<void()>& task) {
    std::promise<void> done;
    Post([&] {
        task();
        done.set_value();
    });
    done.get_future().get();
}

std::string Printer::UniqueNumber() const {
    std::lock_guard lock(busyMutex_);
    return uniqueNo_;
}

void Printer::SetUniqueNumber(const std::string& utf8) {
    std::lock_guard lock(busyMutex_);
    uniqueNo_ = utf8;
}

std::string Printer::LineError() const {
    std::lock_guard lock(busyMutex_);
    return lineError_;
}

void Printer::Identify() {
    Post([this] {
        OnLink([this](TNX3Class& link, nlohmann::json&) {
            ops::StatusInfo info;
            if (!ops::ReadStatusInfo(link, info))
                return false;
            SetUniqueNumber(ops::Dev(info.status.uniqueNo));
            return true;
        });
    });
}

LinkOutcome Printer::OnLinkInTurn(const LinkWork& fn) {
    LinkOutcome out;
    RunInTurn([&] { out = OnLink(fn); });
    return out;
}

void Printer::Loop() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || !tasks_.empty(); });
            if (tasks_.empty())
                return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

LinkOutcome Printer::OnLink(const LinkWork& fn) {
    auto line = std::make_unique<SystemSerialLine>();
    line->SetDevicePath(kPort, config_.device);
    SerialLine& port = *line;
    ServiceLinkUi ui;
    TNX3Class link(dataFolder_, ui, std::move(line));
    ui.SetLink(&link);
    link.PrinterType = 2;
    LinkOutcome out;
    if (!link.OpenPort(kPort)) {
        // Held by the desktop program or missing: nothing went out.
        std::lock_guard lock(busyMutex_);
        busy_ = ui.Message();
        online_ = false;
        out.state = JobState::NotSent;
        out.result["error"] = ui.Message();
        return out;
    }
    {
        std::lock_guard lock(busyMutex_);
        busy_.clear();
    }
    if (!settled_) {
        Settle(port);
        link.SetTimeouts(2.0f);
        settled_ = true;
    }
    try {
        const bool ok = fn(link, out.result);
        online_ = true;
        {
            std::lock_guard lock(busyMutex_);
            lineError_.clear();
        }
        if (!ok) {
            out.state = JobState::Refused;
            const std::string code = ui.ErrorShown() ? ui.LastReply() : "";
            out.result["code"] = code;
            out.result["description"] = ui.ErrorShown() ? ui.Error() : "Drukarka nie przekazała danych.";
            countRefusal_(config_.id, code);
        }
    } catch (const LinkError& e) {
        online_ = false;
        settled_ = false;
        const bool unknown = e.OutcomeUnknown() || link.ChangingCommandSent();
        out.state = unknown ? JobState::Unknown : JobState::NotSent;
        out.result["error"] = Plain(unknown ? e.WithOutcomeUnknown().what() : e.what());
        std::lock_guard lock(busyMutex_);
        lineError_ = Plain(e.what());
    }
    try {
        link.ClosePort();
    } catch (const LinkError&) {
        // The job's outcome is what it is; the next one opens the port anew.
    }
    return out;
}

} // namespace nubra::nx3d
