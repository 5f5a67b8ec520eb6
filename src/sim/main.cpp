// nx3sim: an NX-3 E on a pseudo-terminal, for the program's demo, its tests and point-of-sale work.
#include "ControlSocket.h"
#include "DeviceStateFile.h"
#include "OperatorDesk.h"
#include "PtyServer.h"
#include "SimOptions.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using nubra::sim::Nx3Device;

// The lines printed since the last call go straight to the file (no buffer of ours in between), each
// document as it is printed and before the state file counts it: a kill loses none of them. Called
// under the device lock.
class RollFile {
public:
    RollFile(std::string path, std::size_t written) : path_(std::move(path)), written_(written) {}

    void Append(const nubra::sim::DeviceState& state) {
        const auto& roll = state.paperRoll;
        if (path_.empty() || written_ >= roll.size())
            return;
        std::string text;
        for (std::size_t i = written_; i < roll.size(); ++i)
            text += roll[i] + '\n';
        const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return;
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
        if (done == text.size())
            written_ = roll.size();
    }

private:
    std::string path_;
    std::size_t written_;
};

// nx3sim ctl PATH WORDS...: one operator command, its JSON answer on stdout.
int Control(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        std::cerr << "nx3sim: użycie: nx3sim ctl ŚCIEŻKA ROZKAZ...\n";
        return 2;
    }
    std::string line, answer, error;
    for (std::size_t i = 1; i < args.size(); ++i)
        line += (i > 1 ? " " : "") + args[i];
    if (!nubra::sim::ControlRequest(args[0], line, answer, error)) {
        std::cerr << "nx3sim: " << error << "\n";
        return 2;
    }
    std::cout << answer << std::endl;
    return answer.starts_with("{\"ok\":true") ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "ctl")
        return Control(std::vector<std::string>(argv + 2, argv + argc));
    std::string error;
    const auto options = nubra::sim::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "nx3sim: " << error << "\n" << nubra::sim::SimHelp() << nubra::sim::OperatorDesk::Help();
        return 2;
    }
    if (options->help) {
        std::cout << nubra::sim::SimHelp() << nubra::sim::OperatorDesk::Help();
        return 0;
    }
    if (options->version) {
        std::cout << "nx3sim " << NUBRA_VERSION << "\n";
        return 0;
    }

    // Signals are taken by the main thread alone; the serving thread inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2})
        sigaddset(&signals, s);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    nubra::sim::DeviceState state;
    std::shared_ptr<nubra::sim::DeviceStateFile> stateFile;
    if (!options->stateFile.empty()) {
        stateFile = std::make_shared<nubra::sim::DeviceStateFile>(options->stateFile);
        if (!stateFile->Load(state, error)) {
            std::cerr << "nx3sim: " << error << "\n";
            return 1;
        }
    }
    nubra::sim::ApplyState(*options, state);
    // What was printed before this run is already in the roll file.
    auto roll = std::make_shared<RollFile>(options->rollFile, state.paperRoll.size());
    Nx3Device device(state);
    nubra::sim::ArmFaults(*options, device);
    std::function<void(const nubra::sim::DeviceState&)> save;
    if (stateFile) {
        auto saveFailed = std::make_shared<bool>(false);
        save = [stateFile, saveFailed](const nubra::sim::DeviceState& s) {
            const bool ok = stateFile->Save(s);
            if (!ok && !*saveFailed)
                std::cerr << "nx3sim: nie można zapisać pliku stanu " << stateFile->Path() << std::endl;
            *saveFailed = !ok;
        };
        save(device.State());
    }
    device.SetStateObserver([roll, save](const nubra::sim::DeviceState& s) {
        roll->Append(s);
        if (save)
            save(s);
    });
    nubra::sim::PtyServer server(std::move(device), options->linkPath);
    if (options->lineRate)
        server.SetLineRate(nubra::sim::PtyServer::kLineRate);
    try {
        server.Start();
    } catch (const std::system_error& e) {
        std::cerr << "nx3sim: " << e.what() << "\n";
        return 1;
    }
    // After a power cut the device finds what its state file kept; without one, all it held.
    nubra::sim::OperatorDesk desk(server, [path = options->stateFile](const nubra::sim::DeviceState& before) {
        if (path.empty())
            return before;
        nubra::sim::DeviceState kept;
        std::string loadError;
        if (!nubra::sim::DeviceStateFile(path).Load(kept, loadError)) {
            std::cerr << "nx3sim: " << loadError << std::endl;
            return before;
        }
        return kept;
    });
    std::unique_ptr<nubra::sim::ControlSocket> control;
    if (!options->controlPath.empty()) {
        control = std::make_unique<nubra::sim::ControlSocket>(
            options->controlPath, [&desk](const std::string& line) { return desk.Run(line); });
        try {
            control->Start();
        } catch (const std::system_error& e) {
            std::cerr << "nx3sim: " << e.what() << "\n";
            server.Stop();
            return 1;
        }
    }
    // Printed once the control socket is there too: a script may use both as soon as it reads this.
    std::cout << server.SlavePath() << std::endl;

    int hangUps = 0;
    for (;;) {
        const timespec tick{0, 200'000'000};
        const int s = sigtimedwait(&signals, nullptr, &tick);
        if (s == SIGINT || s == SIGTERM || s == SIGHUP)
            break;
        if (s == SIGUSR1)
            server.WithDevice([&](Nx3Device& d) { nubra::sim::ArmFaults(*options, d); });
        if (s == SIGUSR2)
            server.WithDevice([](Nx3Device& d) { d.StopEndlessStream(); });
        if (server.Broken()) {
            std::cerr << "nx3sim: nie udało się otworzyć nowego pseudoterminala" << std::endl;
            if (control)
                control->Stop();
            server.Stop();
            return 1;
        }
        if (server.HangUps() != hangUps) {
            hangUps = server.HangUps();
            std::cerr << "nx3sim: linia zamknięta, nowy port: " << server.SlavePath() << std::endl;
        }
        server.WithDevice([&](Nx3Device& d) { roll->Append(d.State()); });
    }
    if (control)
        control->Stop();
    server.Stop();
    server.WithDevice([&](Nx3Device& d) { roll->Append(d.State()); });
    return 0;
}
