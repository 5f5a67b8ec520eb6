#pragma once
// nx3cli's subcommands: one row of the table each (CliCommands.cpp), the handler beside its group
// (CliStatus.cpp, CliSettings.cpp, ...). A handler checks its arguments first (UsageError, before
// anything is sent), runs the command methods and fills the result; it returns their verdict.
#include <iosfwd>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "CliResult.h"

namespace nubra {

class TNX3Class;

namespace cli {

class ConsoleLinkUi;

struct CliContext {
    TNX3Class& link;
    ConsoleLinkUi& ui;
    const CliOptions& options;
    CliResult& result;
    // Where nx3config.ini lives, with a trailing separator.
    std::string dataFolder;
};

using CliHandler = bool (*)(CliContext& context, const std::vector<std::string>& args);

struct CliCommand {
    const char* name;
    const char* arguments; // for the usage text
    bool opensPort;        // false: the handler finds its own devices (probe)
    CliHandler run;
};

const std::vector<CliCommand>& CliCommands();
const CliCommand* FindCliCommand(const std::string& name);

// Argument helpers for handlers.
void ExpectArgs(const std::vector<std::string>& args, std::size_t min, std::size_t max);
// The operations the program confirms in a window refuse to start without --yes.
void RequireYes(const CliContext& context, const std::string& what);

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

// --- developer tools (CliProbe.cpp, CliRaw.cpp) ---
bool RunProbe(CliContext& c, const std::vector<std::string>& args);
bool RunRaw(CliContext& c, const std::vector<std::string>& args);

} // namespace cli
} // namespace nubra
