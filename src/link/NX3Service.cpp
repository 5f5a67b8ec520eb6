// Fiscal and service operations: fiscalization and the tax number, the accounting currency, RAM
// reset, the SD card and the message templates.
#include "DataFields.h"
#include "TNX3Class.h"

namespace nubra {
namespace {

constexpr int kRate = 4;                                             // "EF", seven rates A..G
constexpr int kNip = 14;                                             // "U2"
constexpr std::size_t kDate = 6, kTime = 4, kCurrency = 3;           // "EI", "EJ"
constexpr int kTemplateNo = 2;                                       // "Q2", "Q3"
constexpr std::size_t kName = 40, kRow = 20, kRows = 20, kNames = 2; // "Q2" template, "Q3" rows

// Blanks behind up to width; a longer text is kept whole.
std::string AtLeast(const std::string& text, std::size_t width) {
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

std::string TemplateNumber(int number) {
    return TNX3Class::PadZeros(std::to_string(number), kTemplateNo);
}

enum class Ends { AtOnce, AfterPrinting };

// A command whose codes are not kept in LastReply: the code, then on "I1" its data frames and the
// closing code. Returns the last code obtained.
std::string Unrecorded(TNX3Class& nx3, const std::string& command, std::initializer_list<std::string> frames,
                       Ends ends) {
    std::string code;
    nx3.GuardOutcome(command, 1 + frames.size(), [&] {
        nx3.SendCommand(command, code);
        if (code != "I1")
            return;
        for (const std::string& frame : frames)
            nx3.SendFrame(frame);
        if (ends == Ends::AfterPrinting)
            nx3.WaitForReply(code);
        else
            nx3.ReceiveReply(code);
    });
    return code;
}

} // namespace

bool TNX3Class::TestPrint() {
    Order("ET", {"C"}, Closing::Wait);
    return CheckReply("ET", LastReply());
}

bool TNX3Class::Fiscalize(const std::string& a, const std::string& b, const std::string& c,
                          const std::string& d, const std::string& e, const std::string& f,
                          const std::string& g) {
    std::string rates;
    for (const std::string* rate : {&a, &b, &c, &d, &e, &f, &g})
        rates += PadLeft(*rate, kRate);
    Order("EF", {rates}, Closing::Wait);
    return CheckReply("EF", LastReply());
}

bool TNX3Class::PrepareNip(const std::string& nip) {
    Order("U2", {PadRight(nip, kNip)}, Closing::Wait);
    return CheckReply("U2", LastReply());
}

bool TNX3Class::GetCurrencyChange(std::string& date, std::string& time, std::string& next,
                                  std::string& current) {
    std::string code;
    SendCommand("EI", code);
    if (code != "I1")
        return CheckReply("EI", code);
    std::string record;
    ReceiveFrame(record);
    if (record.empty())
        return false;
    WaitForReply(code);
    if (code == "D1") {
        DataFields f(record);
        date = f.Take(kDate);
        time = f.Take(kTime);
        next = f.Take(kCurrency);
        current = f.Take(kCurrency);
    }
    return CheckReply("EI", code);
}

bool TNX3Class::SetCurrencyChange(const std::string& date, const std::string& time,
                                  const std::string& currency) {
    const std::string data = AtLeast(date, kDate) + AtLeast(time, kTime) + AtLeast(currency, kCurrency);
    return CheckReply("EJ", Unrecorded(*this, "EJ", {data}, Ends::AfterPrinting));
}

bool TNX3Class::ResetRam() {
    return CheckReply("X1", Unrecorded(*this, "X1", {}, Ends::AtOnce));
}

bool TNX3Class::InitSdCard() {
    return CheckReply("EC", Unrecorded(*this, "EC", {"A"}, Ends::AfterPrinting));
}

bool TNX3Class::CloseSdCard() {
    return CheckReply("EC", Unrecorded(*this, "EC", {"C"}, Ends::AfterPrinting));
}

bool TNX3Class::ReadTemplate(int number, TemplateFields& fields) {
    if (Order("Q2", {TemplateNumber(number)}, Closing::Reply)) {
        // The template follows the closing code.
        std::string data;
        ReceiveFrame(data);
        DataFields f(data);
        for (std::size_t i = 0; i < kNames; ++i)
            fields[i] = f.Take(kName);
        for (std::size_t i = 0; i < kRows; ++i)
            fields[kNames + i] = f.Take(kRow);
    }
    return CheckReply("Q2", LastReply());
}

bool TNX3Class::PrintTemplate(int number, const std::string& cut, const TemplateFields& rows) {
    std::string message = TemplateNumber(number) + cut;
    for (std::size_t i = 0; i < kRows; ++i)
        message += PadRight(rows[i], kRow);
    Order("Q3", {message}, Closing::Wait);
    return CheckReply("Q3", LastReply());
}

} // namespace nubra
