// Device settings: VAT rates, workstation numbers, parameters, waiting time, clock, header and footer.
#include "CliCommands.h"
#include "TNX3Class.h"

namespace nubra::cli {

bool RunVat(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    PtuRates rates;
    if (!c.link.GetPtu(rates))
        return false;
    for (std::size_t i = 0; i < rates.size(); ++i) {
        const std::string letter(1, static_cast<char>('A' + i));
        const int value = TNX3Class::PtuRateValue(rates[i]);
        const std::string legend = value == TNX3Class::kInactiveRate ? " - nieaktywna"
                                   : value == TNX3Class::kExemptRate ? " - zwolniona"
                                                                     : "";
        const std::string percent = TNX3Class::FormatAmount(value);
        c.result.Add(letter, "PTU " + letter + ": ", percent, percent + " %" + legend);
    }
    return true;
}

} // namespace nubra::cli
