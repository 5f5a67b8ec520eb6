#pragma once
// The printer's reports: which one, its range, whether the program asks before it, and the periodic
// report transferred as text lines.
#include <functional>
#include <string>
#include <vector>

#include "TNX3Class.h"

namespace nubra::ops {

enum class ReportKind { Daily, Periodic, Monthly, Constant, GoodsList, Settlement };

struct ReportRequest {
    ReportKind kind = ReportKind::Daily;
    std::string from = "000000", to = "000000"; // as the printer takes them
    std::string month;                          // "2612"
    bool summary = false;
};

// "daily", "periodic", "monthly", "constant", "goods-list", "settlement"; false for another name.
bool ReportFromName(const std::string& name, ReportKind& kind);
// Those the program confirms in a window first.
bool NeedsConfirmation(ReportKind kind);
// "2025-01-31" -> "250131", "nr42" -> "NR0042"; raises InvalidRequest(field, ...).
std::string RangeValue(const std::string& text, const std::string& field);
// "2026-12" -> "2612"; raises InvalidRequest(field, ...).
std::string MonthValue(const std::string& text, const std::string& field);

bool RunReport(TNX3Class& link, const ReportRequest& report);

// The periodic report as text lines (device bytes) into `lines`, until the printer's closing code or
// until `stop` says so. The longer line time-out is set for it and put back, also when the line is
// lost (the exception goes on, the lines received so far stay in `lines`).
bool TransferPeriodic(TNX3Class& link, const std::string& from, const std::string& to,
                      std::vector<std::string>& lines, const std::function<bool()>& stop = {});

} // namespace nubra::ops
