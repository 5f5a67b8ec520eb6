#include "PtuRate.h"

#include <cmath>
#include <cstdio>

namespace nubra::ptu {

double Percent(int hundredths) {
    return hundredths / 100.0;
}

int Hundredths(double percent) {
    return static_cast<int>(std::lround(percent * 100.0));
}

std::string HundredthsText(double percent) {
    return std::to_string(Hundredths(percent));
}

std::string DisplayText(int hundredths) {
    const int magnitude = hundredths < 0 ? -hundredths : hundredths;
    char text[32];
    std::snprintf(text, sizeof text, "%s%d,%02d %%", hundredths < 0 ? "-" : "", magnitude / 100,
                  magnitude % 100);
    return text;
}

} // namespace nubra::ptu
