#include "ProtocolLog.h"

#include <cctype>
#include <cstdio>
#include <ctime>

#include "Descriptions.h"
#include "OemText.h"
#include "Utf8.h"

namespace nubra {
namespace {

constexpr std::string_view kSeparator = "- - - - - - - - - - - - - - - -";
constexpr std::string_view kSent = "<- ";
constexpr std::string_view kReceived = "-> ";
constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr std::string_view kReportCommand = "R2";
constexpr std::string_view kReportLine = "WE";

// The payload of the frame at the start of text; false when text does not start with STX.
bool Payload(std::string_view text, std::string& payload) {
    if (text.empty() || text.front() != kStx)
        return false;
    const std::size_t end = text.find(kEtx, 1);
    payload = std::string(text.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1));
    return true;
}

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// A reply code: a capital letter and a capital or a digit (data fields of two characters are
// numbers, never codes).
bool IsReplyCode(const std::string& payload) {
    return payload.size() == 2 && IsUpper(payload[0]) &&
           (IsUpper(payload[1]) || std::isdigit(static_cast<unsigned char>(payload[1])));
}

bool IsExtension(const std::string& payload) {
    if (payload.size() != 4)
        return false;
    for (char c : payload)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

LogAnnotator::LogAnnotator() {
    for (std::string_view entry : DescriptionTable())
        descriptions_.emplace_back(entry);
}

std::string LogAnnotator::ReplyNote(const std::string& code) {
    lastReply_ = code;
    return code + "-" + DescribeReply(descriptions_, command_, code);
}

std::string LogAnnotator::Note(std::string_view bytes) {
    if (bytes == kSeparator) {
        commandNext_ = true;
        extendedNext_ = false;
        reportLineNext_ = false;
        command_.clear();
        return {};
    }
    const bool sent = bytes.starts_with(kSent);
    if (!sent && !bytes.starts_with(kReceived))
        return {};
    std::string_view text = bytes.substr(kSent.size());
    std::string payload;
    if (sent) {
        if (!Payload(text, payload) || !commandNext_)
            return {};
        commandNext_ = false;
        command_ = payload;
        return DescribeCommand(descriptions_, payload);
    }
    // The long wait logs an extended code as "X2" and the frame of its four digits.
    if (text.starts_with("X2") && Payload(text.substr(2), payload) && IsExtension(payload))
        return ReplyNote("X2" + payload);
    if (!Payload(text, payload))
        return {};
    if (reportLineNext_) {
        // The report's own text, even where it reads like a code ("D1", "--").
        reportLineNext_ = false;
        return {};
    }
    if (command_ == kReportCommand && payload == kReportLine) {
        reportLineNext_ = true;
        return std::string(kReportLine) + "-Wiersz raportu.";
    }
    if (extendedNext_) {
        extendedNext_ = false;
        if (IsExtension(payload))
            return ReplyNote("X2" + payload);
    }
    if (!IsReplyCode(payload))
        return {};
    if (payload == "X2") {
        extendedNext_ = true;
        lastReply_ = payload;
        return {};
    }
    return ReplyNote(payload);
}

std::string LogTime(LogClock::time_point time) {
    const std::time_t seconds = LogClock::to_time_t(time);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count() % 1000;
    std::tm local{};
    if (const std::tm* t = std::localtime(&seconds))
        local = *t;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(ms < 0 ? ms + 1000 : ms));
    return text;
}

std::string LogText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + 16);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == 0x02) {
            text += "<STX>";
        } else if (b == 0x03) {
            text += "<ETX>";
        } else if (b < 0x20 || b == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", b);
            text += hex;
        } else {
            AppendUtf8(text, OemGlyph(b));
        }
    }
    return text;
}

std::string LogPrefix(const LogEntry& entry, LogStyle style) {
    return style.time ? LogTime(entry.time) + " " : std::string{};
}

std::string LogSuffix(const LogEntry& entry, LogStyle style) {
    return style.notes && !entry.note.empty() ? "  " + entry.note : std::string{};
}

std::string LogLine(const LogEntry& entry, LogStyle style) {
    return LogPrefix(entry, style) + LogText(entry.bytes) + LogSuffix(entry, style);
}

} // namespace nubra
