// Settings: VAT rates, workstation numbers, parameters, waiting time, clock, header and footer.
#include "Nx3Device.h"

#include <cstdio>

namespace nubra::sim {

void Nx3Device::VatRatesQuery() {
    std::string data;
    for (int rate : state_.vatRates) {
        char field[8];
        std::snprintf(field, sizeof field, "%4d", rate);
        data += field;
    }
    Accept();
    SendFrame(data);
    Finish();
}

} // namespace nubra::sim
