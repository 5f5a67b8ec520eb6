// Frames, the send and receive operations and the long wait for printing commands.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "Cp1250.h"
#include "LinkError.h"
#include "TNX3Class.h"

namespace nubra {
namespace {

const char* const kSeparator = "- - - - - - - - - - - - - - - -";

// Status and information queries, settings read back, stored data and the report as text.
constexpr std::array<std::string_view, 20> kReadingCodes = {"B2", "B3", "B4", "B5", "PI", "I3", "I6",
                                                            "I7", "T2", "ES", "D4", "D9", "C2", "E1",
                                                            "EA", "N4", "EI", "Q2", "LE", "R2"};

// The application-starting cursor for the length of one exchange operation, reset also when it raises.
class BusyCursor {
public:
    explicit BusyCursor(LinkUi& ui) : ui_(ui) { ui_.SetBusyCursor(true); }
    ~BusyCursor() { ui_.SetBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    LinkUi& ui_;
};

} // namespace

std::string TNX3Class::Checksum(const std::string& payload) {
    unsigned char sum = 0xFF;
    for (char c : payload)
        sum ^= static_cast<unsigned char>(c);
    char text[3];
    std::snprintf(text, sizeof text, "%02X", sum);
    return text;
}

std::string TNX3Class::Frame(const std::string& payload) {
    return STX + payload + ETX + Checksum(payload);
}

void TNX3Class::SendCommand(const std::string& code, std::string& reply) {
    ReopenLostPort();
    BusyCursor busy(ui_);
    line_->Purge();
    const std::string frame = Frame(code);
    ui_.AddLogLine(kSeparator);
    ui_.AddLogLine("<- " + frame);
    if (!line_->Write(frame))
        throw LineFailure(line_->Gone());
    ++writesDone_;
    if (Sleep)
        Sleep(25);
    ReceiveReply(reply);
}

void TNX3Class::SendFrame(const std::string& data) {
    SendBytesFrame(OnSendConvert ? OnSendConvert(cp1250::ToUpper(data)) : data);
}

void TNX3Class::SendBytesFrame(const std::string& bytes) {
    BusyCursor busy(ui_);
    const std::string frame = Frame(bytes);
    ui_.AddLogLine("<- " + frame);
    if (!line_->Write(frame))
        throw LineFailure(line_->Gone());
    ++writesDone_;
}

void TNX3Class::SendRaw(const std::string& text) {
    ReopenLostPort();
    BusyCursor busy(ui_);
    const std::string sent = WindowsToMazovia(text);
    ui_.AddLogLine("<- " + sent);
    if (!line_->Write(sent))
        throw LineFailure(line_->Gone());
    ++writesDone_;
}

void TNX3Class::SendPrintout(const std::vector<std::string>& writes) {
    GuardOutcome({}, 1, [&] {
        for (const std::string& write : writes)
            SendRaw(write);
    });
}

bool TNX3Class::OnlyReads(const std::string& code) {
    return std::find(kReadingCodes.begin(), kReadingCodes.end(), code) != kReadingCodes.end();
}

void TNX3Class::GuardOutcome(const std::string& code, std::size_t writes,
                             const std::function<void()>& exchange) {
    if (OnlyReads(code)) {
        exchange();
        return;
    }
    const std::uint64_t before = writesDone_;
    const auto sentWhole = [&] { return writesDone_ - before >= writes; };
    try {
        exchange();
    } catch (const LinkError& e) {
        if (!sentWhole())
            throw;
        changingSent_ = true;
        throw e.WithOutcomeUnknown();
    }
    if (sentWhole())
        changingSent_ = true;
}

void TNX3Class::ReceiveFrame(std::string& data) {
    BusyCursor busy(ui_);
    enum class State { BeforeFrame, InPayload, InChecksum } state = State::BeforeFrame;
    std::string payload;
    std::string received;
    for (int count = 1;; ++count) {
        const int b = line_->ReadByte();
        if (b < 0)
            throw LineFailure(b == SerialLine::kLineGone);
        // Everything before the first STX is skipped, an ETX included (the tail of an earlier answer).
        if (b == STX) {
            state = State::InPayload;
        } else if (state == State::BeforeFrame) {
            // noise
        } else if (b == ETX) {
            state = State::InChecksum;
        } else if (state == State::InPayload) {
            payload += static_cast<char>(b);
        } else if (state == State::InChecksum) {
            received += static_cast<char>(b);
            if (received.size() == 2)
                break;
        }
        if (count >= MaxFrameBytes)
            throw LinkError::NoCommunication();
    }
    const std::string computed = Checksum(payload);
    if (received != computed)
        throw LinkError::Checksum(received, computed);
    if (OnReceiveConvert)
        payload = OnReceiveConvert(payload);
    data = payload;
    ui_.AddLogLine("-> " + (STX + payload + ETX) + received);
}

void TNX3Class::ReceiveFixed(int count, std::string& data) {
    if (Sleep)
        Sleep(30);
    BusyCursor busy(ui_);
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    bool started = false;
    std::string got;
    for (int total = 1; !started || got.size() < wanted; ++total) {
        const int b = line_->ReadByte();
        if (b < 0)
            throw LineFailure(b == SerialLine::kLineGone);
        if (started)
            got += static_cast<char>(b);
        else
            started = b == STX;
        if ((!started || got.size() < wanted) && total >= MaxFrameBytes)
            throw LinkError::NoCommunication();
    }
    data = got;
    ui_.AddLogLine("-> " + (STX + got + ETX));
}

void TNX3Class::ReceiveReply(std::string& reply) {
    ReceiveFrame(reply);
    if (reply != "X2")
        return;
    // Without the digits "X2" stays as it came: it has no description of its own.
    std::string extended;
    try {
        ReceiveFrame(extended);
    } catch (const LinkError& e) {
        if (e.GetKind() != LinkError::Kind::NoCommunication || e.LineLost())
            throw;
        return;
    }
    reply += extended;
}

void TNX3Class::BeginWait() {
    ui_.SetBusyCursor(true);
    SetTimeouts(0.01f);
    ui_.ShowWait();
}

void TNX3Class::EndWait(const std::string& logText) {
    ui_.HideWait();
    SetTimeouts(2.0f);
    ui_.AddLogLine("-> " + logText);
    ui_.SetBusyCursor(false);
}

std::string TNX3Class::GatherReply(std::size_t count, bool& aborted) {
    std::string gathered;
    while (gathered.size() < count) {
        ui_.ProcessMessages();
        if (AbortRequested) {
            aborted = true;
            return Frame("D1");
        }
        const int b = line_->ReadByte();
        // Empty reads are tried again for as long as the printout takes; a line that is gone
        // will never bring the answer.
        if (b == SerialLine::kLineGone)
            throw LineFailure(true);
        if (b >= 0)
            gathered += static_cast<char>(b);
    }
    return gathered;
}

void TNX3Class::WaitForReply(std::string& reply) {
    bool ended = false;
    std::string logText;
    try {
        BeginWait();
        bool aborted = false;
        std::string gathered = GatherReply(6, aborted);
        logText = gathered;
        std::string code = gathered.substr(1, 2);
        if (!aborted) {
            const std::string computed = Checksum(code);
            if (gathered.substr(4, 2) != computed) {
                ended = true;
                EndWait(logText);
                throw LinkError::Checksum(gathered.substr(4, 2), computed);
            }
        }
        if (!aborted && code == "X2") {
            BeginWait();
            gathered = GatherReply(8, aborted);
            if (aborted) {
                code = "D1";
                logText = gathered;
            } else {
                const std::string extended = gathered.substr(1, 4);
                const std::string computed = Checksum(extended);
                logText = "X2" + gathered;
                if (gathered.substr(6, 2) != computed) {
                    ended = true;
                    EndWait(logText);
                    throw LinkError::Checksum(gathered.substr(6, 2), computed);
                }
                code = "X2" + extended;
            }
        }
        reply = code;
        ended = true;
        EndWait(logText);
    } catch (...) {
        // Whatever interrupts the wait (a window handler that raised), the window goes and the
        // normal time-outs come back.
        if (!ended)
            EndWait(logText);
        throw;
    }
}

bool TNX3Class::Accepted(const std::string& code) {
    SendCommand(code, lastReply_);
    return lastReply_ == "I1";
}

bool TNX3Class::Closed(Closing closing) {
    if (closing == Closing::Wait)
        WaitForReply(lastReply_);
    else
        ReceiveReply(lastReply_);
    return lastReply_ == "D1";
}

bool TNX3Class::Query(const std::string& code, std::string& data, int fixedCount) {
    if (!Accepted(code))
        return false;
    if (fixedCount > 0)
        ReceiveFixed(fixedCount, data);
    else
        ReceiveFrame(data);
    return Closed(Closing::Reply);
}

bool TNX3Class::Order(const std::string& code, std::initializer_list<std::string> frames, Closing closing) {
    bool done = false;
    GuardOutcome(code, 1 + frames.size(), [&] {
        if (!Accepted(code))
            return;
        for (const std::string& frame : frames)
            SendFrame(frame);
        done = Closed(closing);
    });
    return done;
}

} // namespace nubra
