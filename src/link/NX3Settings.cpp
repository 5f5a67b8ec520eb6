// Device settings: VAT rates, workstation numbers, parameters, waiting time, clock, header and footer.
#include "DataFields.h"
#include "Numbers.h"
#include "TNX3Class.h"

#include <cctype>
#include <cstdlib>

namespace nubra {
namespace {

constexpr std::size_t kRate = 4;            // "D4", "S3": seven rates A..G
constexpr std::size_t kPost = 2;            // "D9", "S8": eight registers
constexpr int kMinutes = 2;                 // "C1"
constexpr int kDirection = 1;               // "K2"
constexpr int kDateTime = 12, kTime = 6;    // "E2", "E3"
constexpr std::size_t kWide = 1, kHigh = 1; // "EA"
constexpr std::size_t kLine = 40;           // "EA", "EB", "N4", "N2"

const char* Flag(bool set) {
    return set ? "1" : "0";
}

} // namespace

int TNX3Class::PtuRateValue(const std::string& field) {
    // Blanks in front are the device's own padding (" 700"); anything else that is not a whole
    // number reads as an inactive rate, so writing the rates back cannot turn it into 1 %.
    std::size_t at = 0;
    while (at < field.size() && field[at] == ' ')
        ++at;
    if (at == field.size())
        return kInactiveRate;
    int value = 0;
    for (; at < field.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(field[at])))
            return kInactiveRate;
        value = value * 10 + (field[at] - '0');
    }
    return value;
}

bool TNX3Class::GetPtu(PtuRates& rates) {
    std::string data;
    if (Query("D4", data)) {
        DataFields f(data);
        for (std::string& rate : rates)
            rate = f.Take(kRate);
    }
    return CheckReply("D4", LastReply());
}

bool TNX3Class::SetPtu(const PtuRates& rates) {
    std::string data;
    for (const std::string& rate : rates)
        data += PadLeft(rate, kRate);
    Order("S3", {data}, Closing::Wait);
    return CheckReply("S3", LastReply());
}

bool TNX3Class::GetPostNumbers(PostNumbers& numbers) {
    std::string data;
    if (Query("D9", data)) {
        DataFields f(data);
        for (std::string& number : numbers)
            number = f.Take(kPost);
    }
    return CheckReply("D9", LastReply());
}

bool TNX3Class::SetPostNumbers(const PostNumbers& numbers) {
    std::string data;
    for (const std::string& number : numbers)
        data += PadZeros(number, kPost);
    Order("S8", {data}, Closing::Wait);
    return CheckReply("S8", LastReply());
}

bool TNX3Class::SetWaitingTime(int minutes) {
    Order("C1", {PadLeft(std::to_string(minutes), kMinutes)}, Closing::Reply);
    return CheckReply("C1", LastReply());
}

bool TNX3Class::GetWaitingTime(int& minutes) {
    if (Accepted("C2")) {
        std::string data;
        ReceiveFrame(data);
        Closed();
        minutes = StrToIntDef(data, -1);
    }
    return CheckReply("C2", LastReply());
}

bool TNX3Class::MoveTime(const std::string& direction) {
    Order("K2", {PadLeft(direction, kDirection)}, Closing::Wait);
    return CheckReply("K2", LastReply());
}

bool TNX3Class::GetDateTime(std::string& dateTime) {
    if (Accepted("E1")) {
        ReceiveFrame(dateTime);
        Closed();
    }
    return CheckReply("E1", LastReply());
}

bool TNX3Class::SetDateTime(const std::string& dateTime) {
    Order("E2", {PadLeft(dateTime, kDateTime)}, Closing::Wait);
    return CheckReply("E2", LastReply());
}

bool TNX3Class::SetTime(const std::string& time) {
    Order("E3", {PadLeft(time, kTime)}, Closing::Wait);
    return CheckReply("E3", LastReply());
}

bool TNX3Class::ReadHeaderLineCmd(int lineNumber, std::string& text, bool& wide, bool& high) {
    if (Order("EA", {std::to_string(lineNumber)}, Closing::Wait)) {
        // Here the line follows the closing code.
        std::string data;
        ReceiveFrame(data);
        if (data.empty())
            return false;
        DataFields f(data);
        wide = f.Take(kWide) == "1";
        high = f.Take(kHigh) == "1";
        text = f.Take(kLine);
    }
    return CheckReply("EA", LastReply());
}

bool TNX3Class::WriteHeaderLine(int lineNumber, const std::string& text, bool wide, bool high) {
    const std::string line = PadRight(text, kLine);
    Order("EB", {std::to_string(lineNumber) + Flag(wide) + Flag(high) + line}, Closing::Wait);
    return CheckReply("EB", LastReply());
}

bool TNX3Class::ReadFooter(FooterLines& lines) {
    std::string data;
    if (Query("N4", data)) {
        DataFields f(data);
        for (std::string& line : lines)
            line = f.Take(kLine);
    }
    return CheckReply("N4", LastReply());
}

bool TNX3Class::WriteFooter(const FooterLines& lines) {
    std::string data;
    for (const std::string& line : lines)
        data += PadRight(line, kLine);
    Order("N2", {data}, Closing::Reply);
    return CheckReply("N2", LastReply());
}

void TNX3Class::RemoveFilters() {
    OnSendConvert = nullptr;
    OnReceiveConvert = nullptr;
}

} // namespace nubra
