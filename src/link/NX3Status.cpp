// Status and information queries, "K4" and the choice of code page from the status bytes.
#include "DataFields.h"
#include "Numbers.h"
#include "TNX3Class.h"

namespace nubra {
namespace {

// Field widths of the replies, in the order the printer sends them.
constexpr std::size_t kYear = 2, kMonth = 2, kDay = 2, kReportNo = 5; // "B2"
constexpr std::size_t kRamResets = 3, kRateSets = 2;                  // "B3"
constexpr std::size_t kUnique2 = 10, kUnique3 = 12, kNip = 14;        // "B4", "B5"
constexpr int kBlock2 = 28, kBlock3 = 30;                             // "B4", "B5": fixed blocks
constexpr std::size_t kUnprinted = 4, kFlag = 1;                      // "I6"
constexpr std::size_t kTranNo = 5, kStatus = 1, kPrintFlag = 1, kSale = 9, kGap = 1, kPtu = 9; // "I7"
constexpr std::size_t kCancelled = 4, kBaseChanges = 2, kGross = 11, kReceipts = 5;            // "T2"
// "ES" "W": characters 5-7 tell whether "PI" carries the full unique number.
constexpr std::size_t kInfoLead = 4, kInfoLevel = 3;
constexpr int kPiLevel = 3;

} // namespace

bool TNX3Class::GetDayReportNo(std::string& date, std::string& number) {
    if (Accepted("B2")) {
        std::string data;
        ReceiveFrame(data);
        // Cut at once, before the closing code.
        DataFields f(data);
        const std::string year = f.Take(kYear);
        const std::string month = f.Take(kMonth);
        const std::string day = f.Take(kDay);
        date = "20" + year + "-" + month + "-" + day;
        number = f.Take(kReportNo);
        Closed();
    }
    return CheckReply("B2", LastReply());
}

bool TNX3Class::GetZeroRam(std::string& ramResets, std::string& rateSets) {
    std::string data;
    if (Query("B3", data)) {
        DataFields f(data);
        ramResets = f.Take(kRamResets);
        rateSets = f.Take(kRateSets);
    }
    return CheckReply("B3", LastReply());
}

bool TNX3Class::ReadStatusBlock(const std::string& code, int count, std::size_t uniqueWidth,
                                std::string& uniqueNo, std::string& nip, unsigned char& status1,
                                unsigned char& status2) {
    // A fixed block without a checksum test: the status bytes may hold any value, STX and ETX included.
    std::string data;
    if (Query(code, data, count)) {
        DataFields f(data);
        uniqueNo = f.Take(uniqueWidth);
        nip = f.Take(kNip);
        status1 = f.TakeByte();
        status2 = f.TakeByte();
    }
    return CheckReply(code, LastReply());
}

bool TNX3Class::GetStatus2Letter(std::string& uniqueNo, std::string& nip, unsigned char& status1,
                                 unsigned char& status2) {
    return ReadStatusBlock("B4", kBlock2, kUnique2, uniqueNo, nip, status1, status2);
}

bool TNX3Class::GetStatus3Letter(std::string& uniqueNo, std::string& nip, unsigned char& status1,
                                 unsigned char& status2) {
    return ReadStatusBlock("B5", kBlock3, kUnique3, uniqueNo, nip, status1, status2);
}

bool TNX3Class::GetStatus3LetterPI(std::string& uniqueNo, std::string& nip, unsigned char& status1,
                                   unsigned char& status2) {
    if (!GetStatus3Letter(uniqueNo, nip, status1, status2))
        return false;
    std::string info;
    if (!GetDeviceInfo("W", info))
        return false;
    DataFields f(info);
    f.Skip(kInfoLead);
    if (StrToIntDef(f.Take(kInfoLevel), -1) < kPiLevel)
        return true;
    std::string data;
    if (Query("PI", data))
        uniqueNo = data;
    return CheckReply("PI", LastReply());
}

bool TNX3Class::GetErrorNumber(std::string& number) {
    if (Accepted("I3")) {
        ReceiveFrame(number);
        Closed();
    }
    return CheckReply("I3", LastReply());
}

bool TNX3Class::GetExtStatus(std::string& unprintedReports, std::string& flag5, std::string& flag6,
                             std::string& flag7, std::string& flag8) {
    std::string data;
    if (Query("I6", data)) {
        DataFields f(data);
        unprintedReports = f.Take(kUnprinted);
        flag5 = f.Take(kFlag);
        flag6 = f.Take(kFlag);
        flag7 = f.Take(kFlag);
        flag8 = f.Take(kFlag);
    }
    return CheckReply("I6", LastReply());
}

bool TNX3Class::GetRegInfo(int reg, std::string& tranNo, std::string& status, std::string& printFlag,
                           std::string& lastSale, std::string& lastPtu) {
    if (Order("I7", {PadZeros(std::to_string(reg), 1)}, Closing::Reply)) {
        // Here the data follow the closing code.
        std::string data;
        ReceiveFrame(data);
        DataFields f(data);
        tranNo = f.Take(kTranNo);
        status = f.Take(kStatus);
        printFlag = f.Take(kPrintFlag);
        lastSale = f.Take(kSale);
        f.Skip(kGap);
        lastPtu = f.Take(kPtu);
    }
    return CheckReply("I7", LastReply());
}

bool TNX3Class::GetTotalizer(Totalizer& totalizer) {
    std::string data;
    if (Query("T2", data)) {
        DataFields f(data);
        totalizer.CancelledReceipts = f.Take(kCancelled);
        totalizer.GoodsBaseChanges = f.Take(kBaseChanges);
        totalizer.DayReportNumber = f.Take(kReportNo);
        totalizer.GrossA = f.Take(kGross);
        totalizer.GrossB = f.Take(kGross);
        totalizer.GrossC = f.Take(kGross);
        totalizer.GrossD = f.Take(kGross);
        totalizer.GrossE = f.Take(kGross);
        totalizer.GrossF = f.Take(kGross);
        totalizer.GrossG = f.Take(kGross);
        totalizer.CancelledAmount = f.Take(kGross);
        totalizer.ReceiptCount = f.Take(kReceipts);
    }
    return CheckReply("T2", LastReply());
}

// The one command method that keeps its codes to itself: LastReply is not touched.
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
    GuardOutcome("K4", 2, [&] {
        if (Accepted("K4")) {
            SendBytesFrame(std::string{static_cast<char>(status1), static_cast<char>(status2)});
            Closed(Closing::Wait);
        }
    });
    return CheckReply("K4", LastReply());
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
