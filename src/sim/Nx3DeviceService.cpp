// Fiscal and service operations: fiscalization and the tax number, the accounting currency, RAM
// reset, the SD card, message templates and raw printing.
#include "Nx3Device.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace nubra::sim {
namespace {

constexpr std::size_t kRate = 4, kRates = 7;                     // "EF"
constexpr std::size_t kNip = 14, kNipDigits = 10, kNipText = 13; // "U2"
constexpr std::size_t kDate = 6, kTime = 4, kCurrency = 3;       // "EI", "EJ"
constexpr std::size_t kName = 40, kRow = 20, kRows = 20;         // "Q2", "Q3"
constexpr int kTemplates = 40;
constexpr int kInactive = 9999;

std::string PadRight(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

int Number(const std::string& digits) {
    return AllDigits(digits) ? std::stoi(digits) : -1;
}

// A rate field: blanks in front, then the hundredths. -1 when it is not that.
int RateField(const std::string& field) {
    const std::size_t first = field.find_first_not_of(' ');
    return first == std::string::npos ? -1 : Number(field.substr(first));
}

bool ValidNip(const std::string& nip) {
    const auto digits =
        std::count_if(nip.begin(), nip.end(), [](unsigned char c) { return std::isdigit(c); });
    const auto dashes = std::count(nip.begin(), nip.end(), '-');
    return nip.size() <= kNipText && static_cast<std::size_t>(digits) == kNipDigits &&
           static_cast<std::size_t>(digits + dashes) == nip.size() && nip.front() != '-' && nip.back() != '-';
}

bool ValidSchedule(const std::string& date, const std::string& time) {
    if (!AllDigits(date) || !AllDigits(time))
        return false;
    const int month = Number(date.substr(2, 2)), day = Number(date.substr(4, 2));
    const int hour = Number(time.substr(0, 2)), minute = Number(time.substr(2, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour <= 23 && minute <= 59;
}

MessageTemplate Template(const std::string& first, const std::string& second,
                         std::initializer_list<const char*> rows) {
    MessageTemplate t;
    t.name = {first, second};
    std::size_t i = 0;
    for (const char* row : rows)
        t.rows[i++] = row;
    return t;
}

} // namespace

std::map<int, MessageTemplate> DefaultTemplates() {
    return {
        {1, Template("KOMUNIKAT SERWISOWY", "", {"DATA", "GODZINA", "TECHNIK", "OPIS USTERKI"})},
        {2, Template("ODBI\xD3R TOWARU", "POTWIERDZENIE", {"DOSTAWCA", "NR DOKUMENTU", "ILO\x8C\x86 SZTUK"})},
        {7, Template("ZAM\xD3WIENIE", "DO KUCHNI",
                     {"STOLIK", "KELNER", "DANIE 1", "DANIE 2", "DANIE 3", "UWAGI"})},
    };
}

void Nx3Device::ServicePrint() {
    Accept();
    ExpectData(&Nx3Device::ServicePrintKind);
}

void Nx3Device::ServicePrintKind(const std::string& data) {
    if (data != "C") {
        SendCode("D2");
        return;
    }
    if (Finish())
        PrintControlPrintout();
}

void Nx3Device::PrintControlPrintout() {
    std::vector<std::string>& roll = state_.paperRoll;
    roll.push_back("WYDRUK KONTROLNY");
    static const char letters[] = "ABCDEFG";
    for (std::size_t i = 0; i < state_.vatRates.size(); ++i) {
        const int rate = state_.vatRates[i];
        char line[32];
        if (rate == 9999)
            std::snprintf(line, sizeof line, "PTU %c  nieaktywna", letters[i]);
        else if (rate == 9998)
            std::snprintf(line, sizeof line, "PTU %c  zwolniona", letters[i]);
        else
            std::snprintf(line, sizeof line, "PTU %c  %d,%02d %%", letters[i], rate / 100, rate % 100);
        roll.push_back(line);
    }
    // The header as the receipts will carry it.
    for (const HeaderLine& header : state_.header) {
        if (!header.text.empty())
            roll.push_back(header.text);
    }
}

void Nx3Device::Fiscalize() {
    Accept();
    ExpectData(&Nx3Device::FiscalizeRates);
}

void Nx3Device::FiscalizeRates(const std::string& data) {
    // Once in a device's life.
    if (state_.fiscal) {
        SendCode("X20133");
        return;
    }
    std::array<int, 7> rates{};
    for (std::size_t i = 0; i < kRates; ++i) {
        rates[i] = data.size() == kRate * kRates ? RateField(data.substr(i * kRate, kRate)) : -1;
        if (rates[i] < 0) {
            SendCode("D2");
            return;
        }
    }
    if (std::all_of(rates.begin(), rates.end(), [](int rate) { return rate == kInactive; })) {
        SendCode("X20132");
        return;
    }
    if (!Finish())
        return;
    state_.vatRates = rates;
    state_.fiscal = true;
    ++state_.rateSets;
    state_.paperRoll.push_back("FISKALIZACJA");
    state_.paperRoll.push_back("NIP " + state_.nip);
    PrintControlPrintout();
}

void Nx3Device::PrepareNip() {
    Accept();
    ExpectData(&Nx3Device::PrepareNipData);
}

void Nx3Device::PrepareNipData(const std::string& data) {
    const std::string nip = TrimRight(data);
    // The tax number goes into the fiscal memory with the fiscalization: from then on it is set.
    if (state_.fiscal) {
        SendCode("DA");
        return;
    }
    if (std::all_of(state_.vatRates.begin(), state_.vatRates.end(),
                    [](int rate) { return rate == kInactive; })) {
        SendCode("A5");
        return;
    }
    if (data.size() != kNip || !ValidNip(nip)) {
        SendCode("X20136");
        return;
    }
    if (Finish())
        state_.nip = nip;
}

void Nx3Device::CurrencyChangeQuery() {
    Accept();
    // Nothing planned: an empty record.
    if (state_.currencyChangeDate == "000000") {
        SendFrame({});
        Finish();
        return;
    }
    SendText(PadRight(state_.currencyChangeDate, kDate) + PadRight(state_.currencyChangeTime, kTime) +
             PadRight(state_.nextCurrency, kCurrency) + PadRight(state_.currentCurrency, kCurrency));
    Finish();
}

void Nx3Device::SetCurrencyChange() {
    Accept();
    ExpectData(&Nx3Device::SetCurrencyChangeData);
}

void Nx3Device::SetCurrencyChangeData(const std::string& data) {
    const std::string text = FromDeviceText(data, CodePage());
    if (text.size() != kDate + kTime + kCurrency ||
        !ValidSchedule(text.substr(0, kDate), text.substr(kDate, kTime)) || text[kDate + kTime] == ' ') {
        SendCode("D2");
        return;
    }
    if (!Finish())
        return;
    state_.currencyChangeDate = text.substr(0, kDate);
    state_.currencyChangeTime = text.substr(kDate, kTime);
    state_.nextCurrency = text.substr(kDate + kTime);
    state_.currencyScheduledAt = DeviceSeconds();
}

void Nx3Device::ResetRam() {
    // Each reset is a record of the fiscal memory.
    if (state_.readOnly || FiscalMemoryFull()) {
        SendCode("DD");
        return;
    }
    Accept();
    if (!Finish())
        return;
    state_.ramError = false;
    ++state_.ramResets;
    state_.registers = {};
    state_.paperRoll.push_back("ZEROWANIE RAM");
}

void Nx3Device::SdCardOrder() {
    Accept();
    ExpectData(&Nx3Device::SdCardOrderKind);
}

void Nx3Device::SdCardOrderKind(const std::string& data) {
    if (data != "A" && data != "C") {
        SendCode("D2");
        return;
    }
    const bool initialise = data == "A";
    switch (state_.sdCard) {
    case SdCard::None:
        SendCode("X20384");
        return;
    case SdCard::Closed:
        SendCode("X20385");
        return;
    case SdCard::Initialised:
        if (initialise) {
            SendCode("X20386");
            return;
        }
        if (Finish())
            state_.sdCard = SdCard::Closed;
        return;
    case SdCard::Blank:
        if (!initialise) {
            SendCode("X2038E");
            return;
        }
        if (Finish())
            state_.sdCard = SdCard::Initialised;
        return;
    }
}

void Nx3Device::TemplateQuery() {
    Accept();
    ExpectData(&Nx3Device::TemplateQueryNumber);
}

const MessageTemplate* Nx3Device::DefinedTemplate(const std::string& number) {
    const int n = number.size() == 2 ? Number(number) : -1;
    if (n < 1 || n > kTemplates) {
        SendCode("D2");
        return nullptr;
    }
    const auto found = state_.templates.find(n);
    if (found == state_.templates.end()) {
        SendCode("E2");
        return nullptr;
    }
    return &found->second;
}

void Nx3Device::TemplateQueryNumber(const std::string& data) {
    const MessageTemplate* t = DefinedTemplate(data);
    if (t == nullptr || !Finish())
        return;
    std::string text = PadRight(t->name[0], kName) + PadRight(t->name[1], kName);
    for (const std::string& row : t->rows)
        text += PadRight(row, kRow);
    SendText(text);
}

void Nx3Device::TemplatePrint() {
    Accept();
    ExpectData(&Nx3Device::TemplatePrintData);
}

void Nx3Device::TemplatePrintData(const std::string& data) {
    const std::string text = FromDeviceText(data, CodePage());
    const bool wellFormed = text.size() == 3 + kRow * kRows && (text[2] == 'T' || text[2] == 'N');
    const MessageTemplate* t = DefinedTemplate(wellFormed ? text.substr(0, 2) : std::string{});
    if (t == nullptr || !Finish())
        return;
    std::vector<std::string>& roll = state_.paperRoll;
    for (const std::string& line : t->name) {
        if (!line.empty())
            roll.push_back(line);
    }
    for (std::size_t i = 0; i < kRows; ++i) {
        const std::string value = TrimRight(text.substr(3 + i * kRow, kRow));
        if (!t->rows[i].empty() || !value.empty())
            roll.push_back(TrimRight(PadRight(t->rows[i], kRow) + value));
    }
    if (text[2] == 'T')
        CutPaper();
}

void Nx3Device::PrintRaw(const ReceivedFrame& frame) {
    switch (frame.kind) {
    case ReceivedFrame::Kind::PrintLine:
        // The program writes raw text in Mazovia whatever the status byte says.
        state_.paperRoll.push_back(FromDeviceText(frame.payload, DeviceCodePage::Mazovia));
        break;
    case ReceivedFrame::Kind::Feed:
        state_.paperRoll.emplace_back();
        break;
    case ReceivedFrame::Kind::Cut:
        CutPaper();
        break;
    case ReceivedFrame::Kind::Frame:
        break;
    }
}

void Nx3Device::CutPaper() {
    ++state_.paperCuts;
    state_.paperRoll.push_back(kPaperCut);
}

} // namespace nubra::sim
