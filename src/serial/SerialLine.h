#pragma once
// A serial line as the link sees it: synchronous, one byte per read, a millisecond read time-out.
// Not thread-safe; used from one thread. Implementations: PosixSerialLine (a tty device, a real
// port or a pseudo-terminal) and ScriptedLine (in memory, for tests).
#include <string>

namespace nubra {

class SerialLine {
public:
    enum class OpenResult { Ok, OpenFailed, GetStateFailed, SetStateFailed };

    virtual ~SerialLine() = default;

    // Opens port COM<number> (1..4) exclusively and sets 9600 8N1 with software flow control off.
    virtual OpenResult Open(int portNumber) = 0;
    // After OpenFailed: one line naming the device and the reason ("Urządzenie: ... (...)"), or empty.
    virtual std::string OpenFailureDetail() const { return {}; }
    virtual bool IsOpen() const = 0;
    // Read time-out in milliseconds: a one-byte read returns at once when a byte is there.
    virtual bool SetReadTimeout(int milliseconds) = 0;
    // Discards both the input and the output queue.
    virtual bool Purge() = 0;
    // Writes every byte or fails.
    virtual bool Write(const std::string& bytes) = 0;
    // What ReadByte gives besides a byte: nothing within the time-out (a read may simply be tried
    // again), or a line that is gone (hung up, adapter pulled): no byte will ever come on it.
    static constexpr int kNoByte = -1;
    static constexpr int kLineGone = -2;
    // One byte 0..255, kNoByte or kLineGone.
    virtual int ReadByte() = 0;
    virtual bool Close() = 0;
    // True once a read or a write found the line gone rather than quiet or stalled; Open clears it.
    virtual bool Gone() const { return false; }
    // The device COM<portNumber> stands for, for messages; empty when the line has no such names.
    virtual std::string DevicePath(int portNumber) const {
        (void)portNumber;
        return {};
    }
};

} // namespace nubra
