// Numbers on the command line and in sale files: amounts and rates with a decimal comma or dot.
#include <cctype>

#include "CliCommands.h"
#include "PtuRate.h"
#include "TNX3Class.h"

namespace nubra::cli {

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
