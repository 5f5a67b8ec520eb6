// Daily, periodic, monthly and settlement reports, the goods list and the periodic report as text.
#include "LinkError.h"
#include "TNX3Class.h"

namespace nubra {
namespace {

constexpr int kRangeValue = 6, kMonth = 4, kVariant = 1; // data frames of "R1", "R2", "R9", "Z2"

} // namespace

bool TNX3Class::DayReport() {
    Order("Z1", {}, Closing::Wait);
    return CheckReply("Z1", LastReply());
}

bool TNX3Class::PeriodReport(const std::string& from, const std::string& to) {
    Order("R1", {PadLeft(from, kRangeValue), PadLeft(to, kRangeValue)}, Closing::Wait);
    return CheckReply("R1", LastReply());
}

bool TNX3Class::SubReport(char letter, std::initializer_list<std::string> frames) {
    GuardOutcome("R9", 2 + frames.size(), [&] {
        // "R9" and its letter go out back to back, without a purge or a log separator.
        SendFrame("R9");
        SendFrame(std::string(1, letter));
        ReceiveReply(lastReply_);
        if (lastReply_ == "I1") {
            for (const std::string& frame : frames)
                SendFrame(frame);
            Closed(Closing::Wait);
        }
    });
    return CheckReply("R9", LastReply());
}

bool TNX3Class::MonthlyReport(const std::string& month) {
    return SubReport('M', {PadLeft(month, kMonth)});
}

bool TNX3Class::ConstantReport() {
    return SubReport('S', {});
}

bool TNX3Class::PeriodSummary(const std::string& from, const std::string& to) {
    return SubReport('P', {PadLeft(from, kRangeValue), PadLeft(to, kRangeValue)});
}

bool TNX3Class::CommodityList() {
    Order("T3", {}, Closing::Wait);
    return CheckReply("T3", LastReply());
}

bool TNX3Class::SendPeriodReport(const std::string& from, const std::string& to) {
    if (!Accepted("R2"))
        return CheckReply("R2", LastReply());
    SendFrame(PadLeft(from, kRangeValue));
    SendFrame(PadLeft(to, kRangeValue));
    return true;
}

std::string TNX3Class::PartialReportMessage(const std::string& file, std::size_t lines) {
    return "Raport jest niepełny: transmisja została przerwana.\r\nLiczba wierszy zapisanych w pliku " +
           file + ": " + std::to_string(lines) + ".";
}

bool TNX3Class::ReceiveReportLine(std::string& line) {
    std::string code;
    ReceiveFrame(code);
    // An extended refusal (a range without reports) comes as "X2" and a frame with its four digits.
    if (code == "X2") {
        std::string digits;
        ReceiveFrame(digits);
        code += digits;
    }
    lastReply_ = code;
    if (code == ReportLineCode) {
        ReceiveFrame(line);
        return true;
    }
    line = code;
    return CheckReply("R2", code);
}

void TNX3Class::SkipReportRest() {
    for (;;) {
        std::string code;
        try {
            ReceiveFrame(code);
            const bool line = code == ReportLineCode;
            // A line's text, or the digits of an extended closing code.
            if (line || code == "X2")
                ReceiveFrame(code);
            if (!line)
                return;
        } catch (const LinkError& e) {
            // Silence means it is over; a garbled frame of the rest is skipped like the rest.
            if (e.GetKind() == LinkError::Kind::NoCommunication && !e.LineLost())
                return;
            if (e.GetKind() != LinkError::Kind::Checksum)
                throw;
        }
    }
}

bool TNX3Class::SettlementReport(bool summary, const std::string& from, const std::string& to) {
    std::string uniqueNo, nip;
    unsigned char status1 = 0, status2 = 0;
    if (!GetStatus3Letter(uniqueNo, nip, status1, status2))
        return false;
    const bool variant = PrinterType == 1;
    GuardOutcome("Z2", variant ? 5 : 4, [&] {
        if (Accepted("Z2")) {
            if (variant)
                SendFrame(PadLeft(summary ? "P" : "C", kVariant));
            SendFrame(PadLeft(from, kRangeValue));
            SendFrame(PadLeft(to, kRangeValue));
            SendFrame(uniqueNo);
            Closed(Closing::Wait);
        }
    });
    return CheckReply("Z2", LastReply());
}

} // namespace nubra
