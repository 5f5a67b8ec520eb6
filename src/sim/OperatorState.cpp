#include "OperatorState.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace nubra::sim {
namespace {

// "X203EC-Brak papieru." and "X203ED-Podniesiona głowica." (the cover lifts the head);
// "I9-Rozkaz nie może być wykonany ponieważ papier jest na wyczerpaniu...".
constexpr const char* kNoPaper = "X203EC";
constexpr const char* kHeadUp = "X203ED";
constexpr const char* kPaperNearEnd = "I9";

} // namespace

bool PrintsOnPaper(const std::string& code) {
    // A sale line only stores its document; "PB" prints it. "R2" sends its report down the line.
    static constexpr std::array<std::string_view, 12> kPrinting = {"PC", "PB", "PA", "Q3", "ET", "EF",
                                                                   "X1", "Z1", "Z2", "R1", "R9", "T3"};
    return std::find(kPrinting.begin(), kPrinting.end(), code) != kPrinting.end();
}

const char* PaperName(Paper paper) {
    switch (paper) {
    case Paper::NearEnd:
        return "near-end";
    case Paper::Out:
        return "out";
    case Paper::In:
        break;
    }
    return "in";
}

std::optional<std::string> OperatorState::Refusal(const std::string& code) {
    if (!failCommand.empty() && failCommand == code) {
        failCommand.clear();
        return std::exchange(failReply, {});
    }
    if (!PrintsOnPaper(code))
        return std::nullopt;
    if (coverOpen)
        return kHeadUp;
    if (paper == Paper::Out)
        return kNoPaper;
    // With the paper nearly gone no new receipt is begun; one already open may still be printed.
    if (paper == Paper::NearEnd && code == "PC")
        return kPaperNearEnd;
    return std::nullopt;
}

void OperatorState::ShowLamps(ExtendedStatus& lamps) const {
    lamps.paperNearEnd = paper != Paper::In;
    lamps.paperMoving = paper != Paper::Out && !coverOpen;
    lamps.ready = lamps.paperMoving;
}

} // namespace nubra::sim
