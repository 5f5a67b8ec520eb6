// Fiscal and service operations: fiscalization, the tax number, the accounting currency change, RAM
// reset, the SD card, service printing and message templates.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "CliCommands.h"
#include "Cp1250.h"
#include "CsvText.h"
#include "RawPrintout.h"

namespace nubra::cli {
namespace {

// "2025-01-31" to "250131" (the century is always 20), "12:45" to "1245".
std::string DeviceDate(const std::string& date) {
    if (date.size() != 10 || date.compare(0, 2, "20") != 0 || date[4] != '-' || date[7] != '-')
        throw UsageError("Datę podaje się jako RRRR-MM-DD: " + date + ".");
    return date.substr(2, 2) + date.substr(5, 2) + date.substr(8, 2);
}

std::string DeviceHour(const std::string& time) {
    if (time.size() != 5 || time[2] != ':')
        throw UsageError("Godzinę podaje się jako GG:MM: " + time + ".");
    return time.substr(0, 2) + time.substr(3, 2);
}

int TemplateNumber(const std::string& text) {
    const int number =
        text.find_first_not_of("0123456789") == std::string::npos && !text.empty() && text.size() < 3
            ? std::stoi(text)
            : 0;
    if (number < 1 || number > 40)
        throw UsageError("Numer szablonu to liczba od 1 do 40: " + text + ".");
    return number;
}

void Say(CliContext& c, const std::string& text) {
    c.result.Add("message", "", text);
}

} // namespace

bool RunFiscalize(CliContext& c, const std::vector<std::string>& args) {
    RequireYes(c, "Fiskalizacja");
    RatesFromArgs(args, PtuRates{}); // refused before anything is sent
    PtuRates current;
    if (!c.link.GetPtu(current))
        return false;
    const std::array<int, 7> rates = RatesFromArgs(args, current);
    if (std::all_of(rates.begin(), rates.end(), [](int r) { return r == TNX3Class::kInactiveRate; }))
        throw UsageError("Fiskalizacja wymaga co najmniej jednej stawki innej niż 99,99%.");
    // The control printout with the header comes first, as in the program.
    if (!c.link.TestPrint())
        return false;
    const auto f = [&rates](std::size_t i) { return std::to_string(rates[i]); };
    if (!c.link.Fiscalize(f(0), f(1), f(2), f(3), f(4), f(5), f(6)))
        return false;
    Say(c, "Drukarka została sfiskalizowana.");
    return true;
}

bool RunNip(CliContext& c, const std::vector<std::string>& args) {
    if (!args.empty()) {
        ExpectArgs(args, 2, 2);
        const std::string& nip = args[1];
        const bool typed = nip.size() <= 13 && !nip.empty() &&
                           nip.find_first_not_of("0123456789-") == std::string::npos &&
                           std::count(nip.begin(), nip.end(), '-') <= 4;
        if (args[0] != "prepare" || !typed)
            throw UsageError("Użycie: nip prepare NIP (do 13 znaków: cyfry i najwyżej cztery '-').");
        return c.link.PrepareNip(nip);
    }
    DeviceStatus st;
    const bool ok = ReadStatus(c.link, st);
    if (!ok)
        return false;
    c.result.Add("uniqueNumber", "Numer unikatowy: ", Dev(st.uniqueNo));
    c.result.Add("nip", "NIP: ", Dev(st.nip));
    return true;
}

bool RunCurrencyChange(CliContext& c, const std::vector<std::string>& args) {
    if (!args.empty()) {
        ExpectArgs(args, 4, 4);
        if (args[0] != "set")
            throw UsageError("Użycie: currency-change set RRRR-MM-DD GG:MM WALUTA --yes.");
        const std::string date = DeviceDate(args[1]);
        const std::string hour = DeviceHour(args[2]);
        RequireYes(c, "Zmiana waluty ewidencyjnej");
        return c.link.SetCurrencyChange(date, hour, ToDev(args[3], "Waluta"));
    }
    std::string date, time, next, current;
    if (!c.link.GetCurrencyChange(date, time, next, current))
        return false;
    date.resize(6, ' ');
    time.resize(4, ' ');
    while (!next.empty() && next.back() == ' ')
        next.pop_back();
    c.result.Add("date", "Data zmiany: ",
                 "20" + date.substr(0, 2) + "-" + date.substr(2, 2) + "-" + date.substr(4, 2));
    c.result.Add("time", "Godzina zmiany: ", time.substr(0, 2) + ":" + time.substr(2, 2));
    c.result.Add("next", "Następna waluta: ", Dev(next));
    c.result.Add("current", "Bieżąca waluta: ", Dev(current));
    return true;
}

bool RunRamReset(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    RequireYes(c, "Zerowanie pamięci RAM");
    return c.link.ResetRam();
}

bool RunSdInit(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    if (!c.link.InitSdCard())
        return false;
    Say(c, "Karta SD została zainicjowana.");
    return true;
}

bool RunSdClose(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    if (!c.link.CloseSdCard())
        return false;
    Say(c, "Karta SD została zamknięta.");
    return true;
}

std::vector<std::string> PrintoutLines(const std::string& text) {
    // As the service printing window loads a file: one that is not UTF-8 is taken as Windows-1250,
    // and every CR goes, not only the one of a CR LF (a CR left in a line would reach the paper).
    const bool utf8 = toolkit::IsUtf8(text);
    std::string plain = text;
    std::erase(plain, '\r');
    std::vector<std::string> lines;
    std::istringstream split(plain);
    for (std::string line; std::getline(split, line);)
        lines.push_back(utf8 ? cp1250::FromUtf8(line) : line);
    return lines;
}

bool RunPrint(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    std::ifstream in(args[0], std::ios::binary);
    if (!in)
        throw UsageError("Nie można odczytać pliku " + args[0] + ".");
    std::ostringstream read;
    read << in.rdbuf();
    c.link.SendPrintout(service::RawPrintout(PrintoutLines(read.str())));
    return true;
}

bool RunTemplate(CliContext& c, const std::vector<std::string>& args) {
    if (args.size() < 2 || (args[0] != "read" && args[0] != "print"))
        throw UsageError("Użycie: template read N | template print N [--no-cut] [WIERSZ...].");
    const int number = TemplateNumber(args[1]);
    if (args[0] == "read") {
        ExpectArgs(args, 2, 2);
        if (!c.link.DetectCodePage())
            return false;
        TemplateFields fields;
        if (!c.link.ReadTemplate(number, fields))
            return false;
        c.result.Add("name1", "Nazwa: ", Dev(fields[0]));
        c.result.Add("name2", "Nazwa (2): ", Dev(fields[1]));
        for (std::size_t i = 2; i < fields.size(); ++i)
            c.result.Add("row" + std::to_string(i - 1), "Wiersz " + std::to_string(i - 1) + ": ",
                         Dev(fields[i]));
        return true;
    }
    std::vector<std::string> rowArgs(args.begin() + 2, args.end());
    const auto noCut = std::find(rowArgs.begin(), rowArgs.end(), "--no-cut");
    const bool cut = noCut == rowArgs.end();
    if (!cut)
        rowArgs.erase(noCut);
    TemplateFields rows;
    if (rowArgs.size() > rows.size() - 2)
        throw UsageError("Szablon ma najwyżej 20 wierszy.");
    for (std::size_t i = 0; i < rowArgs.size(); ++i)
        rows[i] = ToDev(rowArgs[i], "Wiersz " + std::to_string(i + 1) + " szablonu");
    return c.link.PrintTemplate(number, cut ? "T" : "N", rows);
}

} // namespace nubra::cli
