// Reports: daily, periodic, monthly, fixed descriptions, the goods list, the settlement report and
// the periodic report transferred as text.
#include "AtomicFile.h"
#include "CliCommands.h"
#include "ConsoleLinkUi.h"
#include "Numbers.h"
#include "ReportOps.h"

namespace nubra::cli {
namespace {

struct Range {
    std::string from = "000000";
    std::string to = "000000";
    std::string file;
    bool summary = false;
};

std::string RangeValue(const std::string& text) {
    return Checked([&] { return ops::RangeValue(text, "range"); });
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
    return ops::RunReport(c.link, {ops::ReportKind::Daily, "000000", "000000", "", false});
}

bool RunPeriodic(CliContext& c, const std::vector<std::string>& args) {
    const Range r = ParseRange(args, false, true);
    return ops::RunReport(c.link, {ops::ReportKind::Periodic, r.from, r.to, "", r.summary});
}

bool RunMonthly(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    const std::string month = Checked([&] { return ops::MonthValue(args[0], "month"); });
    return ops::RunReport(c.link, {ops::ReportKind::Monthly, "000000", "000000", month, false});
}

bool RunConstant(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    RequireYes(c, "Raport opisów stałych");
    return ops::RunReport(c.link, {ops::ReportKind::Constant, "000000", "000000", "", false});
}

bool RunGoodsList(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    RequireYes(c, "Lista towarów");
    return ops::RunReport(c.link, {ops::ReportKind::GoodsList, "000000", "000000", "", false});
}

bool RunSettlement(CliContext& c, const std::vector<std::string>& args) {
    const Range r = ParseRange(args, false, true);
    // This printer type gets no variant letter: the summary sends the very frames of the report, which
    // sets the printer to read-only.
    RequireYes(c, "Raport rozliczeniowy (kasa przejdzie w stan 'TYLKO ODCZYT')");
    return ops::RunReport(c.link, {ops::ReportKind::Settlement, r.from, r.to, "", r.summary});
}

bool RunTransfer(CliContext& c, const std::vector<std::string>& args) {
    const Range r = ParseRange(args, true, false);
    std::vector<std::string> lines;
    bool ok = false;
    const CaughtInterrupts ctrlC(c.ui);
    try {
        ok = ops::TransferPeriodic(c.link, r.from, r.to, lines, [&] { return c.ui.CtrlCPressed(); });
    } catch (...) {
        // A line lost half-way: the lines received so far are kept.
        KeepPartial(c, r.file, lines);
        throw;
    }
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
