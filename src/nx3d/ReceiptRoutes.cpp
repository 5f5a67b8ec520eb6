// POST /printers/{id}/receipts: exactly once per client sale id.
#include "OpsError.h"
#include "Routes.h"
#include "SaleOps.h"

namespace nubra::nx3d {

using nlohmann::json;

void Service::MountReceiptRoutes(Router& route) {
    route("POST", "/api/v1/printers/{id}/receipts", "/api/v1/printers/" + kPrinterId + "/receipts",
          "Paragon albo faktura, dokładnie raz na identyfikator sprzedaży",
          [this](const httplib::Request& req, httplib::Response& res) {
              const std::optional<JobRequest> r = JobRequestOf(req, res);
              if (!r)
                  return;
              const json& body = r->body;
              const auto id = body.find("id");
              if (id == body.end() || !id->is_string() || id->get<std::string>().empty() ||
                  id->get<std::string>().size() > 64)
                  return Fail(res, 400, "Pole id (identyfikator sprzedaży) to tekst od 1 do 64 znaków.",
                              "id");
              try {
                  ops::SaleFromJson(body);
              } catch (const ops::InvalidRequest& e) {
                  return Fail(res, 400, e.what(), e.field);
              }
              Job job;
              job.printer = r->printer->Config().id;
              job.kind = "receipt";
              job.clientId = id->get<std::string>();
              job.body = body.dump();
              bool inserted = false;
              const Job stored = journal_.Insert(job, inserted);
              if (!inserted && stored.body != job.body)
                  return Fail(res, 409, "Sprzedaż " + job.clientId + " jest już w dzienniku z inną treścią.",
                              "id");
              if (inserted || stored.state == JobState::NotSent) {
                  // Nothing of a not-sent job reached the printer: the same sale may go again.
                  if (!inserted)
                      journal_.SetState(stored.id, JobState::Queued);
                  Enqueue(*r->printer, stored.id);
              }
              AnswerJob(res, stored.id, r->wait, r->since);
          });
}

} // namespace nubra::nx3d
