// A job's state, and the resolution of an unknown receipt against the register.
#include "Routes.h"
#include "SaleOps.h"
#include "StatusOps.h"
#include "TNX3Class.h"

namespace nubra::nx3d {

using nlohmann::json;

void Service::MountJobRoutes(Router& route) {
    route("GET", "/api/v1/jobs/{job}", "/api/v1/jobs/([0-9]{1,18})", "Stan zadania",
          [this](const httplib::Request& req, httplib::Response& res) {
              const std::optional<Job> job = journal_.Get(std::stoll(req.matches[1]));
              if (!job)
                  return Fail(res, 404, "Nie ma zadania " + std::string(req.matches[1]) + ".");
              Answer(res, 200, JobJson(*job));
          });

    route("POST", "/api/v1/jobs/{job}/resolve", "/api/v1/jobs/([0-9]{1,18})/resolve",
          "Ustala z rejestru kasy, czy paragon o nieznanym wyniku jest w kasie",
          [this](const httplib::Request& req, httplib::Response& res) {
              const std::optional<Job> job = journal_.Get(std::stoll(req.matches[1]));
              if (!job)
                  return Fail(res, 404, "Nie ma zadania " + std::string(req.matches[1]) + ".");
              Printer* p = Find(job->printer);
              if (job->state != JobState::Unknown || !p)
                  return Fail(res, 409, "Wynik zadania " + std::to_string(job->id) + " jest znany.");
              if (job->kind != "receipt")
                  return Fail(res, 409,
                              "Rejestr kasy zna tylko paragony: wynik zadania " + std::to_string(job->id) +
                                  " sprawdź na drukarce.");
              p->RunInTurn([&] {
                  const ops::SaleRequest sale = ops::SaleFromJson(json::parse(job->body));
                  if (job->transaction == 0) {
                      // The transaction was never started, so the sale never went out.
                      journal_.SetState(
                          job->id, JobState::NotSent,
                          json{{"resolved", true}, {"error", "Sprzedaż nie dotarła do kasy."}}.dump());
                      return;
                  }
                  ops::RegisterState reg;
                  const ops::SaleResult expected{sale.reg, job->transaction, sale.Value()};
                  bool printed = false;
                  const LinkOutcome out = p->OnLink([&](TNX3Class& link, json&) {
                      if (!ops::ReadRegister(link, sale.reg, reg))
                          return false;
                      if (sale.print && reg.documentWaiting && ops::SaleOnDevice(reg, expected)) {
                          // The sale is in the register and its document still waits: the print is
                          // all that is left of the job, and the device prints a waiting document once.
                          if (!link.PrintDoc(sale.reg, job->transaction))
                              return false;
                          printed = true;
                          reg.documentWaiting = false;
                      }
                      return true;
                  });
                  if (out.state != JobState::Done)
                      return;
                  json result = json::parse(job->result, nullptr, false);
                  if (!result.is_object())
                      result = json::object();
                  result["register"] = sale.reg;
                  result["transaction"] = job->transaction;
                  result["value"] = TNX3Class::FormatAmount(sale.Value());
                  result["registerState"] = {{"transaction", reg.transaction},
                                             {"open", reg.open},
                                             {"documentWaiting", reg.documentWaiting},
                                             {"lastSale", ops::Dev(reg.lastSale)}};
                  if (ops::SaleOnDevice(reg, expected)) {
                      result["resolved"] = true;
                      if (printed)
                          result["printed"] = true;
                      result.erase("error");
                      journal_.SetState(job->id, JobState::Done, result.dump());
                  } else if (reg.transaction == job->transaction && reg.open) {
                      result["resolved"] = true;
                      result["error"] = "Sprzedaż nie dotarła do kasy: transakcja jest otwarta.";
                      journal_.SetState(job->id, JobState::NotSent, result.dump());
                  } else {
                      result["error"] = "Rejestr kasy przeszedł do innej transakcji: sprawdź rolkę "
                                        "kontrolną.";
                      journal_.SetState(job->id, JobState::Unknown, result.dump());
                  }
              });
              JobChanged(job->id);
              const Job now = *journal_.Get(job->id);
              Answer(res, HttpStatus(now.state), JobJson(now));
          });
}

} // namespace nubra::nx3d
