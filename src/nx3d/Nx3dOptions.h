#pragma once
// nx3d's command line and nx3d.ini in its data folder; the command line wins.
#include <string>
#include <vector>

namespace nubra::nx3d {

struct PrinterConfig {
    std::string id;
    std::string device;
};

struct Nx3dOptions {
    std::vector<PrinterConfig> printers;
    std::string host = "127.0.0.1";
    int port = 8787;
    std::string data;
    std::string tokenFile;
    std::vector<std::string> origins;
    bool help = false;
    bool version = false;
};

// Raises std::invalid_argument with the Polish reason.
Nx3dOptions ParseNx3dOptions(const std::vector<std::string>& args);
// Keys of [nx3d] in nx3d.ini (listen, token-file, allow-origin, printers "ID=DEVICE ...") for what
// the command line left out.
void ApplyIni(Nx3dOptions& options, const std::string& iniPath);
// "--listen HOST:PORT".
void ParseListen(Nx3dOptions& options, const std::string& text);
std::string Nx3dUsage();
bool IsLoopback(const std::string& host);

} // namespace nubra::nx3d
