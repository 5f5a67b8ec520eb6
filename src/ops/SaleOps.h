#pragma once
// One sale document: a goods line with its payment, customer and loyalty data, checked whole before
// anything is sent, whether it came from a line of a sale file or from a request body.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "TNX3Class.h"

namespace nubra::ops {

// Field name (lower case, as in sale files) -> UTF-8 text.
using Fields = std::map<std::string, std::string>;

struct SaleRequest {
    int reg = 1;
    SaleGoods goods; // device bytes
    bool invoice = false;
    bool card = false;
    bool print = false;
    SalePayment payment{"G", "", "", "", "", "", ""};
    SaleCustomer customer;
    std::string loyaltyCard;
    std::optional<std::int64_t> points, pointsSum;

    // The line's value in hundredths, rounded as the printer rounds it.
    std::int64_t Value() const { return (goods.Quantity * goods.Price + 50) / 100; }
};

// The keys of a sale file's line; `at` follows the subject in messages (" (wiersz 2)"), and
// `fieldName` turns a key into the name an InvalidRequest carries.
SaleRequest SaleFromFields(const Fields& fields, const std::string& at,
                           const std::function<std::string(const std::string&)>& fieldName = {});
// A receipt body: {"register", "document": "paragon"|"faktura", "customer": {...}, "lines": [one
// line], "payment": {"type": "cash"|"card", ...}, "loyalty": {...}, "print"}. The fields go through
// SaleFromFields; an InvalidRequest names them by their place in the body ("lines[0].price").
SaleRequest SaleFromJson(const nlohmann::json& body);

struct SaleResult {
    int reg = 0;
    int transaction = 0;
    std::int64_t value = 0;
};

// Starts a transaction when none is open in the register (with the line's value as its limit), sends
// the loyalty data, the sale and the print. `started` hears the transaction number before the sale
// goes out. False: the printer refused (the link has shown why).
bool RunSale(TNX3Class& link, const SaleRequest& sale, SaleResult& result,
             const std::function<void(int)>& started = {});

// The open transaction's number in the register; 0 when none is open.
int OpenTransaction(TNX3Class& link, int reg, bool& ok);

// The register's state: where a sale whose outcome is unknown is looked for.
struct RegisterState {
    int transaction = 0;
    bool open = false;
    bool documentWaiting = false;
    std::string lastSale; // as the printer gives it
};
bool ReadRegister(TNX3Class& link, int reg, RegisterState& state);

// Whether a sale whose reply was lost is on the device: its transaction is no longer open and the
// register's last sale is its value.
bool SaleOnDevice(const RegisterState& state, const SaleResult& sale);

} // namespace nubra::ops
