#include "ScriptedLine.h"

namespace nubra {

void ScriptedLine::Feed(std::string bytes, When when) {
    pending_.push_back({std::move(bytes), when});
    Release();
}

void ScriptedLine::HangUp(When when) {
    pending_.push_back({{}, when, true});
    Release();
}

void ScriptedLine::Release() {
    while (!pending_.empty()) {
        const When& w = pending_.front().when;
        if (static_cast<int>(writes_.size()) < w.writes || written_.size() < w.bytesWritten ||
            purges_ < w.purges)
            return;
        for (char c : pending_.front().bytes)
            input_.push_back(static_cast<unsigned char>(c));
        gone_ = gone_ || pending_.front().hangUp;
        pending_.pop_front();
    }
}

std::size_t ScriptedLine::Unread() const {
    std::size_t n = input_.size();
    for (const auto& c : pending_)
        n += c.bytes.size();
    return n;
}

SerialLine::OpenResult ScriptedLine::Open(int portNumber) {
    events_.push_back("open " + std::to_string(portNumber));
    if (openResult_ != OpenResult::Ok)
        return openResult_;
    open_ = true;
    port_ = portNumber;
    return OpenResult::Ok;
}

bool ScriptedLine::SetReadTimeout(int milliseconds) {
    events_.push_back("timeout " + std::to_string(milliseconds));
    if (!open_ || failTimeout_)
        return false;
    timeouts_.push_back(milliseconds);
    timeoutMs_ = milliseconds;
    return true;
}

bool ScriptedLine::Purge() {
    events_.push_back("purge");
    if (!open_)
        return false;
    input_.clear();
    ++purges_;
    Release();
    return true;
}

bool ScriptedLine::Write(const std::string& bytes) {
    events_.push_back("write " + bytes);
    if (!open_ || failWrite_ || (gone_ && input_.empty()))
        return false;
    written_ += bytes;
    writes_.push_back(bytes);
    Release();
    return true;
}

int ScriptedLine::ReadByte() {
    ++reads_;
    if (open_ && !failRead_ && input_.empty() && gone_)
        return kLineGone;
    if (!open_ || failRead_ || input_.empty()) {
        ++timedOut_;
        return kNoByte;
    }
    const int b = input_.front();
    input_.pop_front();
    return b;
}

bool ScriptedLine::Close() {
    events_.push_back("close");
    if (failClose_)
        return false;
    open_ = false;
    return true;
}

} // namespace nubra
