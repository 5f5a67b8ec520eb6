#pragma once
// A copy of a printer's settings: VAT rates, workstation numbers, the four parameters, the waiting
// time, the header lines with their wide and high flags and the footer, with the unique number and the
// time of reading. One key per setting; every value is kept as the user reads it (texts in UTF-8,
// converted from the device's code page), so comparing two copies is comparing texts.
//
// The file (*.nx3.json) is the flat JSON of FlatJson.h; a file that breaks it or holds a value the
// device cannot take is refused with the line and the reason.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "FlatJson.h"

namespace nubra {
class LinkUi;
class TNX3Class;
} // namespace nubra

namespace nubra::toolkit {

enum class SettingGroup { Rates, Posts, Params, WaitingTime, Header1, Header2, Header3, HeaderNip, Footer };
// How a value is stored: a rate "23,00" (or "nieaktywna", "zwolniona"), a whole number 0..99, one of
// the choices, a line of text, a flag "tak"/"nie".
enum class SettingKind { Rate, Number, Choice, Text, Flag };

struct SettingDef {
    std::string key;   // "ptu_A"
    std::string label; // "Stawka PTU A"
    SettingGroup group;
    SettingKind kind;
    std::vector<std::string> choices; // SettingKind::Choice: index 0 is the flag set in the status byte
};

// In the order of the file.
const std::vector<SettingDef>& SettingDefs();

struct SettingsSnapshot {
    std::string uniqueNo;
    std::string readAt; // "2026-12-08 19:30:12"
    std::map<std::string, std::string> values;
};

struct SettingDifference {
    std::string key;
    std::string label;
    std::string first; // as shown: "23,00 %", "tak", a header text
    std::string second;
};

std::vector<SettingDifference> CompareSnapshots(const SettingsSnapshot& first,
                                                const SettingsSnapshot& second);

std::string SnapshotToJson(const SettingsSnapshot& snapshot);
// A header or footer text the printer cannot take (a control byte, a character Mazovia lacks): the
// file is sound, its text is not, so nx3cli treats it as bad input rather than a damaged file.
class SnapshotTextError : public JsonError {
public:
    using JsonError::JsonError;
};

// Raises JsonError (FlatJson.h) for a damaged file or a value out of range, SnapshotTextError for text.
SettingsSnapshot SnapshotFromJson(std::string_view text);

// Reads every setting with the settings commands; false as soon as one is refused (the link has shown
// why). The code-page filters are installed again afterwards.
bool ReadSnapshot(TNX3Class& nx3, const std::string& readAt, SettingsSnapshot& snapshot);

// Writes the groups of the differences (VAT rates only withRates), each with its own command, in the
// order of the file; false at the first refusal. Messages the settings windows show after a write go
// go to ui. written: the labels of the groups written.
bool RestoreSnapshot(TNX3Class& nx3, LinkUi& ui, const SettingsSnapshot& file,
                     const std::vector<SettingDifference>& differences, bool withRates,
                     std::vector<std::string>& written);

} // namespace nubra::toolkit
