#pragma once
// The printer's state as the main window shows it: status bytes and their meaning, the registers,
// the clock. Each result describes itself as labelled fields, which nx3cli prints as text or JSON and
// nx3d answers as JSON, under the same keys.
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "TNX3Class.h"

namespace nubra::ops {

// One field of a result: key (JSON), label (the start of a plain line), the value.
struct ResultField {
    enum class Kind { Text, Number, Bool } kind = Kind::Text;
    std::string key;
    std::string label;
    std::string text;  // UTF-8; the number's digits; "tak"/"nie"
    std::string plain; // the plain line's words when they differ from text ("22,00 %")
    long long number = 0;
    bool flag = false;
};
using ResultFields = std::vector<ResultField>;
ResultField TextField(std::string key, std::string label, std::string text);
ResultField NumberField(std::string key, std::string label, long long number);
ResultField BoolField(std::string key, std::string label, bool flag);
nlohmann::json ToJson(const ResultFields& fields);

// Status bytes, unique number and tax number, read by the method the program chooses for the printer
// type.
struct DeviceStatus {
    std::string uniqueNo, nip; // device bytes
    unsigned char status1 = 0, status2 = 0;
};
bool ReadStatus(TNX3Class& link, DeviceStatus& status);

struct StatusInfo {
    DeviceStatus status;
    std::string unprinted, ready, presenter, paper, paperMove; // device bytes of the extended status
};
bool ReadStatusInfo(TNX3Class& link, StatusInfo& info);
ResultFields Describe(const StatusInfo& info);

struct RegisterRow {
    int reg = 0;
    std::string tranNo, status, printFlag, lastSale, lastPtu; // device bytes
};
bool ReadRegisters(TNX3Class& link, std::vector<RegisterRow>& rows);
ResultFields Describe(const RegisterRow& row);

struct DeviceClock {
    std::string date, time; // "2026-12-09", "07:30:00"
};
bool ReadClock(TNX3Class& link, DeviceClock& clock);
ResultFields Describe(const DeviceClock& clock);

// A device text field for people: Windows-1250 to UTF-8.
std::string Dev(const std::string& cp1250);

} // namespace nubra::ops
