#include "CliCommands.h"

#include "Cp1250.h"

namespace nubra::cli {

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = {
        // --- status and information queries ---
        {"status", "", true, RunStatus},
        {"day-report-number", "", true, RunDayReportNumber},
        {"ram-resets", "", true, RunRamResets},
        {"error", "", true, RunError},
        {"totalizer", "", true, RunTotalizer},
        {"registers", "", true, RunRegisters},
        {"device-info", "[W|S]", true, RunDeviceInfo},
        // --- settings ---
        {"vat", "[set A=PROCENT B=PROCENT ...]", true, RunVat},
        {"posts", "[N1 ... N8]", true, RunPosts},
        {"params",
         "[set kod=latin|mazovia separator=kropka|przecinek raport=automatycznie|recznie "
         "potwierdzenia=tak|nie]",
         true, RunParams},
        {"waiting-time", "[MINUTY]", true, RunWaitingTime},
        {"time-change", "+|-", true, RunTimeChange},
        {"datetime", "[set [RRRR-MM-DD] GG:MM:SS]", true, RunDateTime},
        {"header", "[set [--wide N] [--high N] WIERSZ1 [WIERSZ2 [WIERSZ3 [WIERSZ_NIP]]]]", true, RunHeader},
        {"footer", "[set WIERSZ1 [WIERSZ2 [WIERSZ3]]]", true, RunFooter},
        // --- sales ---
        {"start", "[--register N] [--limit KWOTA]", true, RunStart},
        {"sell", "[--register N] [--print] PLIK.json|PLIK.csv", true, RunSell},
        {"print-document", "[--register N]", true, RunPrintDocument},
        {"exchange", "PLIK.json|PLIK.csv", true, RunExchange},
        {"goods-info", "NAZWA", true, RunGoodsInfo},
        // --- reports ---
        {"daily", "--yes", true, RunDaily},
        {"periodic", "[--from OD --to DO] [--summary]", true, RunPeriodic},
        {"monthly", "RRRR-MM", true, RunMonthly},
        {"constant", "--yes", true, RunConstant},
        {"goods-list", "--yes", true, RunGoodsList},
        {"settlement", "[--from OD --to DO] [--summary] --yes", true, RunSettlement},
        {"transfer", "[--from OD --to DO] PLIK", true, RunTransfer},
        // --- fiscal and service operations ---
        {"fiscalize", "[A=PROCENT ...] --yes", true, RunFiscalize},
        {"nip", "[prepare NIP]", true, RunNip},
        {"currency-change", "[set RRRR-MM-DD GG:MM WALUTA --yes]", true, RunCurrencyChange},
        {"ram-reset", "--yes", true, RunRamReset},
        {"sd-init", "", true, RunSdInit},
        {"sd-close", "", true, RunSdClose},
        {"print", "PLIK", true, RunPrint},
        {"template", "read N | print N [--no-cut] [WIERSZ...]", true, RunTemplate},
        // --- the technician's toolkit ---
        {"snapshot", "save PLIK | diff PLIK [PLIK2] | restore PLIK [--with-vat] --yes", false, RunSnapshot},
        {"catalogue", "export NAZWA PLIK | import NAZWA PLIK [--replace]", false, RunCatalogue},
        // --- developer tools ---
        {"probe", "", false, RunProbe},
        {"raw", "KOD [DANE...]", true, RunRaw},
    };
    return commands;
}

const CliCommand* FindCliCommand(const std::string& name) {
    for (const CliCommand& c : CliCommands())
        if (name == c.name)
            return &c;
    return nullptr;
}

void CliContext::OpenPort() {
    if (!link.OpenPort(port))
        throw PortNotOpened{};
}

void ExpectArgs(const std::vector<std::string>& args, std::size_t min, std::size_t max) {
    if (args.size() < min)
        throw UsageError("Za mało argumentów.");
    if (args.size() > max)
        throw UsageError("Nadmiarowy argument: " + args[max] + ".");
}

void RequireYes(const CliContext& context, const std::string& what) {
    if (!context.options.yes)
        throw UsageError(what + " wymaga potwierdzenia: dodaj --yes.");
}

std::string Dev(const std::string& cp1250) {
    return ops::Dev(cp1250);
}

std::string ToDev(const std::string& utf8, const std::string& where, DeviceCharset charset) {
    try {
        return DeviceBytes(utf8, where, charset);
    } catch (const TextError& e) {
        throw UsageError(e.what());
    }
}

} // namespace nubra::cli
