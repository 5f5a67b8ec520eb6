// nx3d: the printer's sales and queries as a local HTTP service for point-of-sale software.
#include <csignal>
#include <filesystem>
#include <fstream>
#include <httplib.h>
#include <iostream>
#include <pthread.h>

#include "DataFolderChoice.h"
#include "Nx3dOptions.h"
#include "PortSerialLine.h"
#include "ProfileFile.h"
#include "Service.h"

using namespace nubra;
using namespace nubra::nx3d;

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ReadToken(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Nie można odczytać pliku tokenu " + path + ".");
    std::string token((std::istreambuf_iterator<char>(in)), {});
    token.erase(token.find_last_not_of(" \t\r\n") + 1);
    token.erase(0, token.find_first_not_of(" \t\r\n"));
    if (token.empty())
        throw std::runtime_error("Plik tokenu " + path + " jest pusty.");
    return token;
}

} // namespace

int main(int argc, char** argv) {
    Nx3dOptions options;
    try {
        options = ParseNx3dOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::cerr << "nx3d: " << e.what() << "\n\n" << Nx3dUsage();
        return 64;
    }
    if (options.help) {
        std::cout << Nx3dUsage();
        return 0;
    }
    if (options.version) {
        std::cout << "nx3d " << NUBRA_VERSION << "\n";
        return 0;
    }
    const std::string data = ChooseDataFolder("", options.data, Environment("XDG_DATA_HOME"),
                                              Environment("HOME"), IsWritableFolder);
    // A service started for the first time, or on a fresh --data, makes its folder for the journal.
    std::error_code made;
    std::filesystem::create_directories(data, made);
    if (made) {
        std::cerr << "nx3d: nie można utworzyć katalogu danych " << data << ": " << made.message() << "."
                  << std::endl;
        return 73;
    }
    std::string token;
    try {
        ApplyIni(options, data + "nx3d.ini");
        if (options.printers.empty()) {
            // The printer of the port the program has chosen.
            const ProfileFile config(data + kConfigFileName);
            const int com = config.ReadInteger("PORT", "com", 0);
            if (com < 1 || com > 4)
                throw std::runtime_error(
                    "Nie wskazano drukarki: podaj --printer ID=URZĄDZENIE albo wybierz port "
                    "w programie.");
            options.printers.push_back({"kasa", config.ReadString("PORT", "COM" + std::to_string(com),
                                                                  PortSerialLine::DefaultDevicePath(com))});
        }
        if (!options.tokenFile.empty())
            token = ReadToken(options.tokenFile);
        if (!IsLoopback(options.host) && token.empty())
            throw std::runtime_error("Adres " + options.host + " nie jest lokalny: podaj --token-file.");
    } catch (const std::exception& e) {
        std::cerr << "nx3d: " << e.what() << std::endl;
        return 64;
    }

    // SIGTERM and SIGINT end the service between requests; a job being sent finishes first.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    try {
        Service service(options, data, token);
        httplib::Server server;
        service.Mount(server);
        if (!server.bind_to_port(options.host, options.port)) {
            std::cerr << "nx3d: nie można nasłuchiwać na " << options.host << ":" << options.port << "."
                      << std::endl;
            return 69;
        }
        std::thread stopper([&] {
            int sig = 0;
            sigwait(&stop, &sig);
            server.stop();
        });
        std::cerr << "nx3d: nasłuchuję na http://" << options.host << ":" << options.port << "/api/v1"
                  << std::endl;
        server.listen_after_bind();
        pthread_kill(stopper.native_handle(), SIGTERM);
        stopper.join();
    } catch (const std::exception& e) {
        std::cerr << "nx3d: " << e.what() << std::endl;
        return 70;
    }
    return 0;
}
