#include "Nx3dOptions.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

#include "ProfileFile.h"

namespace nubra::nx3d {
namespace {

PrinterConfig Printer(const std::string& text) {
    const std::size_t eq = text.find('=');
    if (eq == 0 || eq == std::string::npos || eq + 1 == text.size())
        throw std::invalid_argument("Drukarkę podaje się jako ID=URZĄDZENIE: " + text + ".");
    const std::string id = text.substr(0, eq);
    for (char ch : id)
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '-' && ch != '_')
            throw std::invalid_argument("Identyfikator drukarki to litery, cyfry, - i _: " + id + ".");
    return {id, text.substr(eq + 1)};
}

} // namespace

void ParseListen(Nx3dOptions& o, const std::string& text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        throw std::invalid_argument("Adres podaje się jako HOST:PORT: " + text + ".");
    int port = 0;
    for (char ch : text.substr(colon + 1))
        port = ch >= '0' && ch <= '9' && port < 100000 ? port * 10 + (ch - '0') : 100000;
    if (port < 1 || port > 65535)
        throw std::invalid_argument("Port to liczba od 1 do 65535: " + text + ".");
    o.host = text.substr(0, colon);
    if (o.host.size() > 2 && o.host.front() == '[' && o.host.back() == ']')
        o.host = o.host.substr(1, o.host.size() - 2);
    o.port = port;
}

Nx3dOptions ParseNx3dOptions(const std::vector<std::string>& args) {
    Nx3dOptions o;
    bool listenGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i], value;
        const std::size_t eq = name.find('=');
        const bool inline_ = name.rfind("--", 0) == 0 && eq != std::string::npos;
        if (inline_) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (name == "--help" || name == "-h") {
            o.help = true;
            continue;
        }
        if (name == "--version") {
            o.version = true;
            continue;
        }
        if (name != "--printer" && name != "--listen" && name != "--data" && name != "--token-file" &&
            name != "--allow-origin")
            throw std::invalid_argument("Nieznana opcja " + args[i] + ".");
        if (!inline_) {
            if (i + 1 >= args.size())
                throw std::invalid_argument("Opcja " + name + " wymaga wartości.");
            value = args[++i];
        }
        if (name == "--printer")
            o.printers.push_back(Printer(value));
        else if (name == "--listen") {
            ParseListen(o, value);
            listenGiven = true;
        } else if (name == "--data")
            o.data = value;
        else if (name == "--token-file")
            o.tokenFile = value;
        else
            o.origins.push_back(value);
    }
    if (!listenGiven)
        o.host.clear(); // nx3d.ini or the default fills it
    return o;
}

void ApplyIni(Nx3dOptions& o, const std::string& iniPath) {
    const ProfileFile ini(iniPath);
    if (o.host.empty()) {
        const std::string listen = ini.ReadString("nx3d", "listen", "127.0.0.1:8787");
        ParseListen(o, listen);
    }
    if (o.tokenFile.empty())
        o.tokenFile = ini.ReadString("nx3d", "token-file", "");
    std::istringstream origins(ini.ReadString("nx3d", "allow-origin", ""));
    if (o.origins.empty())
        for (std::string origin; origins >> origin;)
            o.origins.push_back(origin);
    std::istringstream printers(ini.ReadString("nx3d", "printers", ""));
    if (o.printers.empty())
        for (std::string printer; printers >> printer;)
            o.printers.push_back(Printer(printer));
}

bool IsLoopback(const std::string& host) {
    return host == "localhost" || host == "::1" || host.rfind("127.", 0) == 0;
}

std::string Nx3dUsage() {
    return "Użycie: nx3d [--printer ID=URZĄDZENIE]... [--listen HOST:PORT] [--data KATALOG]\n"
           "            [--token-file PLIK] [--allow-origin URL]...\n"
           "\n"
           "Usługa drukowania dla programów sprzedaży: API HTTP z JSON pod /api/v1, każdy paragon\n"
           "wydrukowany dokładnie raz, każde zadanie zapisane w dzienniku nx3d.sqlite. Strona pod /\n"
           "pokazuje drukarki i ostatnie zadania oraz drukuje paragon testowy.\n"
           "\n"
           "  --printer ID=URZĄDZENIE  drukarka o nazwie ID na porcie URZĄDZENIE (np. kasa1=/dev/ttyUSB0);\n"
           "                           bez tej opcji: drukarka z portu wybranego w programie (ID kasa)\n"
           "  --listen HOST:PORT       adres usługi (domyślnie 127.0.0.1:8787); adres inny niż lokalny\n"
           "                           wymaga tokenu\n"
           "  --data KATALOG           katalog danych (nx3config.ini, nx3d.ini, nx3d.sqlite)\n"
           "  --token-file PLIK        plik z tokenem: każde żądanie oprócz /metrics i strony / musi\n"
           "                           mieć nagłówek Authorization: Bearer TOKEN\n"
           "  --allow-origin URL       strona WWW, która może wołać usługę z przeglądarki (CORS)\n"
           "  --version                wersja programu\n"
           "  --help                   ten opis\n"
           "\n"
           "Te same klucze (listen, token-file, allow-origin, printers=\"ID=URZĄDZENIE ...\") może\n"
           "zawierać sekcja [nx3d] pliku nx3d.ini w katalogu danych.\n";
}

} // namespace nubra::nx3d
