// Device settings: VAT rates, workstation numbers, parameters, waiting time, clock, header and footer.
#include "DataFields.h"
#include "TNX3Class.h"

#include <cctype>
#include <cstdlib>

namespace nubra {
namespace {

constexpr std::size_t kRate = 4; // "D4": seven rates A..G

} // namespace

int TNX3Class::PtuRateValue(const std::string& field) {
    // Blanks in front are the device's own padding (" 700"); anything else that is not a whole
    // number reads as an inactive rate, so writing the rates back cannot turn it into 1 %.
    std::size_t at = 0;
    while (at < field.size() && field[at] == ' ')
        ++at;
    if (at == field.size())
        return kInactiveRate;
    int value = 0;
    for (; at < field.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(field[at])))
            return kInactiveRate;
        value = value * 10 + (field[at] - '0');
    }
    return value;
}

bool TNX3Class::GetPtu(PtuRates& rates) {
    std::string data;
    if (Query("D4", data)) {
        DataFields f(data);
        for (std::string& rate : rates)
            rate = f.Take(kRate);
    }
    return CheckReply("D4", LastReply());
}

} // namespace nubra
