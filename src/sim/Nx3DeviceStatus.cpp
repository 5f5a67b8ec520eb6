// The status and information queries and "K4".
#include "Numbers.h"
#include "Nx3Device.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace nubra::sim {
namespace {

std::string PadRight(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string PadLeft(const std::string& text, std::size_t width) {
    if (text.size() >= width)
        return text.substr(text.size() - width);
    return std::string(width - text.size(), ' ') + text;
}

// The low `width` digits of a counter, zeros in front.
std::string Digits(std::int64_t value, std::size_t width) {
    std::string text = std::to_string(value < 0 ? -value : value);
    if (text.size() >= width)
        return text.substr(text.size() - width);
    return std::string(width - text.size(), '0') + text;
}

char Flag(bool set) {
    return set ? 'T' : 'N';
}

bool IsRegisterDigit(const std::string& data) {
    return data.size() == 1 && data[0] >= '1' && data[0] <= '8';
}

} // namespace

std::string Nx3Device::Amount(std::int64_t hundredths, std::size_t width) const {
    std::string digits = std::to_string(hundredths < 0 ? -hundredths : hundredths);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    digits.insert(digits.size() - 2, 1, (state_.status2 & status2::kComma) ? ',' : '.');
    if (hundredths < 0)
        digits.insert(0, 1, '-');
    return PadLeft(digits, width);
}

void Nx3Device::DayReportNumber() {
    Accept();
    SendFrame(PadRight(state_.lastDailyReportDate, 6) + Digits(state_.lastDailyReportNumber, 5));
    Finish();
}

void Nx3Device::ResetCounters() {
    Accept();
    SendFrame(Digits(state_.ramResets, 3) + Digits(state_.rateSets, 2));
    Finish();
}

void Nx3Device::Status2Letter() {
    // Two letters and the digits of the unique number.
    const std::string& full = state_.uniqueNumber;
    std::size_t letters = 0;
    while (letters < full.size() && std::isalpha(static_cast<unsigned char>(full[letters])))
        ++letters;
    Accept();
    SendStatusBlock(PadRight(full.substr(0, std::min<std::size_t>(letters, 2)) + full.substr(letters), 10));
    Finish();
}

void Nx3Device::Status3Letter() {
    Accept();
    SendStatusBlock(PadRight(state_.uniqueNumber, 12));
    Finish();
}

// The program reads 28 / 30 bytes after STX without a checksum test: the unique number, the NIP and
// the two raw status bytes, then this frame's ETX and first checksum digit. The second digit stays
// on the line and is skipped before the next frame's STX.
void Nx3Device::SendStatusBlock(const std::string& uniqueField) {
    SendFrame(uniqueField + PadRight(state_.nip, 14) + static_cast<char>(state_.status1) +
              static_cast<char>(state_.status2));
}

void Nx3Device::DeviceInfo() {
    Accept();
    ExpectData(&Nx3Device::DeviceInfoSelector);
}

void Nx3Device::DeviceInfoSelector(const std::string& data) {
    if (data == "W") {
        if (Finish())
            SendText(state_.infoW);
    } else if (data == "S") {
        char flags[9];
        std::snprintf(flags, sizeof flags, "%08X", static_cast<unsigned>(state_.infoSFlags));
        if (Finish())
            SendText(PadRight(state_.infoSText, 40) + flags);
    } else {
        SendCode("D2");
    }
}

void Nx3Device::FullUniqueNumber() {
    // Only a device that announces the longer unique number in "ES" "W" knows "PI", read as the
    // program reads it, so it answers whenever the program asks.
    const std::string& w = state_.infoW;
    if (StrToIntDef(w.substr(std::min<std::size_t>(4, w.size()), 3), -1) < 3) {
        SendCode("I2");
        return;
    }
    Accept();
    SendFrame(state_.uniqueNumber);
    Finish();
}

void Nx3Device::ErrorNumber() {
    Accept();
    SendFrame(std::to_string(state_.errorNumber));
    Finish();
}

void Nx3Device::ExtendedStatusQuery() {
    const ExtendedStatus& s = state_.extended;
    Accept();
    SendFrame(Digits(s.unprintedReports, 4) + Flag(s.ready) + Flag(s.presenter) + Flag(s.paperNearEnd) +
              Flag(!s.paperMoving));
    Finish();
}

void Nx3Device::RegisterInfo() {
    Accept();
    ExpectData(&Nx3Device::RegisterInfoNumber);
}

void Nx3Device::RegisterInfoNumber(const std::string& data) {
    if (!IsRegisterDigit(data)) {
        SendCode("D2");
        return;
    }
    const TransactionRegister& r = state_.registers[data[0] - '1'];
    if (Finish()) {
        SendFrame(Digits(r.transactionNumber, 5) + r.status + Flag(r.documentWaiting) +
                  Amount(r.lastSale, 9) + ' ' + Amount(r.lastSaleVat, 9));
    }
}

void Nx3Device::TotalizerQuery() {
    const Totalizers& t = state_.totalizers;
    std::string data = Digits(t.cancelledReceipts, 4) + Digits(t.goodsBaseChanges, 2) +
                       Digits(state_.lastDailyReportNumber + 1, 5);
    for (std::int64_t gross : t.grossSales)
        data += Amount(gross, 11);
    data += Amount(t.cancelledAmount, 11) + Digits(t.receiptCount, 5);
    Accept();
    SendFrame(data);
    Finish();
}

void Nx3Device::SetStatus() {
    Accept();
    ExpectData(&Nx3Device::SetStatusBytes, 2);
}

void Nx3Device::SetStatusBytes(const std::string& data) {
    if (Finish()) {
        // The currency bit is the device's: only the currency change moves it.
        state_.status1 =
            static_cast<unsigned char>((data[0] & ~status1::kEuro) | (state_.status1 & status1::kEuro));
        state_.status2 = static_cast<unsigned char>(data[1]);
    }
}

} // namespace nubra::sim
