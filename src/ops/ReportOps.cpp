#include "ReportOps.h"

#include "Numbers.h"
#include "OpsError.h"

namespace nubra::ops {

bool ReportFromName(const std::string& name, ReportKind& kind) {
    static const std::pair<const char*, ReportKind> names[] = {
        {"daily", ReportKind::Daily},          {"periodic", ReportKind::Periodic},
        {"monthly", ReportKind::Monthly},      {"constant", ReportKind::Constant},
        {"goods-list", ReportKind::GoodsList}, {"settlement", ReportKind::Settlement}};
    for (const auto& [n, k] : names)
        if (name == n) {
            kind = k;
            return true;
        }
    return false;
}

bool NeedsConfirmation(ReportKind kind) {
    return kind == ReportKind::Daily || kind == ReportKind::Constant || kind == ReportKind::GoodsList ||
           kind == ReportKind::Settlement;
}

std::string RangeValue(const std::string& text, const std::string& field) {
    if (text.size() == 10 && text.compare(0, 2, "20") == 0 && text[4] == '-' && text[7] == '-' &&
        StrToIntDef(text.substr(2, 2) + text.substr(5, 2) + text.substr(8, 2), -1) >= 0)
        return text.substr(2, 2) + text.substr(5, 2) + text.substr(8, 2);
    if ((text.starts_with("nr") || text.starts_with("NR")) && text.size() > 2 && text.size() <= 6 &&
        text.find_first_not_of("0123456789", 2) == std::string::npos)
        return "NR" + std::string(6 - text.size(), '0') + text.substr(2);
    throw InvalidRequest(
        field, "Zakres raportu podaje się jako RRRR-MM-DD albo nrNNNN (numer raportu): " + text + ".");
}

std::string MonthValue(const std::string& m, const std::string& field) {
    if (m.size() != 7 || m.compare(0, 2, "20") != 0 || m[4] != '-' ||
        StrToIntDef(m.substr(2, 2) + m.substr(5, 2), -1) < 0)
        throw InvalidRequest(field, "Miesiąc podaje się jako RRRR-MM: " + m + ".");
    return m.substr(2, 2) + m.substr(5, 2);
}

bool RunReport(TNX3Class& link, const ReportRequest& r) {
    switch (r.kind) {
    case ReportKind::Daily:
        return link.DayReport();
    case ReportKind::Periodic:
        link.DetectCodePage();
        return r.summary ? link.PeriodSummary(r.from, r.to) : link.PeriodReport(r.from, r.to);
    case ReportKind::Monthly:
        link.DetectCodePage();
        return link.MonthlyReport(r.month);
    case ReportKind::Constant:
        return link.ConstantReport();
    case ReportKind::GoodsList:
        return link.CommodityList();
    case ReportKind::Settlement:
        return link.SettlementReport(r.summary, r.from, r.to);
    }
    return false;
}

bool TransferPeriodic(TNX3Class& link, const std::string& from, const std::string& to,
                      std::vector<std::string>& lines, const std::function<bool()>& stop) {
    // The transfer waits a little longer for each line than other commands for their answers.
    constexpr float kTransferTimeout = 3.0f, kNormalTimeout = 2.0f;
    bool ok = false;
    link.DetectCodePage();
    link.SetTimeouts(kTransferTimeout);
    try {
        ok = link.SendPeriodReport(from, to);
        for (std::string line;
             ok && !(stop && stop()) && (ok = link.ReceiveReportLine(line)) && link.ReportLineReceived();)
            lines.push_back(line);
    } catch (...) {
        link.SetTimeouts(kNormalTimeout);
        throw;
    }
    link.SetTimeouts(kNormalTimeout);
    return ok;
}

} // namespace nubra::ops
