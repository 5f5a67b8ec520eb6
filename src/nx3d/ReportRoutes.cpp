// Reports: those that print are jobs of the journal; the periodic transfer is a read, as text.
#include "JobKinds.h"
#include "OpsError.h"
#include "Routes.h"
#include "StatusOps.h"
#include "TNX3Class.h"

namespace nubra::nx3d {

using nlohmann::json;

void Service::MountReportRoutes(Router& route) {
    route(
        "POST", "/api/v1/printers/{id}/reports/{report}",
        "/api/v1/printers/" + kPrinterId + "/reports/([a-z-]+)",
        "Raport: daily, periodic, monthly, constant, goods-list, settlement (potwierdzane wymagają confirm)",
        [this](const httplib::Request& req, httplib::Response& res) {
            std::optional<JobRequest> r = JobRequestOf(req, res, true);
            if (!r)
                return;
            r->body["report"] = std::string(req.matches[2]);
            try {
                ReportFromJson(r->body);
            } catch (const ops::InvalidRequest& e) {
                return Fail(res, e.field == "report" ? 404 : 400, e.what(), e.field);
            }
            SubmitJob(*r->printer, "report", r->body, r->wait, r->since, res);
        });

    route("GET", "/api/v1/printers/{id}/reports/periodic",
          "/api/v1/printers/" + kPrinterId + "/reports/periodic",
          "Raport okresowy przesłany jako tekst (from, to: RRRR-MM-DD albo nrNNNN)",
          [this](const httplib::Request& req, httplib::Response& res) {
              Printer* p = PrinterOf(req, res);
              if (!p)
                  return;
              std::string from = "000000", to = "000000";
              try {
                  if (req.has_param("from") != req.has_param("to"))
                      throw ops::InvalidRequest(
                          req.has_param("from") ? "to" : "from",
                          "Podaj oba końce zakresu, from i to, albo żaden (cały okres pracy).");
                  if (req.has_param("from")) {
                      from = ops::RangeValue(req.get_param_value("from"), "from");
                      to = ops::RangeValue(req.get_param_value("to"), "to");
                  }
              } catch (const ops::InvalidRequest& e) {
                  return Fail(res, 400, e.what(), e.field);
              }
              std::vector<std::string> lines;
              const LinkOutcome out = p->OnLinkInTurn(
                  [&](TNX3Class& link, json&) { return ops::TransferPeriodic(link, from, to, lines); });
              if (out.state != JobState::Done)
                  return Answer(res, LinkStatus(out.state), out.result);
              std::string text;
              for (const std::string& line : lines)
                  text += ops::Dev(line) + "\n";
              res.set_content(text, "text/plain; charset=utf-8");
          });
}

} // namespace nubra::nx3d
