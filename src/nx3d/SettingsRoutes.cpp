// A printer's settings as the toolkit's snapshot: read, and put back writing only what differs (a job).
#include "JobKinds.h"
#include "OpsError.h"
#include "Routes.h"

namespace nubra::nx3d {

using nlohmann::json;

void Service::MountSettingsRoutes(Router& route) {
    route("GET", "/api/v1/printers/{id}/settings", "/api/v1/printers/" + kPrinterId + "/settings",
          "Ustawienia drukarki jako kopia (JSON narzędzi technika)",
          [this](const httplib::Request& req, httplib::Response& res) {
              Printer* p = PrinterOf(req, res);
              if (!p)
                  return;
              std::string text;
              const LinkOutcome out = p->OnLinkInTurn([&](TNX3Class& link, json&) {
                  toolkit::SettingsSnapshot snapshot;
                  if (!toolkit::ReadSnapshot(link, NowText(), snapshot))
                      return false;
                  text = toolkit::SnapshotToJson(snapshot);
                  return true;
              });
              if (out.state != JobState::Done)
                  return Answer(res, LinkStatus(out.state), out.result);
              res.set_content(text, "application/json; charset=utf-8");
          });

    route("PUT", "/api/v1/printers/{id}/settings", "/api/v1/printers/" + kPrinterId + "/settings",
          "Przywraca ustawienia z kopii: zapisuje tylko to, co się różni (stawki VAT tylko z \"withVat\": "
          "true)",
          [this](const httplib::Request& req, httplib::Response& res) {
              const std::optional<JobRequest> r = JobRequestOf(req, res);
              if (!r)
                  return;
              try {
                  SettingsFromJson(r->body);
              } catch (const ops::InvalidRequest& e) {
                  return Fail(res, 400, e.what(), e.field);
              }
              // A write changes the device, so it is a job of the journal like a report.
              SubmitJob(*r->printer, "settings", r->body, r->wait, r->since, res);
          });
}

} // namespace nubra::nx3d
