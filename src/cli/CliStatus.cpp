// Status and information queries: the answers the main window shows in message boxes and the
// register window, as text or JSON.
#include <cstdio>

#include "CliCommands.h"
#include "Cp1250.h"
#include "Numbers.h"
#include "StatusTexts.h"
#include "TNX3Class.h"

namespace nubra::cli {

bool RunStatus(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    ops::StatusInfo info;
    if (!ops::ReadStatusInfo(c.link, info))
        return false;
    c.result.Add(ops::Describe(info));
    return true;
}

bool RunDayReportNumber(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    std::string date, number;
    if (!c.link.GetDayReportNo(date, number))
        return false;
    c.result.Add("date", "Data ostatniego raportu: ", Dev(date));
    c.result.Add("number", "Numer ostatniego raportu: ", Dev(number));
    return true;
}

bool RunRamResets(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    std::string ramResets, rateSets;
    if (!c.link.GetZeroRam(ramResets, rateSets))
        return false;
    c.result.Add("ramResets", "Ilość zerowań pamięci podtrzymywanej (RAM): ", Dev(ramResets));
    c.result.Add("rateSets", "Ilość zapamiętanych zestawów stawek PTU: ", Dev(rateSets));
    return true;
}

bool RunError(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    std::string text;
    if (!c.link.GetErrorNumber(text))
        return false;
    const int number = StrToIntDef(text, -1);
    c.result.Add("number", "Numer błędu: ", std::to_string(number));
    c.result.Add("description", "Opis błędu: ", ErrorNumberDescription(number));
    return true;
}

bool RunTotalizer(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    Totalizer t;
    if (!c.link.GetTotalizer(t))
        return false;
    for (const TotalizerField& field : TotalizerFields())
        c.result.Add(field.key, field.label, Dev(t.*field.field));
    return true;
}

bool RunRegisters(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    std::vector<ops::RegisterRow> registers;
    if (!ops::ReadRegisters(c.link, registers))
        return false;
    std::vector<CliResult> rows;
    for (const ops::RegisterRow& r : registers) {
        rows.emplace_back();
        rows.back().Add(ops::Describe(r));
    }
    c.result.AddList("registers", rows);
    return true;
}

bool RunDeviceInfo(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 1);
    const std::string selector = args.empty() ? "W" : args[0];
    if (selector != "W" && selector != "S")
        throw UsageError("Selektor informacji to W albo S.");
    std::string data;
    if (!c.link.GetDeviceInfo(selector, data))
        return false;
    c.result.Add("selector", "Selektor: ", selector);
    c.result.Add("data", "Dane: ", Dev(data));
    return true;
}

} // namespace nubra::cli
