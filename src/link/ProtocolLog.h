#pragma once
// The protocol log's lines in words, shared by the log window ("Zapisz do pliku...", "Opisy
// rozkazów", "Czas") and nx3cli --trace: one formatter, so a saved log and a trace read the same.
//
// A line is what the link logged: the separator, "<- " with a frame sent, "-> " with a frame
// received. Its note names the command an exchange starts (the frame sent right after the
// separator, as the description table words it) or the meaning of a reply code in that command's
// context ("I1-OK.", "X20133-Kasa jest już sfiskalizowana."). In the periodic report sent as text
// ("R2") a "WE" frame announces a report line and the frame after it is that line's text.
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace nubra {

using LogClock = std::chrono::system_clock;

struct LogEntry {
    LogClock::time_point time;
    std::string bytes; // as the link logged them
    std::string note;  // UTF-8; empty when the line has none
};

struct LogStyle {
    bool time = false;  // "18:42:03.125 " in front
    bool notes = false; // "  " and the note behind
};

// Notes for the lines of one log, given in the order they were logged.
class LogAnnotator {
public:
    LogAnnotator();

    std::string Note(std::string_view bytes);
    // The last reply code received ("X20133" for an extended one); empty before any.
    const std::string& LastReply() const { return lastReply_; }

private:
    std::string ReplyNote(const std::string& code);

    std::vector<std::string> descriptions_;
    std::string command_;
    std::string lastReply_;
    bool commandNext_ = false;
    bool extendedNext_ = false;
    bool reportLineNext_ = false;
};

// Local time of day to the millisecond: "18:42:03.125".
std::string LogTime(LogClock::time_point time);
// The bytes as text: STX and ETX as <STX> and <ETX>, other control bytes as <xx> (hexadecimal),
// bytes from 0x80 up as the log window draws them (code page 852), in UTF-8.
std::string LogText(std::string_view bytes);
// What goes before and after a line's bytes in the chosen style.
std::string LogPrefix(const LogEntry& entry, LogStyle style);
std::string LogSuffix(const LogEntry& entry, LogStyle style);
// The whole line as text (a saved log, a trace).
std::string LogLine(const LogEntry& entry, LogStyle style);

} // namespace nubra
