#include "CliRun.h"

#include <functional>
#include <ostream>

#include "CliCommands.h"
#include "ConsoleLinkUi.h"
#include "Cp1250.h"
#include "DataFolderChoice.h"
#include "LinkError.h"
#include "ProfileFile.h"
#include "SystemSerialLine.h"
#include "TNX3Class.h"

namespace nubra::cli {
namespace {

// --device takes the place of this COM number.
constexpr int kDevicePort = 1;
constexpr const char* kNoPortChosen =
    "Nie wybrano portu: podaj --device ŚCIEŻKA albo --port N, albo wybierz port w programie nx3serwis.";

// One line saying what is wrong, one saying where the rest is: the whole usage would bury the why.
int Usage(std::ostream& err, const std::string& why) {
    err << "nx3cli: " << why << "\n" << kHelpHint << "\n";
    return ExitUsage;
}

// Opens the port when the first byte is to go out, not before: a handler checks its arguments before
// it sends anything, so a command line refused for them never touches the port.
class DeferredOpenLine : public SerialLine {
public:
    DeferredOpenLine(std::unique_ptr<SerialLine> line, std::function<void()> open)
        : line_(std::move(line)), open_(std::move(open)) {}

    OpenResult Open(int portNumber) override {
        opened_ = true;
        return line_->Open(portNumber);
    }
    std::string OpenFailureDetail() const override { return line_->OpenFailureDetail(); }
    bool IsOpen() const override { return line_->IsOpen(); }
    bool SetReadTimeout(int milliseconds) override { return line_->SetReadTimeout(milliseconds); }
    bool Purge() override { return Ready() && line_->Purge(); }
    bool Write(const std::string& bytes) override { return Ready() && line_->Write(bytes); }
    int ReadByte() override { return Ready() ? line_->ReadByte() : kNoByte; }
    bool Close() override { return line_->Close(); }
    bool Gone() const override { return line_->Gone(); }
    std::string DevicePath(int portNumber) const override { return line_->DevicePath(portNumber); }

private:
    bool Ready() {
        if (!opened_) {
            opened_ = true;
            open_();
        }
        return line_->IsOpen();
    }
    std::unique_ptr<SerialLine> line_;
    std::function<void()> open_;
    bool opened_ = false;
};

// The line with the devices of COM1..COM4 as the program has them, --device in place of one.
std::unique_ptr<SystemSerialLine> MakeLine(const ProfileFile& config, const CliOptions& options) {
    auto line = std::make_unique<SystemSerialLine>();
    for (int n = 1; n <= 4; ++n)
        line->SetDevicePath(
            n, config.ReadString("PORT", "COM" + std::to_string(n), PortSerialLine::DefaultDevicePath(n)));
    if (options.device)
        line->SetDevicePath(kDevicePort, *options.device);
    return line;
}

int Refused(const ConsoleLinkUi& ui, const CliOptions& options, std::ostream& out, std::ostream& err) {
    CliResult refusal;
    if (ui.ErrorShown()) {
        refusal.Add("code", "", cp1250::ToUtf8(ui.LastReply()));
        refusal.Add("description", "", ui.LastError());
    } else {
        // A refusal without a code: the printer sent no data where it should have.
        err << "Drukarka nie przekazała danych." << std::endl;
        refusal.Add("code", "", "");
        refusal.Add("description", "", "Drukarka nie przekazała danych.");
    }
    if (options.json)
        refusal.PrintJson(out);
    return ExitRefused;
}

int Failed(const std::string& message, int code, const CliOptions& options, std::ostream& out,
           std::ostream& err, bool outcomeUnknown = false) {
    err << message << std::endl;
    if (options.json) {
        CliResult failure;
        if (outcomeUnknown)
            failure.Add("outcome", "", "unknown");
        failure.Add("error", "", message);
        failure.PrintJson(out);
    }
    return code;
}

} // namespace

int RunCli(const std::vector<std::string>& args, const CliPlaces& places, std::ostream& out,
           std::ostream& err) {
    CliOptions options;
    try {
        options = ParseCliOptions(args);
    } catch (const UsageError& e) {
        return Usage(err, e.what());
    }
    const CliCommand* command = options.command.empty() ? nullptr : FindCliCommand(options.command);
    if (!options.command.empty() && !command)
        return Usage(err, "Nieznane polecenie " + options.command + ".");
    if (options.help) {
        out << (command ? CliCommandUsage(command->name) : CliUsage());
        return ExitOk;
    }
    if (options.version) {
        out << "nx3cli " << NUBRA_VERSION << "\n";
        return ExitOk;
    }

    const std::string dataFolder = ChooseDataFolder(places.programFolder, options.data.value_or(""),
                                                    places.xdgDataHome, places.home, IsWritableFolder);
    const ProfileFile config(dataFolder + kConfigFileName);
    const int port = options.device ? kDevicePort
                     : options.port ? *options.port
                                    : config.ReadInteger("PORT", "com", 0);
    CliContext* running = nullptr;
    std::unique_ptr<SerialLine> line = MakeLine(config, options);
    if (command->opensPort)
        line = std::make_unique<DeferredOpenLine>(std::move(line), [&running, &err, port] {
            // The program's own words point at its menu, which a shell does not have.
            if (port == 0) {
                err << kNoPortChosen << std::endl;
                throw PortNotOpened{};
            }
            running->OpenPort();
        });

    ConsoleLinkUi ui(err);
    if (options.trace && !ui.OpenTrace(*options.trace)) {
        err << "Nie można utworzyć pliku " << *options.trace << "." << std::endl;
        return ExitRefused;
    }
    TNX3Class link(dataFolder, ui, std::move(line));
    ui.SetLink(&link);
    link.PrinterType = 2;
    if (options.device)
        link.PortName = *options.device;

    CliResult result;
    CliContext context{link, ui, options, result, dataFolder, port};
    running = &context;
    bool ok = false;
    try {
        ok = command->run(context, options.args);
    } catch (const PortNotOpened&) {
        // The link's message names the device and the reason.
        return ExitNoCommunication;
    } catch (const UsageError& e) {
        return Usage(err, e.what());
    } catch (const LinkError& e) {
        // Once something went out whole in this run (the first of two documents), "nothing was
        // done" is no longer true even when the command now lost had not gone out.
        if (e.OutcomeUnknown() || link.ChangingCommandSent())
            return Failed(ConsoleText(e.WithOutcomeUnknown().what()), ExitOutcomeUnknown, options, out, err,
                          true);
        return Failed(ConsoleText(e.what()), ExitNoCommunication, options, out, err);
    } catch (const Interrupted& e) {
        return Failed(e.what(), ExitInterrupted, options, out, err, e.outcomeUnknown);
    } catch (const CliFailure& e) {
        return Failed(e.what(), ExitRefused, options, out, err);
    }
    if (!ui.TraceGood())
        err << "Błąd zapisu do pliku " << *options.trace << "." << std::endl;
    if (!ok)
        return Refused(ui, options, out, err);
    if (options.json)
        result.PrintJson(out);
    else
        result.PrintText(out);
    return context.exit;
}

} // namespace nubra::cli
