// VAT rates on the command line: "A=22", "B=7,5", "E=zw" (exempt), "G=-" (inactive).
#include <cctype>

#include "CliCommands.h"
#include "TNX3Class.h"

namespace nubra::cli {
namespace {

// Percent with at most two decimals, comma or dot: hundredths of a percent, or -1.
int PercentHundredths(const std::string& text) {
    long long whole = 0, fraction = 0;
    int fractionDigits = -1;
    for (char c : text) {
        if ((c == ',' || c == '.') && fractionDigits < 0) {
            fractionDigits = 0;
        } else if (std::isdigit(static_cast<unsigned char>(c)) && fractionDigits < 2) {
            if (fractionDigits < 0) {
                whole = whole * 10 + (c - '0');
                if (whole > 99)
                    return -1;
            } else {
                fraction = fraction * 10 + (c - '0');
                ++fractionDigits;
            }
        } else {
            return -1;
        }
    }
    if (text.empty() || text.front() == ',' || text.front() == '.')
        return -1;
    for (; fractionDigits < 2; fractionDigits = fractionDigits < 0 ? 1 : fractionDigits + 1)
        fraction *= 10;
    return static_cast<int>(whole * 100 + fraction);
}

} // namespace

std::array<int, 7> RatesFromArgs(const std::vector<std::string>& args, const PtuRates& current) {
    std::array<int, 7> rates{};
    for (std::size_t i = 0; i < rates.size(); ++i)
        rates[i] = TNX3Class::PtuRateValue(current[i]);
    for (const std::string& arg : args) {
        const std::size_t eq = arg.find('=');
        const char letter =
            arg.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(arg[0])));
        if (eq != 1 || letter < 'A' || letter > 'G')
            throw UsageError("Stawkę podaje się jako LITERA=PROCENT, np. A=23: " + arg + ".");
        const std::string value = arg.substr(2);
        int hundredths = -1;
        if (value == "-" || value == "nieaktywna")
            hundredths = TNX3Class::kInactiveRate;
        else if (value == "zw" || value == "zwolniona")
            hundredths = TNX3Class::kExemptRate;
        else
            hundredths = PercentHundredths(value);
        if (hundredths < 0)
            throw UsageError("Stawka " + std::string(1, letter) + " musi być liczbą od 0 do 99,99: " + value +
                             ".");
        rates[static_cast<std::size_t>(letter - 'A')] = hundredths;
    }
    return rates;
}

} // namespace nubra::cli
