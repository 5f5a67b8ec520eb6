// Settings: VAT rates, workstation numbers, parameters, waiting time, clock, header and footer.
#include "Nx3Device.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>

namespace nubra::sim {
namespace {

constexpr std::size_t kRate = 4, kPost = 2, kLine = 40;
constexpr std::int64_t kDay = 86400;
// Bit 3 of the "ES" "S" flags: the tax-number header line may be written.
constexpr std::uint32_t kNipLineAllowed = 0x08;

// Whole number of the digits in text, blanks in front allowed; nothing for anything else.
std::optional<int> Number(const std::string& text) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos || text.size() - at > 4)
        return std::nullopt;
    int value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9')
            return std::nullopt;
        value = value * 10 + (text[at] - '0');
    }
    return value;
}

std::string Line(const std::string& text) {
    std::string line = text.substr(0, kLine);
    line.resize(kLine, ' ');
    return line;
}

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::int64_t CivilSeconds(int year, int month, int day, int hour, int minute, int second) {
    const std::chrono::sys_days days{std::chrono::year{year} / month / day};
    return days.time_since_epoch().count() * kDay + hour * 3600 + minute * 60 + second;
}

std::int64_t LocalNow() {
    const std::time_t now = std::time(nullptr);
    // Only the server's thread asks for the time.
    const std::tm local = *std::localtime(&now);
    return CivilSeconds(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// yymmddhhmmss of local wall-clock seconds, as "E1" gives the clock.
std::string Stamp(std::int64_t seconds) {
    const std::int64_t days = FloorDiv(seconds, kDay);
    const std::int64_t inDay = seconds - days * kDay;
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{days}}};
    char text[32];
    std::snprintf(text, sizeof text, "%02d%02u%02u%02d%02d%02d", static_cast<int>(date.year()) % 100,
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60),
                  static_cast<int>(inDay % 60));
    return text;
}

// Two-digit fields of digits, or nothing when a character is not a digit.
std::optional<std::vector<int>> Pairs(const std::string& digits, std::size_t count) {
    if (digits.size() != count * 2)
        return std::nullopt;
    std::vector<int> values;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const char a = digits[i], b = digits[i + 1];
        if (a < '0' || a > '9' || b < '0' || b > '9')
            return std::nullopt;
        values.push_back((a - '0') * 10 + (b - '0'));
    }
    return values;
}

bool ValidTime(int hour, int minute, int second) {
    return hour < 24 && minute < 60 && second < 60;
}

} // namespace

std::int64_t Nx3Device::DeviceSeconds() const {
    return (hostClock_ ? hostClock_() : LocalNow()) + state_.clockOffsetSeconds;
}

void Nx3Device::VatRatesQuery() {
    std::string data;
    for (int rate : state_.vatRates) {
        char field[8];
        std::snprintf(field, sizeof field, "%4d", rate);
        data += field;
    }
    Accept();
    SendFrame(data);
    Finish();
}

void Nx3Device::SetVatRates() {
    Accept();
    ExpectData(&Nx3Device::SetVatRatesData);
}

void Nx3Device::SetVatRatesData(const std::string& data) {
    std::array<int, 7> rates{};
    for (std::size_t i = 0; i < rates.size(); ++i) {
        const auto rate = Number(data.size() == rates.size() * kRate ? data.substr(i * kRate, kRate) : "");
        if (!rate || *rate > 9999) {
            SendCode("D2");
            return;
        }
        rates[i] = *rate;
    }
    // The fiscal memory takes a new set only, while it has room.
    if (rates == state_.vatRates) {
        SendCode("D2");
        return;
    }
    if (state_.readOnly || FiscalMemoryFull()) {
        SendCode("DD");
        return;
    }
    if (Finish()) {
        state_.vatRates = rates;
        ++state_.rateSets;
    }
}

void Nx3Device::PostNumbersQuery() {
    std::string data;
    for (int number : state_.postNumbers) {
        char field[8];
        std::snprintf(field, sizeof field, "%02d", number % 100);
        data += field;
    }
    Accept();
    SendFrame(data);
    Finish();
}

void Nx3Device::SetPostNumbers() {
    Accept();
    ExpectData(&Nx3Device::SetPostNumbersData);
}

void Nx3Device::SetPostNumbersData(const std::string& data) {
    const auto numbers = Pairs(data, state_.postNumbers.size());
    if (!numbers) {
        SendCode("D2");
        return;
    }
    if (Finish())
        std::copy(numbers->begin(), numbers->end(), state_.postNumbers.begin());
}

void Nx3Device::SetWaitingTime() {
    Accept();
    ExpectData(&Nx3Device::SetWaitingTimeData);
}

void Nx3Device::SetWaitingTimeData(const std::string& data) {
    const auto minutes = Number(data);
    if (data.size() != kPost || !minutes) {
        SendCode("D2");
        return;
    }
    if (Finish())
        state_.waitingTime = *minutes;
}

void Nx3Device::WaitingTimeQuery() {
    Accept();
    SendFrame(std::to_string(state_.waitingTime));
    Finish();
}

void Nx3Device::MoveTime() {
    Accept();
    ExpectData(&Nx3Device::MoveTimeData);
}

void Nx3Device::MoveTimeData(const std::string& data) {
    if (data != "+" && data != "-") {
        SendCode("D2");
        return;
    }
    if (Finish()) {
        state_.pendingHourShift = data == "+" ? 1 : -1;
        state_.hourShiftArmedAt = DeviceSeconds();
    }
}

void Nx3Device::ApplyDueClockEvents() {
    const std::int64_t now = DeviceSeconds();
    CancelTimedOutTransactions(now);
    // A change found without its moment of ordering (a state file of an older nx3sim, a test that set
    // it directly) counts as ordered now.
    if (state_.pendingHourShift != 0) {
        if (state_.hourShiftArmedAt == 0)
            state_.hourShiftArmedAt = now;
        const std::int64_t armed = state_.hourShiftArmedAt;
        std::int64_t due = FloorDiv(armed, kDay) * kDay + (state_.pendingHourShift > 0 ? 2 : 3) * 3600;
        if (due <= armed)
            due += kDay;
        if (now >= due) {
            state_.clockOffsetSeconds += state_.pendingHourShift * 3600;
            state_.pendingHourShift = 0;
            state_.hourShiftArmedAt = 0;
        }
    }
    const std::string& date = state_.currencyChangeDate;
    const std::string& time = state_.currencyChangeTime;
    if (date == "000000" || date.size() != 6 || time.size() != 4)
        return;
    if (state_.currencyScheduledAt == 0)
        state_.currencyScheduledAt = now;
    const auto two = [](const std::string& text, std::size_t at) {
        return (text[at] - '0') * 10 + (text[at + 1] - '0');
    };
    const std::int64_t due =
        CivilSeconds(2000 + two(date, 0), two(date, 2), two(date, 4), two(time, 0), two(time, 2), 0);
    if (due <= state_.currencyScheduledAt || now < due)
        return;
    state_.currentCurrency = state_.nextCurrency;
    if (state_.currentCurrency.starts_with("EU"))
        state_.status1 |= status1::kEuro;
    else
        state_.status1 &= static_cast<unsigned char>(~status1::kEuro);
    state_.currencyChangeDate = "000000";
    state_.currencyChangeTime = "0000";
    state_.nextCurrency = "   ";
    state_.currencyScheduledAt = 0;
}

void Nx3Device::DateTimeQuery() {
    Accept();
    SendFrame(Stamp(DeviceSeconds()));
    Finish();
}

void Nx3Device::SetDateTime() {
    Accept();
    ExpectData(&Nx3Device::SetDateTimeData);
}

void Nx3Device::SetDateTimeData(const std::string& data) {
    const auto v = Pairs(data, 6);
    if (!v || !ValidTime((*v)[3], (*v)[4], (*v)[5]) ||
        !std::chrono::year_month_day{std::chrono::year{2000 + (*v)[0]} / (*v)[1] / (*v)[2]}.ok()) {
        SendCode("D2");
        return;
    }
    SetClock(CivilSeconds(2000 + (*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], (*v)[5]));
}

void Nx3Device::SetTime() {
    Accept();
    ExpectData(&Nx3Device::SetTimeData);
}

void Nx3Device::SetTimeData(const std::string& data) {
    const auto v = Pairs(data, 3);
    if (!v || !ValidTime((*v)[0], (*v)[1], (*v)[2])) {
        SendCode("D2");
        return;
    }
    const std::int64_t midnight = FloorDiv(DeviceSeconds(), kDay) * kDay;
    SetClock(midnight + (*v)[0] * 3600 + (*v)[1] * 60 + (*v)[2]);
}

void Nx3Device::SetClock(std::int64_t deviceSeconds) {
    // A date before the last daily report would put records out of order in the fiscal memory; the
    // device answers it as the older date order does.
    if (state_.clockSetSinceReport || Stamp(deviceSeconds).substr(0, 6) < state_.lastDailyReportDate) {
        SendCode("D3");
        return;
    }
    if (Finish()) {
        state_.clockOffsetSeconds += deviceSeconds - DeviceSeconds();
        state_.clockSetSinceReport = true;
        // The hour change waits for the clock to run through its hour: a set that jumps over it
        // leaves it for the next such hour after the new time.
        if (state_.pendingHourShift != 0)
            state_.hourShiftArmedAt = deviceSeconds;
    }
}

void Nx3Device::HeaderLineQuery() {
    Accept();
    ExpectData(&Nx3Device::HeaderLineNumber);
}

void Nx3Device::HeaderLineNumber(const std::string& data) {
    if (data.size() != 1 || data[0] < '1' || data[0] > '4') {
        SendCode("D2");
        return;
    }
    // Header text is Mazovia whatever the transmission code.
    const HeaderLine& line = state_.header[data[0] - '1'];
    if (Finish()) {
        SendFrame(std::string(line.wide ? "1" : "0") + (line.high ? "1" : "0") +
                  ToDeviceText(Line(line.text), DeviceCodePage::Mazovia));
    }
}

void Nx3Device::SetHeaderLine() {
    Accept();
    ExpectData(&Nx3Device::SetHeaderLineData);
}

void Nx3Device::SetHeaderLineData(const std::string& data) {
    auto isFlag = [](char c) { return c == '0' || c == '1'; };
    if (data.size() != 3 + kLine || data[0] < '1' || data[0] > '4' || !isFlag(data[1]) || !isFlag(data[2]) ||
        (data[0] == '4' && !(state_.infoSFlags & kNipLineAllowed))) {
        SendCode("D2");
        return;
    }
    if (Finish()) {
        state_.header[data[0] - '1'] =
            HeaderLine{TrimRight(FromDeviceText(data.substr(3), DeviceCodePage::Mazovia)), data[1] == '1',
                       data[2] == '1'};
    }
}

void Nx3Device::FooterQuery() {
    std::string data;
    for (const std::string& line : state_.footer)
        data += Line(line);
    Accept();
    SendFrame(ToDeviceText(data, DeviceCodePage::Mazovia));
    Finish();
}

void Nx3Device::SetFooter() {
    Accept();
    ExpectData(&Nx3Device::SetFooterData);
}

void Nx3Device::SetFooterData(const std::string& data) {
    if (data.size() != state_.footer.size() * kLine) {
        SendCode("D2");
        return;
    }
    if (Finish()) {
        const std::string text = FromDeviceText(data, DeviceCodePage::Mazovia);
        for (std::size_t i = 0; i < state_.footer.size(); ++i)
            state_.footer[i] = TrimRight(text.substr(i * kLine, kLine));
    }
}

} // namespace nubra::sim
