#pragma once
// What a person has done to the printer's hardware: the paper, the cover, the power, and a failure
// armed for one command. The device consults it before it runs a command and shows it in the lamps
// of "I6". It is not part of the state file: paper and cover stay as they are across a restart.
#include <optional>
#include <string>

#include "DeviceState.h"

namespace nubra::sim {

enum class Paper { In, NearEnd, Out };

struct OperatorState {
    Paper paper = Paper::In;
    bool coverOpen = false;
    bool powerOff = false;
    // The next run of this command gets `failReply` in place of its first answer; an empty reply
    // means no answer at all. No command when empty.
    std::string failCommand;
    std::string failReply;

    // The answer the hardware forces on the command `code` in place of "I1": nullopt when the command
    // may run, an empty text when it gets no answer. An armed failure is used up.
    std::optional<std::string> Refusal(const std::string& code);
    // The lamps "Kasa gotowa", "Papier" and "Ruch papieru" as the hardware lights them.
    void ShowLamps(ExtendedStatus& lamps) const;
};

// The commands that put something on paper (or begin a document that will).
bool PrintsOnPaper(const std::string& code);

const char* PaperName(Paper paper);

} // namespace nubra::sim
