#include "JobKinds.h"

#include <chrono>
#include <ctime>

#include "LinkUi.h"
#include "OpsError.h"
#include "SaleOps.h"
#include "TNX3Class.h"

namespace nubra::nx3d {

using nlohmann::json;

ops::ReportRequest ReportFromJson(const json& body) {
    ops::ReportRequest r;
    if (!ops::ReportFromName(body.value("report", ""), r.kind))
        throw ops::InvalidRequest("report", "Nieznany raport " + body.value("report", "") + ".");
    const auto text = [&](const char* key) {
        const auto it = body.find(key);
        if (it == body.end() || it->is_null())
            return std::string();
        if (!it->is_string())
            throw ops::InvalidRequest(key, std::string("Pole ") + key + " musi być tekstem.");
        return it->get<std::string>();
    };
    if (ops::NeedsConfirmation(r.kind) && body.value("confirm", false) != true)
        throw ops::InvalidRequest("confirm", "Ten raport wymaga potwierdzenia: \"confirm\": true.");
    const std::string from = text("from"), to = text("to");
    if (from.empty() != to.empty())
        throw ops::InvalidRequest(from.empty() ? "from" : "to",
                                  "Podaj oba końce zakresu, from i to, albo żaden (cały okres pracy).");
    if (!from.empty()) {
        r.from = ops::RangeValue(from, "from");
        r.to = ops::RangeValue(to, "to");
    }
    if (r.kind == ops::ReportKind::Monthly)
        r.month = ops::MonthValue(text("month"), "month");
    r.summary = body.value("summary", false) == true;
    return r;
}

SettingsRequest SettingsFromJson(json body) {
    SettingsRequest r;
    r.withVat = body.value("withVat", false) == true;
    body.erase("withVat");
    try {
        r.saved = toolkit::SnapshotFromJson(body.dump());
    } catch (const std::exception& e) {
        throw ops::InvalidRequest("body", e.what());
    }
    return r;
}

LinkWork JobWork(const Job& job, std::function<void(int)> started) {
    const json body = json::parse(job.body);
    if (job.kind == "report")
        return
            [report = ReportFromJson(body)](TNX3Class& link, json&) { return ops::RunReport(link, report); };
    if (job.kind == "settings")
        return [request = SettingsFromJson(body)](TNX3Class& link, json& result) {
            toolkit::SettingsSnapshot device;
            if (!toolkit::ReadSnapshot(link, NowText(), device))
                return false;
            // The messages the settings windows show after a write: nobody reads them in a service.
            SilentLinkUi messages;
            std::vector<std::string> written;
            const bool ok = toolkit::RestoreSnapshot(link, messages, request.saved,
                                                     toolkit::CompareSnapshots(request.saved, device),
                                                     request.withVat, written);
            result["written"] = written;
            if (request.saved.uniqueNo != device.uniqueNo)
                result["otherPrinter"] = request.saved.uniqueNo;
            return ok;
        };
    return [sale = ops::SaleFromJson(body), started = std::move(started)](TNX3Class& link, json& result) {
        if (!link.DetectCodePage())
            return false;
        ops::SaleResult sold;
        const bool ok = ops::RunSale(link, sale, sold, started);
        if (sold.transaction) {
            result["register"] = sold.reg;
            result["transaction"] = sold.transaction;
            result["value"] = TNX3Class::FormatAmount(sold.value);
        }
        return ok;
    };
}

std::string NowText() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char text[32];
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

} // namespace nubra::nx3d
