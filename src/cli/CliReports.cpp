// Reports: daily, periodic, monthly, fixed descriptions, the goods list, the settlement report and
// the periodic report transferred as text.
#include "AtomicFile.h"
#include "CliCommands.h"
#include "ConsoleLinkUi.h"
#include "Numbers.h"

namespace nubra::cli {
namespace {

// The transfer waits a little longer for each line than other commands for their answers.
constexpr float kTransferTimeout = 3.0f;
constexpr float kNormalTimeout = 2.0f;

struct Range {
    std::string from = "000000";
    std::string to = "000000";
    std::string file;
    bool summary = false;
};

// "2025-01-31" -> "250131", "nr42" -> "NR0042"; the century is always 20.
std::string RangeValue(const std::string& text) {
    if (text.size() == 10 && text.compare(0, 2, "20") == 0 && text[4] == '-' && text[7] == '-' &&
        StrToIntDef(text.substr(2, 2) + text.substr(5, 2) + text.substr(8, 2), -1) >= 0)
        return text.substr(2, 2) + text.substr(5, 2) + text.substr(8, 2);
    if ((text.starts_with("nr") || text.starts_with("NR")) && text.size() > 2 && text.size() <= 6 &&
        text.find_first_not_of("0123456789", 2) == std::string::npos)
        return "NR" + std::string(6 - text.size(), '0') + text.substr(2);
    throw UsageError("Zakres raportu podaje się jako RRRR-MM-DD albo nrNNNN (numer raportu): " + text + ".");
}

// --from, --to (both, or neither for the whole working period), and what the subcommand allows more.
Range ParseRange(const std::vector<std::string>& args, bool withFile, bool withSummary) {
    Range r;
    bool from = false, to = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--from" || a == "--to") && i + 1 < args.size()) {
            (a == "--from" ? r.from : r.to) = RangeValue(args[++i]);
            (a == "--from" ? from : to) = true;
        } else if (a == "--summary" && withSummary) {
            r.summary = true;
        } else if (withFile && r.file.empty() && !a.starts_with("--")) {
            r.file = a;
        } else {
            throw UsageError("Nieznany argument " + a + ".");
        }
    }
    if (from != to)
        throw UsageError("Podaj oba końce zakresu, --from i --to, albo żaden (cały okres pracy).");
    if (withFile && r.file.empty())
        throw UsageError("Podaj plik, do którego trafi raport.");
    return r;
}

// Replaced whole: a failed write (a full disk too) leaves the old file as it was.
bool SaveLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += Dev(line) + "\n";
    return WriteFileAtomically(path, text);
}

// A transfer cut short: what arrived replaces the old report, saying it is partial; nothing arrived,
// and the old report stays as it was.
void KeepPartial(CliContext& c, const std::string& path, const std::vector<std::string>& lines) {
    if (lines.empty())
        return;
    if (!SaveLines(path, lines))
        c.ui.ShowMessage("Błąd zapisu do pliku " + path + ".", MessageIcon::Error);
    else
        c.ui.ShowMessage(TNX3Class::PartialReportMessage(path, lines.size()), MessageIcon::Warning);
}

} // namespace

bool RunDaily(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    RequireYes(c, "Raport fiskalny dobowy");
    return c.link.DayReport();
}

bool RunPeriodic(CliContext& c, const std::vector<std::string>& args) {
    const Range r = ParseRange(args, false, true);
    c.link.DetectCodePage();
    return r.summary ? c.link.PeriodSummary(r.from, r.to) : c.link.PeriodReport(r.from, r.to);
}

bool RunMonthly(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    const std::string& m = args[0];
    if (m.size() != 7 || m.compare(0, 2, "20") != 0 || m[4] != '-' ||
        StrToIntDef(m.substr(2, 2) + m.substr(5, 2), -1) < 0)
        throw UsageError("Miesiąc podaje się jako RRRR-MM: " + m + ".");
    c.link.DetectCodePage();
    return c.link.MonthlyReport(m.substr(2, 2) + m.substr(5, 2));
}

bool RunConstant(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    RequireYes(c, "Raport opisów stałych");
    return c.link.ConstantReport();
}

bool RunGoodsList(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    RequireYes(c, "Lista towarów");
    return c.link.CommodityList();
}

bool RunSettlement(CliContext& c, const std::vector<std::string>& args) {
    const Range r = ParseRange(args, false, true);
    // This printer type gets no variant letter: the summary sends the very frames of the report, which
    // sets the printer to read-only.
    RequireYes(c, "Raport rozliczeniowy (kasa przejdzie w stan 'TYLKO ODCZYT')");
    return c.link.SettlementReport(r.summary, r.from, r.to);
}

bool RunTransfer(CliContext& c, const std::vector<std::string>& args) {
    const Range r = ParseRange(args, true, false);
    std::vector<std::string> lines;
    bool ok = false;
    const CaughtInterrupts ctrlC(c.ui);
    c.link.DetectCodePage();
    c.link.SetTimeouts(kTransferTimeout);
    try {
        ok = c.link.SendPeriodReport(r.from, r.to);
        for (std::string line; ok && !c.ui.CtrlCPressed() && (ok = c.link.ReceiveReportLine(line)) &&
                               c.link.ReportLineReceived();)
            lines.push_back(line);
    } catch (...) {
        // A line lost half-way: the lines received so far are kept.
        c.link.SetTimeouts(kNormalTimeout);
        KeepPartial(c, r.file, lines);
        throw;
    }
    c.link.SetTimeouts(kNormalTimeout);
    if (c.ui.CtrlCPressed()) {
        KeepPartial(c, r.file, lines);
        throw Interrupted(lines.empty() ? "Przerwano przesyłanie raportu przed pierwszym wierszem; plik " +
                                              r.file + " pozostał bez zmian."
                                        : std::string("Przerwano przesyłanie raportu."),
                          false);
    }
    if (!SaveLines(r.file, lines))
        throw CliFailure("Błąd zapisu do pliku " + r.file + ".");
    c.result.AddNumber("lines", "Wierszy raportu: ", static_cast<long long>(lines.size()));
    c.result.Add("file", "Plik: ", r.file);
    return ok;
}

} // namespace nubra::cli
