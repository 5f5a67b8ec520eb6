// Numbers on the command line and in sale files: amounts and rates with a decimal comma or dot.
#include <cctype>

#include "CliCommands.h"
#include "PtuRate.h"
#include "TNX3Class.h"

namespace nubra::cli {

std::optional<std::int64_t> ParseDecimal(const std::string& text, int decimals, std::int64_t maximum,
                                         Rounding rounding) {
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::size_t at = 0;
    std::int64_t whole = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        whole = whole * 10 + (text[at] - '0');
        if (whole > maximum / scale)
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
    // Exact: the digits beyond `decimals` round half up or are cut, never through a binary fraction.
    fraction.resize(static_cast<std::size_t>(decimals) + 1, '0');
    std::int64_t value = whole;
    for (int i = 0; i < decimals; ++i)
        value = value * 10 + (fraction[static_cast<std::size_t>(i)] - '0');
    if (rounding == Rounding::HalfUp && fraction[static_cast<std::size_t>(decimals)] >= '5')
        ++value;
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
            hundredths = ptu::ParseTyped(value).value_or(-1);
        if (hundredths < 0)
            throw UsageError(ptu::Refusal(letter, value));
        rates[static_cast<std::size_t>(letter - 'A')] = hundredths;
    }
    return rates;
}

} // namespace nubra::cli
