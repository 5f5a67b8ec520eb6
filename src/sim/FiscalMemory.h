#pragma once
// The device's fiscal memory and the texts of its reports. Pure functions over plain records, so the
// printed and the transferred reports are one text and tests reach it without a line.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace nubra::sim {

// One daily report as the fiscal memory keeps it.
struct DailyRecord {
    int number = 0;
    std::string date;                    // yymmdd
    std::array<std::int64_t, 7> gross{}; // per VAT letter A..G, hundredths
    std::array<int, 7> rates{};          // the VAT rates in force, hundredths of a percent
    int receipts = 0;
};

// Days since 2000-01-01 and back; yymmdd dates are of this century.
int DaysFromDate(int year, int month, int day);
std::string YymmddFromDays(int days);
// The device clock's date: the host's local date shifted by offsetSeconds.
std::string TodayYymmdd(std::int64_t offsetSeconds);

// `count` daily reports on consecutive days, the last one numbered lastNumber on lastDate (yymmdd),
// with made-up but steady sales.
std::vector<DailyRecord> SampleFiscalMemory(int count, int lastNumber, const std::string& lastDate,
                                            const std::array<int, 7>& rates);

// The records a report range picks (two six-character values: yymmdd, "NR" and four digits, or
// "000000" twice). Returns the refusal code instead when the range is wrong or picks nothing.
std::string SelectRecords(const std::vector<DailyRecord>& memory, const std::string& from,
                          const std::string& to, std::vector<DailyRecord>& picked);
// The same for a month yymm; "X20146" while the month is not over on `today`.
std::string SelectMonth(const std::vector<DailyRecord>& memory, const std::string& month,
                        const std::string& today, std::vector<DailyRecord>& picked);

// Report texts, lines of at most ReportWidth characters. decimal: ',' or '.'.
inline constexpr std::size_t ReportWidth = 40;
std::vector<std::string> DailyReportLines(const DailyRecord& record, char decimal);
// Title lines, every record, then the period summary.
std::vector<std::string> PeriodReportLines(const std::string& title, const std::string& range,
                                           const std::vector<DailyRecord>& records, char decimal);
std::vector<std::string> PeriodSummaryLines(const std::vector<DailyRecord>& records, char decimal);
// "R9" "S": the VAT rates, the unique number and the tax number.
std::vector<std::string> ConstantReportLines(const std::array<int, 7>& rates, const std::string& uniqueNumber,
                                             const std::string& nip, char decimal);
// "T3": one line per name with its VAT letter.
std::vector<std::string> GoodsListLines(const std::vector<std::pair<std::string, char>>& goods);
// "OD: 2025-01-01 DO: 2025-01-31", "OD NR: 0001 DO NR: 0002" or "ZA CALY OKRES".
std::string RangeText(const std::string& from, const std::string& to);

} // namespace nubra::sim
