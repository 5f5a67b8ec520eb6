// Device settings: VAT rates, workstation numbers, parameters, waiting time, clock, header and footer.
#include <algorithm>
#include <cctype>
#include <optional>

#include "CliCommands.h"
#include "ConsoleLinkUi.h"
#include "Numbers.h"
#include "PtuRate.h"

namespace nubra::cli {
namespace {

// Header lines: 40 characters, 20 when printed wide; line 4 carries the tax number.
constexpr int kHeaderLines = 4, kNarrow = 40, kWide = 20;

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Header and footer text travels in Mazovia whatever the transmission code.
std::string FromMazovia(const std::string& text, std::size_t length) {
    return Dev(TNX3Class::MazoviaToWindows(TrimRight(text.substr(0, length))));
}

std::string ToMazovia(const std::string& utf8, const std::string& where) {
    return TNX3Class::WindowsToMazovia(ToDev(utf8, where, DeviceCharset::Mazovia));
}

// A line the printer would cut is refused whole, before anything is sent.
void CheckLength(const std::string& utf8, const std::string& line, int limit) {
    const auto length = static_cast<int>(ToDev(utf8).size());
    if (length > limit)
        throw UsageError(line + " ma " + std::to_string(length) + " znaków, a mieści najwyżej " +
                         std::to_string(limit) + ".");
}

// "name=value" arguments of params set.
bool Choice(const std::string& value, const char* yes, const char* no, const std::string& name) {
    if (value == yes)
        return true;
    if (value == no)
        return false;
    throw UsageError(name + " przyjmuje " + yes + " albo " + no + ".");
}

int Minutes(const std::string& text) {
    const int minutes = text.size() <= 2 ? StrToIntDef(text, -1) : -1;
    if (minutes < 0 || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("Czas oczekiwania to liczba minut od 0 do 99: " + text + ".");
    return minutes;
}

bool Digits(const std::string& text, std::initializer_list<std::size_t> at, char separator) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool sep = std::find(at.begin(), at.end(), i) != at.end();
        if (sep ? text[i] != separator : !std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

} // namespace

bool RunVat(CliContext& c, const std::vector<std::string>& args) {
    const bool set = !args.empty();
    if (set && (args[0] != "set" || args.size() < 2))
        throw UsageError("Użycie: vat set A=PROCENT [B=PROCENT ...].");
    const std::vector<std::string> changes(args.begin() + (set ? 1 : 0), args.end());
    RatesFromArgs(changes, PtuRates{}); // refused before anything is sent
    PtuRates rates;
    if (!c.link.GetPtu(rates))
        return false;
    if (set) {
        const std::array<int, 7> values = RatesFromArgs(changes, rates);
        for (std::size_t i = 0; i < rates.size(); ++i)
            rates[i] = std::to_string(values[i]);
        return c.link.SetPtu(rates);
    }
    for (std::size_t i = 0; i < rates.size(); ++i) {
        const std::string letter(1, static_cast<char>('A' + i));
        const int value = TNX3Class::PtuRateValue(rates[i]);
        const std::string legend = value == TNX3Class::kInactiveRate ? " - nieaktywna"
                                   : value == TNX3Class::kExemptRate ? " - zwolniona"
                                                                     : "";
        c.result.Add(letter, "PTU " + letter + ": ", TNX3Class::FormatAmount(value),
                     ptu::DisplayText(value) + legend);
    }
    return true;
}

bool RunPosts(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 8);
    if (!args.empty() && args.size() != 8)
        throw UsageError("Podaj osiem numerów stanowisk, rejestry 1 do 8.");
    for (const std::string& n : args)
        if (n.size() > 2 || StrToIntDef(n, -1) < 0 || n.find_first_not_of("0123456789") != std::string::npos)
            throw UsageError("Numer stanowiska to liczba od 0 do 99: " + n + ".");
    PostNumbers numbers;
    if (!args.empty()) {
        std::copy(args.begin(), args.end(), numbers.begin());
        return c.link.SetPostNumbers(numbers);
    }
    if (!c.link.GetPostNumbers(numbers))
        return false;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        c.result.AddNumber(
            "register" + std::to_string(i + 1),
            "Rejestr " + std::to_string(i + 1) + ", stanowisko nr: ", StrToIntDef(numbers[i], 0));
    return true;
}

bool RunParams(CliContext& c, const std::vector<std::string>& args) {
    if (!args.empty() && (args[0] != "set" || args.size() < 2))
        throw UsageError("Użycie: params set [kod=latin|mazovia] [separator=kropka|przecinek] "
                         "[raport=automatycznie|recznie] [potwierdzenia=tak|nie].");
    // Each named parameter: true/false; the others keep the printer's value.
    std::optional<bool> latin, comma, automatic, confirm;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        const std::string name = args[i].substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : args[i].substr(eq + 1);
        if (name == "kod")
            latin = Choice(value, "latin", "mazovia", name);
        else if (name == "separator")
            comma = Choice(value, "przecinek", "kropka", name);
        else if (name == "raport")
            automatic = Choice(value, "automatycznie", "recznie", name);
        else if (name == "potwierdzenia")
            confirm = Choice(value, "tak", "nie", name);
        else
            throw UsageError("Nieznany parametr " + name + ".");
    }
    DeviceStatus st;
    const bool ok = ReadStatus(c.link, st);
    // A parameter left unnamed keeps the printer's value: from a failed read it would be a zero that
    // resets it.
    if (!ok && !args.empty() && !(latin && comma && automatic && confirm)) {
        c.ui.ShowMessage("Nie odczytano parametrów kasy: nic nie zmieniono (niepodane parametry zostałyby "
                         "wyzerowane).",
                         MessageIcon::Error);
        return false;
    }
    latin = latin.value_or(st.status1 & 0x80);
    comma = comma.value_or(st.status2 & 0x80);
    automatic = automatic.value_or(st.status2 & 0x40);
    confirm = confirm.value_or(st.status2 & 0x01);
    if (args.empty()) {
        if (!ok)
            return false;
        c.result.Add("transmission", "Kod transmisji: ", *latin ? "Latin" : "Mazovia");
        c.result.Add("separator", "Separator: ", *comma ? "Przecinek" : "Kropka");
        c.result.Add("dailyReport",
                     "Tryb wykonywania raportu dobowego: ", *automatic ? "Automatycznie" : "Ręcznie");
        c.result.Add("confirmations",
                     "Tryb potwierdzeń: ", *confirm ? "Z potwierdzeniami" : "Bez potwierdzeń");
        c.result.Add("currency", "Bieżąca waluta: ", st.status1 & 0x01 ? "EURO" : "ZŁOTY");
        return true;
    }
    // Bit 0 of status byte 1 (the currency) is always sent as 0.
    const auto byte1 = static_cast<unsigned char>(*latin ? 0xA0 : 0x60);
    const auto byte2 = static_cast<unsigned char>(0x20 | (*comma ? 0x80 : 0) | (*automatic ? 0x40 : 0) |
                                                  (*confirm ? 0x01 : 0));
    const bool set = c.link.SetStatus(byte1, byte2);
    if (set)
        c.result.Add("message", "", "Parametry kasy zostały zmienione.");
    // The filters follow the transmission code now in force.
    c.link.DetectCodePage();
    return set;
}

bool RunWaitingTime(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 1);
    if (!args.empty())
        return c.link.SetWaitingTime(Minutes(args[0]));
    int minutes = 0;
    if (!c.link.GetWaitingTime(minutes))
        return false;
    c.result.AddNumber("minutes", "Czas oczekiwania na wydruk dokumentu (min.): ", minutes);
    return true;
}

bool RunTimeChange(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    if (args[0] != "+" && args[0] != "-")
        throw UsageError("Zmiana czasu: + (do przodu o 2:00) albo - (do tyłu o 3:00).");
    if (!c.link.MoveTime(args[0]))
        return false;
    c.result.Add(
        "message", "",
        args[0] == "+"
            ? "Polecenie wykonane. Wskazanie zegara zostanie zwiększone o jedną godzinę o godz. 2:00."
            : "Polecenie wykonane. Wskazanie zegara zostanie zmniejszone o jedną godzinę o godz. 3:00.");
    return true;
}

bool RunDateTime(CliContext& c, const std::vector<std::string>& args) {
    if (args.empty()) {
        ops::DeviceClock clock;
        if (!ops::ReadClock(c.link, clock))
            return false;
        c.result.Add(ops::Describe(clock));
        return true;
    }
    if (args[0] != "set" || args.size() < 2 || args.size() > 3)
        throw UsageError("Użycie: datetime set [RRRR-MM-DD] GG:MM:SS.");
    const std::string& time = args.back();
    if (time.size() != 8 || !Digits(time, {2, 5}, ':'))
        throw UsageError("Godzinę podaje się jako GG:MM:SS: " + time + ".");
    const std::string hhnnss = time.substr(0, 2) + time.substr(3, 2) + time.substr(6, 2);
    if (args.size() == 2) {
        if (!c.link.SetTime(hhnnss))
            return false;
        c.result.Add("message", "", "Godzina w kasie została ustawiona na nową wartość.");
        return true;
    }
    const std::string& date = args[1];
    if (date.size() != 10 || date.compare(0, 2, "20") != 0 || !Digits(date, {4, 7}, '-'))
        throw UsageError("Datę podaje się jako RRRR-MM-DD: " + date + ".");
    if (!c.link.SetDateTime(date.substr(2, 2) + date.substr(5, 2) + date.substr(8, 2) + hhnnss))
        return false;
    c.result.Add("message", "", "Data i godzina w kasie zostały ustawione na nową wartość.");
    return true;
}

bool RunHeader(CliContext& c, const std::vector<std::string>& args) {
    c.link.RemoveFilters();
    if (args.empty()) {
        std::vector<CliResult> lines;
        for (int n = 1; n <= kHeaderLines; ++n) {
            std::string text;
            bool wide = false, high = false;
            if (!c.link.ReadHeaderLineCmd(n, text, wide, high))
                return false;
            const std::string shown = FromMazovia(text, wide ? kWide : kNarrow);
            CliResult line;
            line.AddNumber("line", "", n);
            line.Add("text", "", shown);
            line.AddBool("wide", "", wide);
            line.AddBool("high", "", high);
            line.AddLine("Wiersz " + std::to_string(n) + ": " + shown + (wide ? " (szeroki)" : "") +
                         (high ? " (wysoki)" : ""));
            lines.push_back(line);
        }
        c.result.AddList("lines", lines);
        return true;
    }
    // header set [--wide N] [--high N] LINE1 [LINE2 [LINE3 [NIP-LINE]]]
    if (args[0] != "set")
        throw UsageError(
            "Użycie: header set [--wide N]... [--high N]... WIERSZ1 [WIERSZ2 [WIERSZ3 [WIERSZ_NIP]]].");
    std::array<bool, kHeaderLines> wide{}, high{};
    std::vector<std::string> lines;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--wide" || args[i] == "--high") {
            const int n = i + 1 < args.size() ? StrToIntDef(args[i + 1], 0) : 0;
            if (n < 1 || n > kHeaderLines)
                throw UsageError(args[i] + " wymaga numeru wiersza od 1 do 4.");
            (args[i] == "--wide" ? wide : high)[static_cast<std::size_t>(n - 1)] = true;
            ++i;
        } else {
            lines.push_back(args[i]);
        }
    }
    if (lines.empty() || lines.size() > kHeaderLines)
        throw UsageError("Nagłówek ma od 1 do 4 wierszy.");
    // Every line is checked whole, its characters and then its length, before the first is written.
    std::vector<std::string> mazovia;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string where = "Wiersz " + std::to_string(n + 1) + " nagłówka";
        mazovia.push_back(ToMazovia(lines[n], where));
        CheckLength(lines[n], where + (wide[n] ? " (szeroki)" : ""), wide[n] ? kWide : kNarrow);
    }
    for (std::size_t n = 0; n < lines.size(); ++n)
        if (!c.link.WriteHeaderLine(static_cast<int>(n + 1), mazovia[n], wide[n], high[n]))
            return false;
    c.result.Add("message", "", "Nagłówek zastał zapisany do drukarki.");
    return true;
}

bool RunFooter(CliContext& c, const std::vector<std::string>& args) {
    c.link.RemoveFilters();
    FooterLines lines;
    if (args.empty()) {
        if (!c.link.ReadFooter(lines))
            return false;
        for (std::size_t n = 0; n < lines.size(); ++n)
            c.result.Add("line" + std::to_string(n + 1), "Wiersz " + std::to_string(n + 1) + ": ",
                         FromMazovia(lines[n], kNarrow));
        return true;
    }
    if (args[0] != "set" || args.size() > lines.size() + 1)
        throw UsageError("Użycie: footer set WIERSZ1 [WIERSZ2 [WIERSZ3]].");
    for (std::size_t n = 0; n < lines.size(); ++n)
        lines[n] = n + 1 < args.size() ? ToMazovia(args[n + 1], "Wiersz " + std::to_string(n + 1) + " stopki")
                                       : std::string();
    for (std::size_t n = 1; n < args.size(); ++n)
        CheckLength(args[n], "Wiersz " + std::to_string(n) + " stopki", kNarrow);
    return c.link.WriteFooter(lines);
}

} // namespace nubra::cli
