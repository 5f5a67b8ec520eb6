#include "CliOptions.h"

#include "CliCommands.h"
#include "Numbers.h"
#include "OptionValues.h"

namespace nubra::cli {
namespace {

std::string Value(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size())
        throw UsageError("Opcja " + args[i] + " wymaga wartości.");
    return args[++i];
}

const char* const kGlobalOptions =
    "[--device ŚCIEŻKA | --port N] [--data KATALOG] [--json] [--trace PLIK] [--yes]";

} // namespace

CliOptions ParseCliOptions(const std::vector<std::string>& given) {
    const std::vector<std::string> args = SplitOptionValues(given);
    CliOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            o.json = true;
        } else if (a == "--yes") {
            o.yes = true;
        } else if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (!o.command.empty()) {
            o.args.push_back(a);
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--device") {
            o.device = Value(args, i);
        } else if (a == "--port") {
            const int port = StrToIntDef(Value(args, i), 0);
            if (port < 1 || port > 4)
                throw UsageError("Numer portu musi być liczbą od 1 do 4.");
            o.port = port;
        } else if (a == "--data") {
            o.data = Value(args, i);
        } else if (a == "--trace") {
            o.trace = Value(args, i);
        } else if (a.starts_with("-")) {
            throw UsageError("Nieznana opcja " + a + ".");
        } else {
            o.command = a;
        }
    }
    if (o.device && o.port)
        throw UsageError("Podaj --device albo --port, nie obie opcje.");
    if (o.command.empty() && !o.help && !o.version)
        throw UsageError("Brak polecenia.");
    return o;
}

std::string CliCommandUsage(const std::string& command) {
    const CliCommand* c = FindCliCommand(command);
    std::string text = "Użycie: nx3cli " + std::string(kGlobalOptions) + " " + command;
    if (c && *c->arguments)
        text += std::string(" ") + c->arguments;
    return text + "\n";
}

std::string CliUsage() {
    std::string text = "Użycie: nx3cli " + std::string(kGlobalOptions) +
                       " POLECENIE [ARGUMENTY]\n"
                       "       nx3cli POLECENIE --help\n"
                       "       nx3cli --version\n\n"
                       "  --device ŚCIEŻKA  urządzenie drukarki (np. /dev/ttyUSB0)\n"
                       "  --port N          urządzenie portu COM N z nx3config.ini (domyślnie port wybrany w "
                       "programie)\n"
                       "  --data KATALOG    katalog z nx3config.ini\n"
                       "  --json            wynik jako jeden obiekt JSON na stdout\n"
                       "  --trace PLIK      zapis ramek protokołu z czasem i opisami\n"
                       "  --yes             zgoda na operację, o którą program pyta w oknie\n"
                       "  -h, --help        ten opis; po poleceniu: składnia tego polecenia\n"
                       "  --version         wersja programu\n"
                       "Każdą opcję z wartością można też podać jako --opcja=wartość.\n\n"
                       "Polecenia:\n";
    for (const CliCommand& c : CliCommands()) {
        std::string line = std::string("  ") + c.name;
        if (*c.arguments)
            line += std::string(" ") + c.arguments;
        text += line + "\n";
    }
    text += "\nKody wyjścia: 0 wykonane, 1 odmowa drukarki, 2 brak komunikacji (nic nie wykonano), "
            "3 wynik nieznany (kasa mogła wykonać rozkaz; sprawdź jej stan przed ponowieniem), "
            "64 błędne wywołanie, 130 przerwane klawiszami Ctrl+C.\n";
    return text;
}

} // namespace nubra::cli
