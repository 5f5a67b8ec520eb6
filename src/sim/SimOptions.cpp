#include "SimOptions.h"

#include "OptionValues.h"

#include <cctype>
#include <charconv>

namespace nubra::sim {
namespace {

bool ParseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= 0;
}

} // namespace

bool IsReplyCode(const std::string& code) {
    if (code.size() == 2)
        return true;
    if (code.size() != 6 || !code.starts_with("X2"))
        return false;
    for (std::size_t i = 2; i < 6; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(code[i])) ||
            std::islower(static_cast<unsigned char>(code[i])))
            return false;
    return true;
}

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& given, std::string& error) {
    const std::vector<std::string> args = SplitOptionValues(given);
    SimOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "brak wartości opcji " + a;
                return false;
            }
            out = args[++i];
            return true;
        };
        auto number = [&](std::optional<int>& out) {
            std::string text;
            int n = 0;
            if (!value(text))
                return false;
            if (!ParseInt(text, n)) {
                error = "opcja " + a + " wymaga liczby: " + text;
                return false;
            }
            out = n;
            return true;
        };
        auto code = [&](std::optional<std::string>& out) {
            std::string text;
            if (!value(text))
                return false;
            if (!IsReplyCode(text)) {
                error = "niepoprawny kod odpowiedzi: " + text;
                return false;
            }
            out = text;
            return true;
        };
        auto text = [&](std::optional<std::string>& out) {
            std::string t;
            if (!value(t))
                return false;
            out = t;
            return true;
        };
        bool ok = true;
        if (a == "-h" || a == "--help")
            o.help = true;
        else if (a == "--version")
            o.version = true;
        else if (a == "--link")
            ok = value(o.linkPath);
        else if (a == "--roll")
            ok = value(o.rollFile);
        else if (a == "--state")
            ok = value(o.stateFile);
        else if (a == "--control")
            ok = value(o.controlPath);
        else if (a == "--line-rate")
            o.lineRate = true;
        else if (a == "--read-only")
            o.readOnly = true;
        else if (a == "--transaction-timeout")
            ok = number(o.transactionTimeout);
        else if (a == "--unique")
            ok = text(o.uniqueNumber);
        else if (a == "--nip")
            ok = text(o.nip);
        else if (a == "--latin")
            o.latin = true;
        else if (a == "--error-number")
            ok = number(o.errorNumber);
        else if (a == "--info-w")
            ok = text(o.infoW);
        else if (a == "--noise")
            o.noise = true;
        else if (a == "--bad-checksum")
            o.badChecksum = true;
        else if (a == "--silence")
            o.silence = true;
        else if (a == "--delay-ms")
            ok = number(o.delayMs);
        else if (a == "--error")
            ok = code(o.errorCode);
        else if (a == "--error-closing")
            ok = code(o.closingErrorCode);
        else if (a == "--hangup")
            ok = number(o.hangUpAfter);
        else if (a == "--stream")
            o.stream = true;
        else {
            error = "nieznana opcja: " + a;
            ok = false;
        }
        if (!ok)
            return std::nullopt;
    }
    if (o.errorCode && o.closingErrorCode) {
        // One refusal is armed at a time.
        error = "opcje --error i --error-closing wykluczają się";
        return std::nullopt;
    }
    return o;
}

std::string SimHelp() {
    return "nx3sim: emulator drukarki fiskalnej NX-3 E na pseudoterminalu.\n"
           "Wypisuje ścieżkę portu (slave) i działa do SIGINT/SIGTERM.\n"
           "\n"
           "  --link ŚCIEŻKA        dowiązanie symboliczne do portu (usuwane na końcu)\n"
           "  --roll PLIK           dopisuje do pliku wiersze wydrukowane na rolce\n"
           "  --state PLIK          stan urządzenia wczytany z pliku i zapisywany po każdej zmianie\n"
           "  --line-rate           odpowiedzi w tempie łącza 9600 bodów, raporty drukowane\n"
           "                        z prędkością drukarki (jak prawdziwa drukarka)\n"
           "Stan urządzenia:\n"
           "  --unique NUMER        numer unikatowy (3 litery i cyfry), np. ABC12345678\n"
           "  --nip NIP             NIP właściciela (14 znaków)\n"
           "  --latin               kod transmisji Latin (IBM 852) zamiast Mazovii\n"
           "  --error-number N      numer ostatniego błędu (\"I3\")\n"
           "  --info-w TEKST        odpowiedź na \"ES\" \"W\" (pozycje 5-7: liczba)\n"
           "  --read-only           stan 'TYLKO ODCZYT' (raport rozliczeniowy możliwy, dobowy nie)\n"
           "  --transaction-timeout S\n"
           "                        transakcja otwarta dłużej niż S sekund zostaje anulowana,\n"
           "                        następna sprzedaż w rejestrze dostaje \"D4\" (domyślnie bez limitu)\n"
           "Błędy dla następnego rozkazu (SIGUSR1 ustawia je ponownie):\n"
           "  --noise               śmieci przed pierwszą ramką odpowiedzi\n"
           "  --bad-checksum        błędna suma kontrolna pierwszej ramki odpowiedzi\n"
           "  --silence             brak odpowiedzi na rozkaz\n"
           "  --delay-ms N          odpowiedź opóźniona o N ms (powyżej 2025: brak komunikacji)\n"
           "  --error KOD           KOD zamiast \"I1\" (dwa znaki lub X2 i cztery cyfry szesnastkowe)\n"
           "  --error-closing KOD   KOD zamiast końcowego \"D1\"\n"
           "  --hangup K            linia zamyka się po K bajtach odpowiedzi (potem nowy port)\n"
           "  --stream              niekończący się strumień bajtów bez ramki (SIGUSR2 go zatrzymuje)\n"
           "Zegar urządzenia:\n"
           "  data przed ostatnim raportem dobowym (\"E2\") jest odrzucana kodem \"D3\"\n"
           "  zmiana czasu (\"K2\") następuje, gdy zegar dojdzie do 2:00 (+) lub 3:00 (-);\n"
           "  ustawienie zegara ponad tę godzinę jej nie wykonuje, czeka ona do następnej\n"
           "  -h, --help            ta pomoc\n"
           "  --version             wersja programu\n"
           "Każdą opcję z wartością można też podać jako --opcja=wartość.\n";
}

void ApplyState(const SimOptions& o, DeviceState& state) {
    if (o.uniqueNumber)
        state.uniqueNumber = *o.uniqueNumber;
    if (o.nip)
        state.nip = *o.nip;
    if (o.latin)
        state.status1 =
            static_cast<unsigned char>((state.status1 | status1::kLatin) & ~status1::kMazoviaMark);
    if (o.errorNumber)
        state.errorNumber = *o.errorNumber;
    if (o.infoW)
        state.infoW = *o.infoW;
    if (o.readOnly)
        state.readOnly = true;
    if (o.transactionTimeout)
        state.transactionTimeoutSeconds = *o.transactionTimeout;
    // A device at the line's pace also takes a printer's time to print its reports.
    if (o.lineRate)
        state.printLineMs = kPrintLineMs;
}

void ArmFaults(const SimOptions& o, Nx3Device& device) {
    if (o.noise)
        device.InjectNoise(Nx3Device::DefaultNoise());
    if (o.badChecksum)
        device.CorruptChecksum();
    if (o.silence)
        device.SilenceNextCommand();
    if (o.delayMs)
        device.DelayFrame(std::chrono::milliseconds(*o.delayMs));
    if (o.errorCode)
        device.FailNextCommand(*o.errorCode, FailAt::Command);
    else if (o.closingErrorCode)
        device.FailNextCommand(*o.closingErrorCode, FailAt::Closing);
    if (o.hangUpAfter)
        device.HangUpInFrame(static_cast<std::size_t>(*o.hangUpAfter));
    if (o.stream)
        device.StartEndlessStream();
}

} // namespace nubra::sim
