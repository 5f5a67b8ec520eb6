#pragma once
// The kinds of job the journal keeps (receipt, report, settings): each body is checked whole by the
// route before it is journaled, and read again by the worker when the job's turn comes, so a job left
// queued by a stopped service runs the same way after the restart.
#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "Journal.h"
#include "Printer.h"
#include "ReportOps.h"
#include "SettingsSnapshot.h"

namespace nubra::nx3d {

// A report's body: {"confirm", "from", "to", "month", "summary"}; the report's name is in "report".
// Raises ops::InvalidRequest naming the field ("report" when there is no such report).
ops::ReportRequest ReportFromJson(const nlohmann::json& body);

// A settings body: the toolkit's snapshot, and "withVat" to write the rates too. Raises
// ops::InvalidRequest naming "body".
struct SettingsRequest {
    toolkit::SettingsSnapshot saved;
    bool withVat = false;
};
SettingsRequest SettingsFromJson(nlohmann::json body);

// What a job does on the link, from its journaled body. started hears a sale's transaction number
// as soon as the device gave it.
LinkWork JobWork(const Job& job, std::function<void(int)> started);

// The local time as the snapshots record it.
std::string NowText();

} // namespace nubra::nx3d
