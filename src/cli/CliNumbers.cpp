// Numbers on the command line and in sale files: amounts and rates with a decimal comma or dot.
#include <cctype>

#include "CliCommands.h"
#include "TNX3Class.h"

namespace nubra::cli {
namespace {} // namespace

std::optional<std::int64_t> ParseHundredths(const std::string& text, std::int64_t maximum) {
    std::size_t at = 0;
    std::int64_t whole = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        whole = whole * 10 + (text[at] - '0');
        if (whole > maximum / 100)
            return std::nullopt;
    }
    if (at == 0)
        return std::nullopt;
    std::string fraction;
    if (at < text.size() && (text[at] == ',' || text[at] == '.')) {
        fraction = text.substr(at + 1);
        if (fraction.empty() || fraction.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
    } else if (at != text.size()) {
        return std::nullopt;
    }
    // Exact: the third decimal and beyond round half up.
    fraction += "000";
    std::int64_t value =
        whole * 100 + (fraction[0] - '0') * 10 + (fraction[1] - '0') + (fraction[2] >= '5' ? 1 : 0);
    return value <= maximum ? std::optional<std::int64_t>(value) : std::nullopt;
}

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
            // Two decimals at most: a rate is hundredths of a percent.
            hundredths =
                value.find_first_of(",.") != std::string::npos && value.size() - value.find_first_of(",.") > 3
                    ? -1
                    : static_cast<int>(ParseHundredths(value, 9999).value_or(-1));
        if (hundredths < 0)
            throw UsageError("Stawka " + std::string(1, letter) + " musi być liczbą od 0 do 99,99: " + value +
                             ".");
        rates[static_cast<std::size_t>(letter - 'A')] = hundredths;
    }
    return rates;
}

} // namespace nubra::cli
