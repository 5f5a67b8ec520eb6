// Status and information queries, "K4" and the choice of code page from the status bytes.
#include <cctype>

#include "TNX3Class.h"

namespace nubra {
namespace {

// Characters pos..pos+count-1 (1-based) of a reply's data field; short data give what is there.
std::string Mid(const std::string& data, std::size_t pos, std::size_t count) {
    return pos - 1 < data.size() ? data.substr(pos - 1, count) : std::string{};
}

unsigned char ByteAt(const std::string& data, std::size_t pos) {
    return pos - 1 < data.size() ? static_cast<unsigned char>(data[pos - 1]) : 0;
}

// A decimal number with optional leading blanks and sign; def for anything else.
int ToIntDef(const std::string& text, int def) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size())
        return def;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return def;
        value = value * 10 + (text[i] - '0');
        if (value > 0x7FFFFFFFLL)
            return def;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace

bool TNX3Class::GetDayReportNo(std::string& date, std::string& number) {
    std::string reply;
    SendCommand("B2", reply);
    lastReply_ = reply;
    if (reply == "I1") {
        std::string data;
        ReceiveFrame(data);
        date = "20" + Mid(data, 1, 2) + "-" + Mid(data, 3, 2) + "-" + Mid(data, 5, 2);
        number = Mid(data, 7, 5);
        ReceiveReply(reply);
        lastReply_ = reply;
    }
    return CheckReply("B2", lastReply_);
}

bool TNX3Class::GetZeroRam(std::string& ramResets, std::string& rateSets) {
    std::string reply;
    SendCommand("B3", reply);
    lastReply_ = reply;
    if (reply == "I1") {
        std::string data;
        ReceiveFrame(data);
        ReceiveReply(reply);
        lastReply_ = reply;
        if (reply == "D1") {
            ramResets = Mid(data, 1, 3);
            rateSets = Mid(data, 4, 2);
        }
    }
    return CheckReply("B3", lastReply_);
}

bool TNX3Class::ReadStatusBlock(const std::string& code, int count, int uniqueWidth, std::string& uniqueNo,
                                std::string& nip, unsigned char& status1, unsigned char& status2) {
    std::string reply;
    SendCommand(code, reply);
    lastReply_ = reply;
    if (reply == "I1") {
        // A fixed block: the status bytes may hold any value, STX and ETX included.
        std::string data;
        ReceiveFixed(count, data);
        ReceiveReply(reply);
        lastReply_ = reply;
        if (reply == "D1") {
            const auto w = static_cast<std::size_t>(uniqueWidth);
            uniqueNo = Mid(data, 1, w);
            nip = Mid(data, w + 1, 14);
            status1 = ByteAt(data, w + 15);
            status2 = ByteAt(data, w + 16);
        }
    }
    return CheckReply(code, lastReply_);
}

bool TNX3Class::GetStatus2Letter(std::string& uniqueNo, std::string& nip, unsigned char& status1,
                                 unsigned char& status2) {
    return ReadStatusBlock("B4", 28, 10, uniqueNo, nip, status1, status2);
}

bool TNX3Class::GetStatus3Letter(std::string& uniqueNo, std::string& nip, unsigned char& status1,
                                 unsigned char& status2) {
    return ReadStatusBlock("B5", 30, 12, uniqueNo, nip, status1, status2);
}

bool TNX3Class::GetStatus3LetterPI(std::string& uniqueNo, std::string& nip, unsigned char& status1,
                                   unsigned char& status2) {
    if (!GetStatus3Letter(uniqueNo, nip, status1, status2))
        return false;
    std::string info;
    if (!GetDeviceInfo("W", info))
        return false;
    // Devices that report 3 or more here carry the full unique number in "PI".
    if (ToIntDef(Mid(info, 5, 3), -1) < 3)
        return true;
    std::string reply;
    SendCommand("PI", reply);
    lastReply_ = reply;
    if (reply == "I1") {
        std::string data;
        ReceiveFrame(data);
        ReceiveReply(reply);
        lastReply_ = reply;
        if (reply == "D1")
            uniqueNo = data;
    }
    return CheckReply("PI", lastReply_);
}

bool TNX3Class::GetErrorNumber(std::string& number) {
    std::string reply;
    SendCommand("I3", reply);
    lastReply_ = reply;
    if (reply == "I1") {
        ReceiveFrame(number);
        ReceiveReply(reply);
        lastReply_ = reply;
    }
    return CheckReply("I3", lastReply_);
}

bool TNX3Class::GetExtStatus(std::string& unprintedReports, std::string& flag5, std::string& flag6,
                             std::string& flag7, std::string& flag8) {
    std::string reply;
    SendCommand("I6", reply);
    lastReply_ = reply;
    if (reply == "I1") {
        std::string data;
        ReceiveFrame(data);
        ReceiveReply(reply);
        lastReply_ = reply;
        if (reply == "D1") {
            unprintedReports = Mid(data, 1, 4);
            flag5 = Mid(data, 5, 1);
            flag6 = Mid(data, 6, 1);
            flag7 = Mid(data, 7, 1);
            flag8 = Mid(data, 8, 1);
        }
    }
    return CheckReply("I6", lastReply_);
}

bool TNX3Class::GetRegInfo(int reg, std::string& tranNo, std::string& status, std::string& printFlag,
                           std::string& lastSale, std::string& lastPtu) {
    std::string reply;
    SendCommand("I7", reply);
    lastReply_ = reply;
    if (reply == "I1") {
        SendFrame(PadZeros(std::to_string(reg), 1));
        ReceiveReply(reply);
        lastReply_ = reply;
        if (reply == "D1") {
            // Here the data follow the closing code.
            std::string data;
            ReceiveFrame(data);
            tranNo = Mid(data, 1, 5);
            status = Mid(data, 6, 1);
            printFlag = Mid(data, 7, 1);
            lastSale = Mid(data, 8, 9);
            lastPtu = Mid(data, 18, 9);
        }
    }
    return CheckReply("I7", lastReply_);
}

bool TNX3Class::GetTotalizer(Totalizer& totalizer) {
    std::string reply;
    SendCommand("T2", reply);
    lastReply_ = reply;
    if (reply == "I1") {
        std::string data;
        ReceiveFrame(data);
        ReceiveReply(reply);
        lastReply_ = reply;
        if (reply == "D1") {
            totalizer.CancelledReceipts = Mid(data, 1, 4);
            totalizer.GoodsBaseChanges = Mid(data, 5, 2);
            totalizer.DayReportNumber = Mid(data, 7, 5);
            totalizer.GrossA = Mid(data, 12, 11);
            totalizer.GrossB = Mid(data, 23, 11);
            totalizer.GrossC = Mid(data, 34, 11);
            totalizer.GrossD = Mid(data, 45, 11);
            totalizer.GrossE = Mid(data, 56, 11);
            totalizer.GrossF = Mid(data, 67, 11);
            totalizer.GrossG = Mid(data, 78, 11);
            totalizer.CancelledAmount = Mid(data, 89, 11);
            totalizer.ReceiptCount = Mid(data, 100, 5);
        }
    }
    return CheckReply("T2", lastReply_);
}

bool TNX3Class::GetDeviceInfo(const std::string& selector, std::string& data) {
    std::string code;
    SendCommand("ES", code);
    if (code == "I1") {
        SendFrame(selector);
        WaitForReply(code);
        if (code == "D1") {
            std::string received;
            ReceiveFrame(received);
            if (received.empty())
                return false;
            data = received;
        }
    }
    return CheckReply("ES", code);
}

bool TNX3Class::SetStatus(unsigned char status1, unsigned char status2) {
    std::string reply;
    SendCommand("K4", reply);
    lastReply_ = reply;
    if (reply == "I1") {
        SendFrame(std::string{static_cast<char>(status1), static_cast<char>(status2)});
        WaitForReply(reply);
        lastReply_ = reply;
    }
    return CheckReply("K4", lastReply_);
}

bool TNX3Class::DetectCodePage() {
    std::string uniqueNo;
    std::string nip;
    unsigned char status1 = 0;
    unsigned char status2 = 0;
    const bool ok = PrinterType >= 1 ? GetStatus3Letter(uniqueNo, nip, status1, status2)
                                     : GetStatus2Letter(uniqueNo, nip, status1, status2);
    if (ok)
        SelectCodePage((status1 & 0x80) == 0); // bit 7: Latin 2, else Mazovia
    return ok;
}

} // namespace nubra
