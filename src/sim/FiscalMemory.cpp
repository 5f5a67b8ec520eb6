#include "FiscalMemory.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>

namespace nubra::sim {
namespace {

constexpr const char* kLetters = "ABCDEFG";
constexpr int kInactive = 9999, kExempt = 9998;

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

int Number(const std::string& digits) {
    return std::stoi(digits);
}

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInYear(int year) {
    return IsLeap(year) ? 366 : 365;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// A yymmdd that names a real day.
bool IsDate(const std::string& yymmdd) {
    if (yymmdd.size() != 6 || !AllDigits(yymmdd))
        return false;
    const int month = Number(yymmdd.substr(2, 2));
    const int day = Number(yymmdd.substr(4, 2));
    return month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(2000 + Number(yymmdd.substr(0, 2)), month);
}

std::string ShownDate(const std::string& yymmdd) {
    return "20" + yymmdd.substr(0, 2) + "-" + yymmdd.substr(2, 2) + "-" + yymmdd.substr(4, 2);
}

std::string Amount(std::int64_t hundredths, char decimal) {
    char text[32];
    const std::int64_t whole = hundredths / 100;
    const std::int64_t cents = hundredths % 100;
    std::snprintf(text, sizeof text, "%s%lld%c%02lld", hundredths < 0 ? "-" : "",
                  static_cast<long long>(whole < 0 ? -whole : whole), decimal,
                  static_cast<long long>(cents < 0 ? -cents : cents));
    return text;
}

std::string RateText(int rate, char decimal) {
    if (rate == kExempt)
        return "ZW";
    return Amount(rate, decimal) + "%";
}

// label on the left, value on the right of a full-width line.
std::string Row(const std::string& label, const std::string& value) {
    const std::size_t used = label.size() + value.size();
    return label + std::string(used < ReportWidth ? ReportWidth - used : 1, ' ') + value;
}

std::string Centred(const std::string& text) {
    return std::string(text.size() < ReportWidth ? (ReportWidth - text.size()) / 2 : 0, ' ') + text;
}

const std::string kRule(ReportWidth, '-');

// Gross and VAT per active letter, then the total.
void SalesRows(const std::array<std::int64_t, 7>& gross, const std::array<int, 7>& rates, char decimal,
               std::vector<std::string>& lines) {
    std::int64_t total = 0;
    for (std::size_t i = 0; i < gross.size(); ++i) {
        if (gross[i] == 0 || rates[i] == kInactive)
            continue;
        total += gross[i];
        lines.push_back(Row(std::string("SPRZEDAZ ") + kLetters[i] + " " + RateText(rates[i], decimal),
                            Amount(gross[i], decimal)));
        if (rates[i] != kExempt) {
            const std::int64_t vat =
                (gross[i] * rates[i] * 2 + (10000 + rates[i])) / (2 * (10000 + rates[i]));
            lines.push_back(Row(std::string("PTU ") + kLetters[i], Amount(vat, decimal)));
        }
    }
    lines.push_back(Row("RAZEM BRUTTO", Amount(total, decimal)));
}

} // namespace

int DaysFromDate(int year, int month, int day) {
    int days = 0;
    for (int y = 2000; y < year; ++y)
        days += DaysInYear(y);
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    return days + day - 1;
}

std::string YymmddFromDays(int days) {
    int year = 2000, month = 1;
    for (; days >= DaysInYear(year); ++year)
        days -= DaysInYear(year);
    while (days >= DaysInMonth(year, month))
        days -= DaysInMonth(year, month++);
    char text[40];
    std::snprintf(text, sizeof text, "%02d%02d%02d", year % 100, month, days + 1);
    return text;
}

std::string TodayYymmdd(std::int64_t offsetSeconds) {
    const std::time_t now = std::time(nullptr) + static_cast<std::time_t>(offsetSeconds);
    const std::tm* local = std::localtime(&now);
    char text[40];
    std::snprintf(text, sizeof text, "%02d%02d%02d", local->tm_year % 100, local->tm_mon + 1, local->tm_mday);
    return text;
}

std::vector<DailyRecord> SampleFiscalMemory(int count, int lastNumber, const std::string& lastDate,
                                            const std::array<int, 7>& rates) {
    std::vector<DailyRecord> memory;
    const int lastDay = DaysFromDate(2000 + Number(lastDate.substr(0, 2)), Number(lastDate.substr(2, 2)),
                                     Number(lastDate.substr(4, 2)));
    for (int i = 0; i < count; ++i) {
        DailyRecord r;
        r.number = lastNumber - count + 1 + i;
        r.date = YymmddFromDays(lastDay - count + 1 + i);
        r.rates = rates;
        // A bakery's day: bread and milk (C), coffee (A), juice (B), now and then a book (D).
        r.gross = {12345 + 37 * r.number,
                   4580 + 11 * r.number,
                   81020 + 53 * r.number,
                   r.number % 3 == 0 ? 4999 : 0,
                   0,
                   0,
                   0};
        r.receipts = 80 + r.number % 17;
        memory.push_back(r);
    }
    return memory;
}

std::string SelectRecords(const std::vector<DailyRecord>& memory, const std::string& from,
                          const std::string& to, std::vector<DailyRecord>& picked) {
    picked.clear();
    auto pick = [&](auto inRange) {
        std::copy_if(memory.begin(), memory.end(), std::back_inserter(picked), inRange);
        return picked.empty() ? std::string("X20142") : std::string();
    };
    if (from == "000000" && to == "000000")
        return pick([](const DailyRecord&) { return true; });
    const bool fromNumber = from.starts_with("NR"), toNumber = to.starts_with("NR");
    if (fromNumber != toNumber)
        return "X20145";
    if (fromNumber) {
        const std::string a = from.substr(2), b = to.substr(2);
        if (a.size() != 4 || b.size() != 4 || !AllDigits(a) || !AllDigits(b) || Number(a) == 0 ||
            Number(b) == 0)
            return "X20143";
        if (Number(a) > Number(b))
            return "X20145";
        return pick([&](const DailyRecord& r) { return r.number >= Number(a) && r.number <= Number(b); });
    }
    if (!IsDate(from) || !IsDate(to))
        return "X20144";
    if (from > to)
        return "X20145";
    return pick([&](const DailyRecord& r) { return r.date >= from && r.date <= to; });
}

std::string SelectMonth(const std::vector<DailyRecord>& memory, const std::string& month,
                        const std::string& today, std::vector<DailyRecord>& picked) {
    picked.clear();
    if (month.size() != 4 || !IsDate(month + "01"))
        return "X20144";
    if (month >= today.substr(0, 4))
        return "X20146";
    std::copy_if(memory.begin(), memory.end(), std::back_inserter(picked),
                 [&](const DailyRecord& r) { return r.date.starts_with(month); });
    return picked.empty() ? "X20142" : "";
}

std::vector<std::string> DailyReportLines(const DailyRecord& record, char decimal) {
    std::vector<std::string> lines = {Centred("RAPORT FISKALNY DOBOWY"),
                                      Row("NR " + std::to_string(record.number), ShownDate(record.date)),
                                      kRule};
    SalesRows(record.gross, record.rates, decimal, lines);
    lines.push_back(Row("PARAGONOW", std::to_string(record.receipts)));
    lines.push_back(kRule);
    return lines;
}

std::vector<std::string> PeriodReportLines(const std::string& title, const std::string& range,
                                           const std::vector<DailyRecord>& records, char decimal) {
    std::vector<std::string> lines = {Centred(title), Centred(range), kRule};
    char number[16];
    for (const DailyRecord& r : records) {
        std::snprintf(number, sizeof number, "%04d", r.number);
        lines.push_back(Row(std::string("RAPORT DOBOWY NR ") + number, ShownDate(r.date)));
        for (std::size_t i = 0; i < r.gross.size(); ++i) {
            if (r.gross[i] != 0)
                lines.push_back(Row(std::string("  ") + kLetters[i], Amount(r.gross[i], decimal)));
        }
        lines.push_back(Row("  PARAGONOW", std::to_string(r.receipts)));
    }
    lines.push_back(kRule);
    for (std::string& line : PeriodSummaryLines(records, decimal))
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> PeriodSummaryLines(const std::vector<DailyRecord>& records, char decimal) {
    std::array<std::int64_t, 7> gross{};
    int receipts = 0;
    for (const DailyRecord& r : records) {
        for (std::size_t i = 0; i < gross.size(); ++i)
            gross[i] += r.gross[i];
        receipts += r.receipts;
    }
    std::vector<std::string> lines = {Centred("PODSUMOWANIE"),
                                      Row("RAPORTOW DOBOWYCH", std::to_string(records.size()))};
    SalesRows(gross, records.empty() ? std::array<int, 7>{} : records.back().rates, decimal, lines);
    lines.push_back(Row("PARAGONOW", std::to_string(receipts)));
    return lines;
}

std::vector<std::string> ConstantReportLines(const std::array<int, 7>& rates, const std::string& uniqueNumber,
                                             const std::string& nip, char decimal) {
    std::vector<std::string> lines = {Centred("RAPORT OPISOW STALYCH"), kRule};
    for (std::size_t i = 0; i < rates.size(); ++i) {
        const std::string rate = rates[i] == kInactive ? "NIEAKTYWNA" : RateText(rates[i], decimal);
        lines.push_back(Row(std::string("PTU ") + kLetters[i], rate));
    }
    lines.push_back(Row("NR UNIKATOWY", uniqueNumber));
    lines.push_back(Row("NIP", nip));
    return lines;
}

std::vector<std::string> GoodsListLines(const std::vector<std::pair<std::string, char>>& goods) {
    std::vector<std::string> lines = {Centred("LISTA TOWAROW"), kRule};
    for (const auto& [name, letter] : goods)
        lines.push_back(Row(name, std::string(1, letter)));
    lines.push_back(Row("POZYCJI", std::to_string(goods.size())));
    return lines;
}

std::string RangeText(const std::string& from, const std::string& to) {
    if (from == "000000" && to == "000000")
        return "ZA CALY OKRES";
    if (from.starts_with("NR"))
        return "OD NR: " + from.substr(2) + " DO NR: " + to.substr(2);
    return "OD: " + ShownDate(from) + " DO: " + ShownDate(to);
}

} // namespace nubra::sim
