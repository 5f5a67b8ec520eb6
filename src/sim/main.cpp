// nx3sim: an NX-3 E on a pseudo-terminal, for the program's demo, its tests and point-of-sale work.
#include "DeviceStateFile.h"
#include "PtyServer.h"
#include "SimOptions.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <system_error>

namespace {

using nubra::sim::Nx3Device;

// Appends the lines printed since the last call.
void SaveRoll(nubra::sim::PtyServer& server, const std::string& file, std::size_t& written) {
    if (file.empty())
        return;
    const auto lines = server.WithDevice([&](Nx3Device& d) {
        const auto& roll = d.State().paperRoll;
        return std::vector<std::string>(
            roll.begin() + static_cast<std::ptrdiff_t>(std::min(written, roll.size())), roll.end());
    });
    if (lines.empty())
        return;
    std::ofstream out(file, std::ios::app | std::ios::binary);
    for (const std::string& line : lines)
        out << line << '\n';
    written += lines.size();
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = nubra::sim::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "nx3sim: " << error << "\n" << nubra::sim::SimHelp();
        return 2;
    }
    if (options->help) {
        std::cout << nubra::sim::SimHelp();
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
    std::size_t rollWritten = state.paperRoll.size();
    Nx3Device device(state);
    nubra::sim::ArmFaults(*options, device);
    if (stateFile) {
        auto saveFailed = std::make_shared<bool>(false);
        auto save = [stateFile, saveFailed](const nubra::sim::DeviceState& s) {
            const bool ok = stateFile->Save(s);
            if (!ok && !*saveFailed)
                std::cerr << "nx3sim: nie można zapisać pliku stanu " << stateFile->Path() << std::endl;
            *saveFailed = !ok;
        };
        save(device.State());
        device.SetStateObserver(save);
    }
    nubra::sim::PtyServer server(std::move(device), options->linkPath);
    if (options->lineRate)
        server.SetLineRate(nubra::sim::PtyServer::kLineRate);
    try {
        server.Start();
    } catch (const std::system_error& e) {
        std::cerr << "nx3sim: " << e.what() << "\n";
        return 1;
    }
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
            server.Stop();
            return 1;
        }
        if (server.HangUps() != hangUps) {
            hangUps = server.HangUps();
            std::cerr << "nx3sim: linia zamknięta, nowy port: " << server.SlavePath() << std::endl;
        }
        SaveRoll(server, options->rollFile, rollWritten);
    }
    server.Stop();
    SaveRoll(server, options->rollFile, rollWritten);
    return 0;
}
