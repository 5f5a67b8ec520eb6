#pragma once
// An in-memory serial line for tests: the test scripts what the device sends (optionally released
// only after so many writes, written bytes or purges), and the line records everything the program
// did. A read with nothing available is a time-out and returns kNoByte at once.
#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "SerialLine.h"

namespace nubra {

class ScriptedLine : public SerialLine {
public:
    // A chunk becomes readable once all of its conditions hold (counted since the line was made).
    // Chunks are released in the order they were scripted.
    struct When {
        int writes = 0;
        std::size_t bytesWritten = 0;
        int purges = 0;
    };

    void Feed(std::string bytes) { Feed(std::move(bytes), When{0, 0, 0}); }
    void Feed(std::string bytes, When when);
    // The line goes (hangs up) once the bytes scripted before have been read and `when` holds:
    // reads give kLineGone and writes fail from then on.
    void HangUp() { HangUp(When{0, 0, 0}); }
    void HangUp(When when);

    // Failure injection.
    void FailOpen(OpenResult result) { openResult_ = result; }
    void FailWrites(bool fail) { failWrite_ = fail; }
    void FailReads(bool fail) { failRead_ = fail; }
    void FailTimeouts(bool fail) { failTimeout_ = fail; }
    void FailClose(bool fail) { failClose_ = fail; }

    // What the program did.
    const std::string& Written() const { return written_; }
    const std::vector<std::string>& Writes() const { return writes_; }
    // "open N", "timeout MS", "purge", "write <bytes>", "close", in order.
    const std::vector<std::string>& Events() const { return events_; }
    int Purges() const { return purges_; }
    const std::vector<int>& Timeouts() const { return timeouts_; }
    int CurrentTimeout() const { return timeoutMs_; }
    int Reads() const { return reads_; }
    int TimedOutReads() const { return timedOut_; }
    int OpenedPort() const { return port_; }
    // Released bytes not yet read plus chunks still waiting.
    std::size_t Unread() const;

    OpenResult Open(int portNumber) override;
    bool IsOpen() const override { return open_; }
    bool SetReadTimeout(int milliseconds) override;
    bool Purge() override;
    bool Write(const std::string& bytes) override;
    int ReadByte() override;
    bool Close() override;
    bool Gone() const override { return gone_ && input_.empty(); }

private:
    struct Chunk {
        std::string bytes;
        When when;
        bool hangUp = false;
    };
    void Release();

    std::deque<Chunk> pending_;
    std::deque<unsigned char> input_;
    std::string written_;
    std::vector<std::string> writes_;
    std::vector<std::string> events_;
    std::vector<int> timeouts_;
    OpenResult openResult_ = OpenResult::Ok;
    bool failWrite_ = false;
    bool failRead_ = false;
    bool failTimeout_ = false;
    bool failClose_ = false;
    bool open_ = false;
    bool gone_ = false;
    int port_ = 0;
    int purges_ = 0;
    int reads_ = 0;
    int timedOut_ = 0;
    int timeoutMs_ = 0;
};

} // namespace nubra
