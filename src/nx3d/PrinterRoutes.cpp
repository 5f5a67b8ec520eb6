// GET /printers and a printer's status: reads, answered when they end, in the printer's turn.
#include "Routes.h"
#include "StatusOps.h"
#include "TNX3Class.h"

namespace nubra::nx3d {

using nlohmann::json;

void Service::MountPrinterRoutes(Router& route) {
    route(
        "GET", "/api/v1/printers", "/api/v1/printers", "Drukarki usługi",
        [this](const httplib::Request&, httplib::Response& res) {
            json list = json::array();
            for (const auto& p : printers_) {
                json item = {{"id", p->Config().id}, {"device", p->Config().device}, {"online", p->Online()}};
                if (const std::string unique = p->UniqueNumber(); !unique.empty())
                    item["uniqueNumber"] = unique;
                if (!p->Busy().empty())
                    item["busy"] = p->Busy();
                if (const std::string error = p->LineError(); !error.empty())
                    item["error"] = error;
                list.push_back(item);
            }
            Answer(res, 200, list);
        });

    route("GET", "/api/v1/printers/{id}/status", "/api/v1/printers/" + kPrinterId + "/status",
          "Stan drukarki, rejestry i zegar", [this](const httplib::Request& req, httplib::Response& res) {
              Printer* p = PrinterOf(req, res);
              if (!p)
                  return;
              LinkOutcome out = p->OnLinkInTurn([p](TNX3Class& link, json& r) {
                  ops::StatusInfo info;
                  std::vector<ops::RegisterRow> rows;
                  ops::DeviceClock clock;
                  if (!ops::ReadStatusInfo(link, info) || !ops::ReadRegisters(link, rows) ||
                      !ops::ReadClock(link, clock))
                      return false;
                  p->SetUniqueNumber(ops::Dev(info.status.uniqueNo));
                  r["status"] = ops::ToJson(ops::Describe(info));
                  r["registers"] = json::array();
                  for (const auto& row : rows)
                      r["registers"].push_back(ops::ToJson(ops::Describe(row)));
                  r["datetime"] = ops::ToJson(ops::Describe(clock));
                  return true;
              });
              out.result["printer"] = p->Config().id;
              Answer(res, LinkStatus(out.state), out.result);
          });
}

} // namespace nubra::nx3d
