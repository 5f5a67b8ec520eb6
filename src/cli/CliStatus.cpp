// Status and information queries: the answers the main window shows in message boxes and the
// register window, as text or JSON.
#include <cstdio>

#include "CliCommands.h"
#include "Cp1250.h"
#include "Numbers.h"
#include "StatusTexts.h"
#include "TNX3Class.h"

namespace nubra::cli {
namespace {

std::string Hex(unsigned char byte) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

std::string Bit(unsigned char byte, int bit, const char* set, const char* clear) {
    return (byte >> bit) & 1 ? set : clear;
}

} // namespace

bool RunStatus(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    DeviceStatus st;
    const bool ok = ReadStatus(c.link, st);
    if (!ok)
        return false;
    std::string unprinted, ready, presenter, paper, paperMove;
    if (!c.link.GetExtStatus(unprinted, ready, presenter, paper, paperMove))
        return false;
    CliResult& r = c.result;
    r.Add("uniqueNumber", "Numer unikatowy: ", Dev(st.uniqueNo));
    r.Add("nip", "NIP: ", Dev(st.nip));
    r.Add("status1", "Bajt statusu 1: ", Hex(st.status1));
    r.Add("status2", "Bajt statusu 2: ", Hex(st.status2));
    r.Add("codePage", "Kod transmisji: ", Bit(st.status1, 7, "Latin", "Mazovia"));
    r.Add("currency", "Waluta: ", Bit(st.status1, 0, "EURO", "ZŁOTY"));
    r.Add("separator", "Separator dziesiętny: ", Bit(st.status2, 7, "Przecinek", "Kropka"));
    r.Add("dailyReport", "Raport dobowy: ", Bit(st.status2, 6, "Automatycznie", "Ręcznie"));
    r.Add("confirmations", "Potwierdzenia: ", Bit(st.status2, 0, "Z potwierdzeniami", "Bez potwierdzeń"));
    r.Add("unprintedReports", "Niewydrukowane raporty dobowe: ", Dev(unprinted));
    r.AddBool("ready", "Kasa gotowa: ", ready == "T");
    r.AddBool("presenter", "Prezenter: ", presenter == "T");
    r.AddBool("paperLow", "Papier na wyczerpaniu: ", paper == "T");
    r.AddBool("paperMoving", "Ruch papieru: ", paperMove != "T");
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
    std::vector<CliResult> rows;
    for (int n = 1; n <= 8; ++n) {
        std::string tranNo, status, printFlag, lastSale, lastPtu;
        if (!c.link.GetRegInfo(n, tranNo, status, printFlag, lastSale, lastPtu))
            return false;
        CliResult row;
        row.AddNumber("register", "Rejestr ", n);
        row.Add("transaction", "transakcja ", Dev(tranNo));
        row.Add("status", "status ", Dev(status));
        row.AddBool("documentWaiting", "dokument do wydruku: ", printFlag == "T");
        row.Add("lastSale", "ostatnia sprzedaż ", Dev(lastSale));
        row.Add("lastPtu", "Ptu ", Dev(lastPtu));
        rows.push_back(row);
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
