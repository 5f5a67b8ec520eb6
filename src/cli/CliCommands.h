#pragma once
// nx3cli's subcommands: one row of the table each (CliCommands.cpp), the handler beside its group
// (CliStatus.cpp, CliSettings.cpp, ...). A handler checks its arguments first (UsageError, before
// anything is sent), runs the command methods and fills the result; it returns their verdict.
#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "CliResult.h"
#include "OpsError.h"
#include "OpsNumbers.h"
#include "StatusOps.h"
#include "TNX3Class.h"
#include "TextCheck.h"

namespace nubra {
namespace cli {

class ConsoleLinkUi;

struct CliContext {
    TNX3Class& link;
    ConsoleLinkUi& ui;
    const CliOptions& options;
    CliResult& result;
    // Where nx3config.ini lives, with a trailing separator.
    std::string dataFolder;
    // The configured port, for a command that opens it only when its arguments need the printer.
    int port = 0;
    // The exit code of a run that ended without an error (probe: 1 when no printer answered).
    int exit = ExitOk;

    // Raises PortNotOpened when the link could not open it (the link has said why).
    void OpenPort();
};

// The run ends with "no communication".
struct PortNotOpened {};

using CliHandler = bool (*)(CliContext& context, const std::vector<std::string>& args);

struct CliCommand {
    const char* name;
    const char* arguments; // for the usage text
    bool opensPort;        // false: the handler opens the port itself if at all (probe, snapshot)
    CliHandler run;
};

const std::vector<CliCommand>& CliCommands();
const CliCommand* FindCliCommand(const std::string& name);

// Argument helpers for handlers.
void ExpectArgs(const std::vector<std::string>& args, std::size_t min, std::size_t max);
// The operations the program confirms in a window refuse to start without --yes.
void RequireYes(const CliContext& context, const std::string& what);
using ops::ParseDecimal;
using ops::Rounding;
// Hundredths of a percent for A..G: the current rates with those the arguments name ("A=22",
// "B=7,5", "E=zw" exempt, "G=-" inactive) in their place (CliNumbers.cpp).
std::array<int, 7> RatesFromArgs(const std::vector<std::string>& args, const PtuRates& current);
using ops::DeviceStatus;
using ops::ReadStatus;
// An operation's request refused before anything is sent is a usage error of the command line.
template <typename Fn> decltype(auto) Checked(Fn&& fn) {
    try {
        return fn();
    } catch (const ops::InvalidRequest& e) {
        throw UsageError(e.what());
    }
}
// A device text field for the user (Windows-1250 to UTF-8), and back: text that would break a frame
// or that the code page lacks raises UsageError "<where>: <why>." (TextCheck.h).
std::string Dev(const std::string& cp1250);
std::string ToDev(const std::string& utf8, const std::string& where = "Argument",
                  DeviceCharset charset = DeviceCharset::Windows1250);

// --- status and information queries (CliStatus.cpp) ---
bool RunStatus(CliContext& c, const std::vector<std::string>& args);
bool RunDayReportNumber(CliContext& c, const std::vector<std::string>& args);
bool RunRamResets(CliContext& c, const std::vector<std::string>& args);
bool RunError(CliContext& c, const std::vector<std::string>& args);
bool RunTotalizer(CliContext& c, const std::vector<std::string>& args);
bool RunRegisters(CliContext& c, const std::vector<std::string>& args);
bool RunDeviceInfo(CliContext& c, const std::vector<std::string>& args);

// --- settings (CliSettings.cpp) ---
bool RunVat(CliContext& c, const std::vector<std::string>& args);
bool RunPosts(CliContext& c, const std::vector<std::string>& args);
bool RunParams(CliContext& c, const std::vector<std::string>& args);
bool RunWaitingTime(CliContext& c, const std::vector<std::string>& args);
bool RunTimeChange(CliContext& c, const std::vector<std::string>& args);
bool RunDateTime(CliContext& c, const std::vector<std::string>& args);
bool RunHeader(CliContext& c, const std::vector<std::string>& args);
bool RunFooter(CliContext& c, const std::vector<std::string>& args);

// --- sales (CliSales.cpp) ---
bool RunStart(CliContext& c, const std::vector<std::string>& args);
bool RunSell(CliContext& c, const std::vector<std::string>& args);
bool RunPrintDocument(CliContext& c, const std::vector<std::string>& args);
bool RunExchange(CliContext& c, const std::vector<std::string>& args);
bool RunGoodsInfo(CliContext& c, const std::vector<std::string>& args);

// --- reports (CliReports.cpp) ---
bool RunDaily(CliContext& c, const std::vector<std::string>& args);
bool RunPeriodic(CliContext& c, const std::vector<std::string>& args);
bool RunMonthly(CliContext& c, const std::vector<std::string>& args);
bool RunConstant(CliContext& c, const std::vector<std::string>& args);
bool RunGoodsList(CliContext& c, const std::vector<std::string>& args);
bool RunSettlement(CliContext& c, const std::vector<std::string>& args);
bool RunTransfer(CliContext& c, const std::vector<std::string>& args);

// --- fiscal and service operations (CliService.cpp) ---
bool RunFiscalize(CliContext& c, const std::vector<std::string>& args);
bool RunNip(CliContext& c, const std::vector<std::string>& args);
bool RunCurrencyChange(CliContext& c, const std::vector<std::string>& args);
bool RunRamReset(CliContext& c, const std::vector<std::string>& args);
bool RunSdInit(CliContext& c, const std::vector<std::string>& args);
bool RunSdClose(CliContext& c, const std::vector<std::string>& args);
bool RunPrint(CliContext& c, const std::vector<std::string>& args);
// The lines of a text file as "print" sends them: Windows-1250 (a UTF-8 file converted), line ends off.
std::vector<std::string> PrintoutLines(const std::string& text);
bool RunTemplate(CliContext& c, const std::vector<std::string>& args);

// --- the technician's toolkit (CliToolkit.cpp) ---
bool RunSnapshot(CliContext& c, const std::vector<std::string>& args);
bool RunCatalogue(CliContext& c, const std::vector<std::string>& args);

// --- developer tools (CliProbe.cpp, CliRaw.cpp) ---
bool RunProbe(CliContext& c, const std::vector<std::string>& args);
bool RunRaw(CliContext& c, const std::vector<std::string>& args);

} // namespace cli
} // namespace nubra
