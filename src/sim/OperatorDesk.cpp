#include "OperatorDesk.h"

#include "Cp1250.h"
#include "DeviceStateFile.h"
#include "SimOptions.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <vector>

namespace nubra::sim {
namespace {

// "ok" leads every answer, so a script may look at the first field alone.
using json = nlohmann::ordered_json;

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

bool Number(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= 0;
}

json HandJson(const Nx3Device& d) {
    const OperatorState& h = d.Hand();
    return {{"paper", PaperName(h.paper)},
            {"cover", h.coverOpen ? "open" : "closed"},
            {"power", h.powerOff ? "off" : "on"},
            {"slowPrintMs", d.State().printLineMs}};
}

// The state file's fields, each as its text there, Polish letters in UTF-8.
json StateJson(const DeviceState& state) {
    json fields = json::object();
    std::istringstream in(DeviceStateFile::ToText(state));
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string::npos)
            continue;
        fields[line.substr(0, eq)] = cp1250::ToUtf8(line.substr(eq + 1));
    }
    return fields;
}

// The fault options of the command line that a test may arm through the socket.
const std::set<std::string>& FaultOptions() {
    static const std::set<std::string> options = {"--noise", "--bad-checksum",  "--silence", "--delay-ms",
                                                  "--error", "--error-closing", "--hangup",  "--stream"};
    return options;
}

struct Refused {
    std::string message;
};

} // namespace

OperatorDesk::OperatorDesk(PtyServer& server, Restart restart)
    : server_(server), restart_(std::move(restart)) {}

std::string OperatorDesk::Run(const std::string& line) {
    std::lock_guard lock(mutex_);
    const std::vector<std::string> w = Words(line);
    const std::string command = w.empty() ? std::string() : w[0];
    auto want = [&](std::size_t least, std::size_t most, const char* usage) {
        if (w.size() < least + 1 || w.size() > most + 1)
            throw Refused{"użycie: " + std::string(usage)};
    };
    json answer = {{"ok", true}};
    try {
        auto changeHand = [&](auto&& change) {
            server_.WithDevice([&](Nx3Device& d) {
                OperatorState hand = d.Hand();
                change(hand);
                d.SetHand(hand);
            });
        };
        if (command == "paper") {
            want(1, 1, "paper near-end|out|in");
            const std::string& a = w[1];
            if (a != "near-end" && a != "out" && a != "in")
                throw Refused{"papier: near-end, out albo in, nie " + a};
            changeHand([&](OperatorState& h) {
                h.paper = a == "in" ? Paper::In : a == "out" ? Paper::Out : Paper::NearEnd;
            });
        } else if (command == "cover") {
            want(1, 1, "cover open|close");
            if (w[1] != "open" && w[1] != "close")
                throw Refused{"pokrywa: open albo close, nie " + w[1]};
            changeHand([&](OperatorState& h) { h.coverOpen = w[1] == "open"; });
        } else if (command == "power") {
            want(1, 1, "power off|on");
            if (w[1] == "off") {
                server_.WithDevice([](Nx3Device& d) { d.PowerOff(); });
            } else if (w[1] == "on") {
                server_.WithDevice([&](Nx3Device& d) {
                    if (d.Hand().powerOff)
                        d.PowerOn(restart_ ? restart_(d.State()) : d.State());
                });
            } else {
                throw Refused{"zasilanie: off albo on, nie " + w[1]};
            }
        } else if (command == "fail") {
            want(2, 3, "fail next ROZKAZ [KOD]");
            if (w[1] != "next")
                throw Refused{"użycie: fail next ROZKAZ [KOD]"};
            if (w[2].size() != 2)
                throw Refused{"rozkaz to dwa znaki: " + w[2]};
            if (w.size() == 4 && !IsReplyCode(w[3]))
                throw Refused{"niepoprawny kod odpowiedzi: " + w[3]};
            changeHand([&](OperatorState& h) {
                h.failCommand = w[2];
                h.failReply = w.size() == 4 ? w[3] : std::string();
            });
        } else if (command == "slow-print") {
            int ms = 0;
            want(1, 1, "slow-print MS");
            if (!Number(w[1], ms))
                throw Refused{"slow-print wymaga liczby milisekund: " + w[1]};
            server_.WithDevice([&](Nx3Device& d) { d.State().printLineMs = ms; });
        } else if (command == "register") {
            int n = 0;
            want(2, 2, "register N LITERA");
            if (!Number(w[1], n) || n < 1 || n > 8)
                throw Refused{"numer rejestru od 1 do 8: " + w[1]};
            if (w[2].size() != 1 || std::string("NTPFWXD").find(w[2][0]) == std::string::npos)
                throw Refused{"status rejestru to jedna z liter N, T, P, F, W, X, D: " + w[2]};
            server_.WithDevice(
                [&](Nx3Device& d) { d.State().registers[static_cast<std::size_t>(n - 1)].status = w[2][0]; });
        } else if (command == "fault") {
            want(1, 8, "fault OPCJA... (jak w wierszu poleceń)");
            const std::vector<std::string> args(w.begin() + 1, w.end());
            for (const std::string& a : args)
                if (a.starts_with("-") && FaultOptions().count(a) == 0)
                    throw Refused{"to nie jest opcja błędu: " + a};
            std::string error;
            const auto options = ParseSimOptions(args, error);
            if (!options)
                throw Refused{error};
            server_.WithDevice([&](Nx3Device& d) { ArmFaults(*options, d); });
        } else if (command == "stream") {
            want(1, 1, "stream stop");
            if (w[1] != "stop")
                throw Refused{"użycie: stream stop"};
            server_.WithDevice([](Nx3Device& d) { d.StopEndlessStream(); });
        } else if (command == "state") {
            want(0, 0, "state");
            answer["device"] = server_.WithDevice([](Nx3Device& d) { return StateJson(d.State()); });
        } else if (command == "roll") {
            want(0, 0, "roll");
            json lines = json::array();
            server_.WithDevice([&](Nx3Device& d) {
                const auto& roll = d.State().paperRoll;
                // A restart from an older state file may leave a shorter roll.
                for (std::size_t i = std::min(rollSeen_, roll.size()); i < roll.size(); ++i)
                    lines.push_back(cp1250::ToUtf8(roll[i]));
                rollSeen_ = roll.size();
            });
            answer["lines"] = lines;
        } else if (command.empty()) {
            throw Refused{"pusty rozkaz"};
        } else {
            throw Refused{"nieznany rozkaz: " + command};
        }
    } catch (const Refused& r) {
        return json{{"ok", false}, {"error", r.message}}.dump();
    }
    answer["operator"] = server_.WithDevice([](Nx3Device& d) { return HandJson(d); });
    return answer.dump();
}

std::string OperatorDesk::Help() {
    return "Strona operatora (--control ŚCIEŻKA: gniazdo Unix, jeden rozkaz w wierszu,\n"
           "odpowiedź jednym wierszem JSON; to samo z wiersza poleceń: nx3sim ctl ŚCIEŻKA ROZKAZ...):\n"
           "  paper near-end|out|in  papier na wyczerpaniu (\"I6\": \"Papier\" mruga; \"PC\" dostaje "
           "\"I9\"),\n"
           "                        brak papieru (gaśnie \"Ruch papieru\" i \"Kasa gotowa\"; rozkazy,\n"
           "                        które drukują, dostają \"X203EC\"), papier włożony\n"
           "  cover open|close      pokrywa otwarta: rozkazy, które drukują, dostają \"X203ED\"\n"
           "  power off|on          zasilanie: linia się zamyka, urządzenie milczy; po włączeniu\n"
           "                        startuje z tym, co zachował plik stanu (bez --state: z pamięci)\n"
           "  fail next ROZKAZ [KOD] następny ROZKAZ dostaje KOD zamiast \"I1\"\n"
           "                        (bez KODU: brak odpowiedzi)\n"
           "  fault OPCJA...        błędy jak w wierszu poleceń, np. fault --delay-ms 3000\n"
           "  stream stop           koniec strumienia --stream\n"
           "  slow-print MS         każdy wiersz raportu drukuje się MS ms\n"
           "  register N LITERA     status transakcji rejestru N (\"I7\"): N, T, P, F, W, X, D\n"
           "  state                 cały stan urządzenia (pola pliku stanu)\n"
           "  roll                  wiersze wydrukowane od poprzedniego \"roll\"\n"
           "Rozkazy drukujące: PC, PB, PA, Q3, ET, EF, X1, Z1, Z2, R1, R9, T3.\n"
           "Przykład: paragon, przy którym kończy się papier:\n"
           "  nx3sim --link /tmp/nx3 --control /tmp/nx3.ctl &\n"
           "  nx3cli --device /tmp/nx3 start --limit 100\n"
           "  nx3sim ctl /tmp/nx3.ctl paper out\n"
           "  nx3cli --device /tmp/nx3 sell --print paragon.csv\n"
           "      # Odpowiedź drukarki X203EC: Brak papieru. (kod wyjścia 1; sprzedaż czeka w rejestrze)\n"
           "  nx3sim ctl /tmp/nx3.ctl paper in\n"
           "  nx3cli --device /tmp/nx3 print-document             # paragon drukuje się w całości\n"
           "  nx3sim ctl /tmp/nx3.ctl roll                        # {\"ok\":true,\"lines\":[\"PARAGON "
           "FISKALNY\",...\n";
}

} // namespace nubra::sim
