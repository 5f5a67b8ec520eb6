#include "PtyServer.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace nubra::sim {
namespace {

// An endless stream goes out in small portions (about 12 kB/s): fast enough for tests, slow enough
// that only a few bytes slip in between the program clearing its buffers and sending a command.
constexpr std::size_t kStreamPortion = 64;
constexpr auto kStreamPause = std::chrono::milliseconds(5);
// A hang-up waits until the program has read the bytes before it: closing the line throws away what
// is still queued on the program's side. They count as read once the queue has stayed empty this
// long (the kernel moves written bytes into it a moment later); a program that reads nothing gets
// the hang-up after the longer limit.
constexpr auto kReadQuiet = std::chrono::milliseconds(100);
constexpr auto kUnreadLimit = std::chrono::seconds(5);

constexpr std::int64_t kBitsPerByte = 10; // start, eight data bits, stop
constexpr std::int64_t kNanosPerSecond = 1'000'000'000;

} // namespace

PtyServer::PtyServer(Nx3Device device, std::string linkPath)
    : device_(std::move(device)), linkPath_(std::move(linkPath)) {}

PtyServer::~PtyServer() {
    Stop();
}

std::string PtyServer::SlavePath() const {
    std::lock_guard lock(mutex_);
    return slavePath_;
}

int PtyServer::PollTimeoutMs() const {
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    const auto now = Clock::now();
    auto next = now + milliseconds(hangUpDue_ ? 10 : 200);
    // A head already due waits on the line (its next paced byte, or room to write), never on its due
    // time: that is past, and polling for it would spin.
    const bool headWaiting = !pending_.empty() && headTimed_ && headDue_ > now;
    if (headWaiting && headDue_ < next)
        next = headDue_;
    if (!pending_.empty() && !headWaiting && PacedAllowance(now) == 0 && NextPacedByte() < next)
        next = NextPacedByte();
    if (pending_.empty() && streamOn_ && nextStreamAt_ < next)
        next = nextStreamAt_;
    if (next <= now)
        return 0;
    return static_cast<int>(duration_cast<milliseconds>(next - now).count()) + 1;
}

std::size_t PtyServer::PacedAllowance(Clock::time_point now) const {
    if (lineRate_ <= 0)
        return std::numeric_limits<std::size_t>::max();
    if (!paceRunning_)
        return 1;
    // Credit since the line began to carry this answer: waking up late loses no throughput.
    const std::int64_t elapsed =
        std::chrono::duration_cast<std::chrono::nanoseconds>(now - paceStart_).count();
    const auto due = static_cast<std::size_t>(elapsed * lineRate_ / kBitsPerByte / kNanosPerSecond) + 1;
    return due > pacedSent_ ? due - pacedSent_ : 0;
}

PtyServer::Clock::time_point PtyServer::NextPacedByte() const {
    const auto sent = static_cast<std::int64_t>(pacedSent_);
    return paceStart_ + std::chrono::nanoseconds(sent * kBitsPerByte * kNanosPerSecond / lineRate_);
}

void PtyServer::Feed(std::string_view bytes) {
    // What the device has still to say goes out first, as on a real line: the program's new command
    // does not silence a report on its way, and the answers to the command follow it.
    std::lock_guard lock(mutex_);
    device_.Receive(bytes);
    for (OutputChunk& chunk : device_.TakeChunks())
        pending_.push_back(std::move(chunk));
}

void PtyServer::WritePending() {
    if (hangUpDue_)
        return;
    {
        // Answers produced by WithDevice() calls: the hang-up of a power cut, which takes with it
        // whatever was still waiting to go.
        std::lock_guard lock(mutex_);
        if (device_.TakePowerCut()) {
            pending_.clear();
            headTimed_ = false;
            paceRunning_ = false;
            streamLeft_.clear();
        }
        for (OutputChunk& chunk : device_.TakeChunks())
            pending_.push_back(std::move(chunk));
    }
    while (!pending_.empty()) {
        OutputChunk& head = pending_.front();
        if (!headTimed_) {
            headDue_ = Clock::now() + head.delay;
            headTimed_ = true;
        }
        if (Clock::now() < headDue_)
            return;
        const auto now = Clock::now();
        const std::size_t allowed = PacedAllowance(now);
        if (allowed == 0)
            return;
        if (lineRate_ > 0 && !paceRunning_) {
            paceRunning_ = true;
            paceStart_ = now;
            pacedSent_ = 0;
        }
        const std::size_t written = WriteSome(head.bytes, allowed);
        pacedSent_ += written;
        head.bytes.erase(0, written);
        if (!head.bytes.empty())
            return;
        const bool hangUp = head.hangUp;
        pending_.pop_front();
        headTimed_ = false;
        if (pending_.empty())
            paceRunning_ = false;
        if (hangUp) {
            hangUpDue_ = true;
            quietSince_ = Clock::now();
            unreadLimit_ = quietSince_ + kUnreadLimit;
            return;
        }
    }
}

void PtyServer::WriteStream() {
    if (!pending_.empty())
        return;
    {
        std::lock_guard lock(mutex_);
        streamOn_ = device_.Streaming();
        if (!streamOn_) {
            streamLeft_.clear();
            return;
        }
        if (Clock::now() < nextStreamAt_)
            return;
        if (streamLeft_.empty())
            streamLeft_ = device_.StreamBytes(kStreamPortion);
    }
    streamLeft_.erase(0, WriteSome(streamLeft_));
    nextStreamAt_ = Clock::now() + kStreamPause;
}

void PtyServer::HangUpOnceRead() {
    if (!hangUpDue_)
        return;
    const auto now = Clock::now();
    if (ProgramHasUnread())
        quietSince_ = now;
    if (now - quietSince_ < kReadQuiet && now < unreadLimit_)
        return;
    hangUpDue_ = false;
    HangUp();
}

void PtyServer::HangUp() {
    pending_.clear();
    headTimed_ = false;
    streamLeft_.clear();
    CloseLine();
    try {
        OpenLine();
        MakeLink();
    } catch (const std::system_error&) {
        broken_ = true;
        stopping_ = true;
    }
    // Counted once the fresh line is in place: a program that waits for the count must not find the
    // old line (or a new one under a reused number) half made.
    ++hangUps_;
}

} // namespace nubra::sim
