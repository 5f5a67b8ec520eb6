#include "PtuRate.h"

#include <cstdio>

namespace nubra::ptu {

double Percent(int hundredths) {
    return hundredths / 100.0;
}

std::string HundredthsText(double percent) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", percent * 100);
    return text;
}

std::string DisplayText(int hundredths) {
    const int magnitude = hundredths < 0 ? -hundredths : hundredths;
    char text[32];
    std::snprintf(text, sizeof text, "%s%d,%02d %%", hundredths < 0 ? "-" : "", magnitude / 100,
                  magnitude % 100);
    return text;
}

} // namespace nubra::ptu
