#include "SaleOps.h"

#include <nlohmann/json.hpp>

#include "Numbers.h"
#include "OpsError.h"
#include "OpsNumbers.h"

namespace nubra::ops {
namespace {

// Amounts and quantities go to the printer in nine characters: 999999,99 at most.
constexpr std::int64_t kMaxAmount = 99999999;
constexpr std::int64_t kMaxPoints = 99999, kMaxPointsSum = 9999999999;
// A transaction is started with 1,00 over its limit, as the program's start does.
constexpr std::int64_t kLimitMargin = 100;

std::string Get(const Fields& f, const std::string& key) {
    const auto it = f.find(key);
    return it == f.end() ? std::string() : it->second;
}

} // namespace

SaleRequest SaleFromFields(const Fields& r, const std::string& at,
                           const std::function<std::string(const std::string&)>& fieldName) {
    const auto name = [&](const std::string& key) { return fieldName ? fieldName(key) : key; };
    const auto text = [&](const std::string& key) { return ToDevice(Get(r, key), name(key), "Argument"); };
    SaleRequest s;
    s.goods.Name = text("name");
    s.goods.Ptu = text("ptu");
    if (s.goods.Name.empty() || s.goods.Ptu.size() != 1)
        throw InvalidRequest(name(s.goods.Name.empty() ? "name" : "ptu"),
                             "Wiersz sprzedaży potrzebuje nazwy (name) i litery stawki PTU (ptu)" + at + ".");
    const std::string quantity = Get(r, "quantity");
    s.goods.Quantity = Amount(quantity.empty() ? "1" : quantity, name("quantity"), "Ilość" + at, kMaxAmount);
    s.goods.Price = Amount(Get(r, "price"), name("price"), "Cena" + at, kMaxAmount);
    const std::string document = Get(r, "document"), payment = Get(r, "payment");
    if (!document.empty() && document != "paragon" && document != "faktura")
        throw InvalidRequest(name("document"), "Dokument to paragon albo faktura" + at + ".");
    if (!payment.empty() && payment != "gotowka" && payment != "karta")
        throw InvalidRequest(name("payment"), "Płatność to gotowka albo karta" + at + ".");
    s.invoice = document == "faktura";
    s.card = payment == "karta";
    s.print = Get(r, "print") == "tak";
    if (s.card)
        s.payment = {Get(r, "pin") == "tak" ? "P" : "K",
                     text("cardnumber"),
                     text("tid"),
                     text("uid"),
                     text("cardname"),
                     text("validity"),
                     text("code")};
    if (s.invoice)
        s.customer = {text("name1"), text("name2"), text("street"), text("town"), text("nip")};
    s.loyaltyCard = text("loyaltycard");
    if (!s.loyaltyCard.empty()) {
        s.points = Whole(Get(r, "points"), name("points"), "Ilość punktów" + at, kMaxPoints);
        s.pointsSum = Whole(Get(r, "pointssum"), name("pointssum"), "Suma punktów" + at, kMaxPointsSum);
    }
    return s;
}

namespace {

using nlohmann::json;

// A body's scalar as the text a sale file would hold: strings as they are, numbers written out
// (whole ones only: a binary fraction is not an amount), booleans as "tak"/"nie".
std::string Scalar(const json& v, const std::string& path) {
    if (v.is_string())
        return v.get<std::string>();
    if (v.is_number_integer())
        return v.dump();
    if (v.is_boolean())
        return v.get<bool>() ? "tak" : "nie";
    if (v.is_null())
        return "";
    throw InvalidRequest(path, "Pole " + path + " musi być tekstem.");
}

const json& Object(const json& body, const std::string& key) {
    static const json empty = json::object();
    const auto it = body.find(key);
    if (it == body.end() || it->is_null())
        return empty;
    if (!it->is_object())
        throw InvalidRequest(key, "Pole " + key + " musi być obiektem.");
    return *it;
}

// Sale-file keys of each object of the body, and where they sit in it.
struct Place {
    const char* object; // "" for the body itself, "lines[0]" for the goods line
    const char* key;    // in the body
    const char* field;  // in a sale file
};
constexpr Place kPlaces[] = {
    {"", "document", "document"},
    {"", "print", "print"},
    {"lines[0]", "name", "name"},
    {"lines[0]", "ptu", "ptu"},
    {"lines[0]", "quantity", "quantity"},
    {"lines[0]", "price", "price"},
    {"customer", "name1", "name1"},
    {"customer", "name2", "name2"},
    {"customer", "street", "street"},
    {"customer", "town", "town"},
    {"customer", "nip", "nip"},
    {"payment", "cardnumber", "cardnumber"},
    {"payment", "tid", "tid"},
    {"payment", "uid", "uid"},
    {"payment", "cardname", "cardname"},
    {"payment", "validity", "validity"},
    {"payment", "code", "code"},
    {"payment", "pin", "pin"},
    {"loyalty", "card", "loyaltycard"},
    {"loyalty", "points", "points"},
    {"loyalty", "pointsSum", "pointssum"},
};

} // namespace

SaleRequest SaleFromJson(const json& body) {
    if (!body.is_object())
        throw InvalidRequest("", "Treść żądania musi być obiektem JSON.");
    const auto lines = body.find("lines");
    if (lines == body.end() || !lines->is_array() || lines->size() != 1 || !(*lines)[0].is_object())
        throw InvalidRequest("lines",
                             "Pole lines musi zawierać jeden wiersz sprzedaży: drukarka przyjmuje jeden "
                             "towar na dokument.");
    Fields fields;
    std::map<std::string, std::string> paths;
    for (const Place& p : kPlaces) {
        const std::string object = p.object;
        const json& from = object.empty() ? body : object == "lines[0]" ? (*lines)[0] : Object(body, object);
        const std::string path = object.empty() ? p.key : object + "." + p.key;
        paths[p.field] = path;
        const auto it = from.find(p.key);
        if (it != from.end())
            fields[p.field] = Scalar(*it, path);
    }
    const json& payment = Object(body, "payment");
    paths["payment"] = "payment.type";
    const std::string type = payment.contains("type") ? Scalar(payment["type"], "payment.type") : "cash";
    if (type != "cash" && type != "card")
        throw InvalidRequest("payment.type", "Płatność to cash albo card.");
    fields["payment"] = type == "card" ? "karta" : "gotowka";

    SaleRequest sale = SaleFromFields(fields, "", [&](const std::string& key) { return paths[key]; });
    if (body.contains("register")) {
        const json& reg = body["register"];
        if (!reg.is_number_integer() || reg.get<long long>() < 1 || reg.get<long long>() > 8)
            throw InvalidRequest("register", "Rejestr to liczba od 1 do 8.");
        sale.reg = reg.get<int>();
    }
    return sale;
}

int OpenTransaction(TNX3Class& link, int reg, bool& ok) {
    std::string tranNo, status, printFlag, lastSale, lastPtu;
    ok = link.GetRegInfo(reg, tranNo, status, printFlag, lastSale, lastPtu);
    return ok && status == "T" ? StrToIntDef(tranNo, 0) : 0;
}

bool RunSale(TNX3Class& link, const SaleRequest& s, SaleResult& result,
             const std::function<void(int)>& started) {
    bool ok = false;
    int tranNo = OpenTransaction(link, s.reg, ok);
    if (!ok)
        return false;
    if (tranNo == 0) {
        const std::int64_t limit = (s.goods.Quantity * s.goods.Price + 99) / 100;
        if (!link.StartTrans(s.reg, limit + kLimitMargin, tranNo))
            return false;
    }
    result = {s.reg, tranNo, s.Value()};
    if (started)
        started(tranNo);
    if (!s.loyaltyCard.empty() && !link.SetLoyaltyInfo(s.reg, tranNo, s.loyaltyCard, *s.points, *s.pointsSum))
        return false;
    bool sold = false;
    if (s.invoice)
        sold = s.card ? link.SellInvoiceCard(s.reg, tranNo, "F", s.customer, s.goods, s.payment)
                      : link.SellInvoiceCash(s.reg, tranNo, "F", s.customer, s.goods, s.payment);
    else
        sold = s.card ? link.SellReceiptCard(s.reg, tranNo, s.goods, s.payment)
                      : link.SellReceiptCash(s.reg, tranNo, s.goods, s.payment);
    if (!sold)
        return false;
    return !s.print || link.PrintDoc(s.reg, tranNo);
}

bool ReadRegister(TNX3Class& link, int reg, RegisterState& state) {
    std::string tranNo, status, printFlag, lastSale, lastPtu;
    if (!link.GetRegInfo(reg, tranNo, status, printFlag, lastSale, lastPtu))
        return false;
    state.transaction = StrToIntDef(tranNo, 0);
    state.open = status == "T";
    state.documentWaiting = printFlag == "T";
    state.lastSale = lastSale;
    return true;
}

bool SaleOnDevice(const RegisterState& state, const SaleResult& sale) {
    std::string last = state.lastSale;
    last.erase(0, last.find_first_not_of(' '));
    last.erase(last.find_last_not_of(' ') + 1);
    const auto value = ParseDecimal(last, 2, INT64_MAX / 10, Rounding::HalfUp);
    return state.transaction == sale.transaction && !state.open && value && *value == sale.value;
}

} // namespace nubra::ops
