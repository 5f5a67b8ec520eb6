// Fiscal and service operations.
#include "Nx3Device.h"

#include <cstdio>

namespace nubra::sim {

void Nx3Device::ServicePrint() {
    Accept();
    ExpectData(&Nx3Device::ServicePrintKind);
}

void Nx3Device::ServicePrintKind(const std::string& data) {
    if (data != "C") {
        SendCode("D2");
        return;
    }
    if (Finish())
        PrintControlPrintout();
}

void Nx3Device::PrintControlPrintout() {
    std::vector<std::string>& roll = state_.paperRoll;
    roll.push_back("WYDRUK KONTROLNY");
    static const char letters[] = "ABCDEFG";
    for (std::size_t i = 0; i < state_.vatRates.size(); ++i) {
        const int rate = state_.vatRates[i];
        char line[32];
        if (rate == 9999)
            std::snprintf(line, sizeof line, "PTU %c  nieaktywna", letters[i]);
        else if (rate == 9998)
            std::snprintf(line, sizeof line, "PTU %c  zwolniona", letters[i]);
        else
            std::snprintf(line, sizeof line, "PTU %c  %d,%02d %%", letters[i], rate / 100, rate % 100);
        roll.push_back(line);
    }
    // The header as the receipts will carry it.
    for (const HeaderLine& header : state_.header) {
        if (!header.text.empty())
            roll.push_back(header.text);
    }
}

} // namespace nubra::sim
