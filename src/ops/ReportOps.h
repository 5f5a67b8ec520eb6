#pragma once
// The printer's reports: which one, its range, whether the program asks before it, and the periodic
// report transferred as text lines.
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

} // namespace nubra::ops
