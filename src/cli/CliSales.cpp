// Sales: the transaction start, sales from a file of lines, the stored document, the currency exchange
// confirmation and the goods information. Transactions are in the native currency.
#include <algorithm>

#include "CliCommands.h"
#include "Numbers.h"
#include "RecordFile.h"

namespace nubra::cli {
namespace {

// Amounts, quantities and rates go to the printer in nine characters: 999999,99 or 9999,9999 at most.
constexpr std::int64_t kMaxAmount = 99999999, kMaxRate = 99999999;
constexpr std::int64_t kMaxPoints = 99999, kMaxPointsSum = 9999999999;
// The start adds 1,00 to the limit typed, as the program's start does.
constexpr std::int64_t kLimitMargin = 100;

int RegisterOption(std::vector<std::string>& args) {
    int reg = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--register")
            continue;
        reg = i + 1 < args.size() ? StrToIntDef(args[i + 1], 0) : 0;
        if (reg < 1 || reg > 8)
            throw UsageError("Rejestr to liczba od 1 do 8.");
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i + 2));
        break;
    }
    return reg;
}

std::int64_t Amount(const std::string& text, const std::string& what, std::int64_t maximum = kMaxAmount,
                    Rounding rounding = Rounding::HalfUp) {
    const std::optional<std::int64_t> value = ParseDecimal(text, 2, maximum, rounding);
    if (!value)
        throw UsageError(what + " musi być liczbą od 0 do " + TNX3Class::FormatAmount(maximum) + ": " + text +
                         ".");
    return *value;
}

std::int64_t Whole(const std::string& text, const std::string& what, std::int64_t maximum) {
    std::int64_t value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9' || value > maximum / 10)
            throw UsageError(what + " musi być liczbą całkowitą od 0 do " + std::to_string(maximum) + ".");
        value = value * 10 + (ch - '0');
    }
    if (text.empty() || value > maximum)
        throw UsageError(what + " musi być liczbą całkowitą od 0 do " + std::to_string(maximum) + ".");
    return value;
}

std::string Field(const Record& r, const std::string& name) {
    const auto it = r.find(name);
    return it == r.end() ? std::string() : it->second;
}

// The open transaction's number in the register; 0 when none is open.
int OpenTransaction(TNX3Class& link, int reg, bool& ok) {
    std::string tranNo, status, printFlag, lastSale, lastPtu;
    ok = link.GetRegInfo(reg, tranNo, status, printFlag, lastSale, lastPtu);
    return ok && status == "T" ? StrToIntDef(tranNo, 0) : 0;
}

SaleCustomer Customer(const Record& r) {
    return {ToDev(Field(r, "name1")), ToDev(Field(r, "name2")), ToDev(Field(r, "street")),
            ToDev(Field(r, "town")), ToDev(Field(r, "nip"))};
}

// One sale line of the file, checked whole before anything is sent.
struct SaleLine {
    SaleGoods goods;
    bool invoice = false;
    bool card = false;
    bool print = false;
    SalePayment payment{"G", "", "", "", "", "", ""};
    SaleCustomer customer;
    std::string loyaltyCard;
    std::optional<std::int64_t> points, pointsSum;
};

SaleLine ReadSaleLine(const Record& r, std::size_t number) {
    const std::string at = " (wiersz " + std::to_string(number) + ")";
    SaleLine s;
    s.goods.Name = ToDev(Field(r, "name"));
    s.goods.Ptu = ToDev(Field(r, "ptu"));
    if (s.goods.Name.empty() || s.goods.Ptu.size() != 1)
        throw UsageError("Wiersz sprzedaży potrzebuje nazwy (name) i litery stawki PTU (ptu)" + at + ".");
    s.goods.Quantity = Amount(Field(r, "quantity").empty() ? "1" : Field(r, "quantity"), "Ilość" + at);
    s.goods.Price = Amount(Field(r, "price"), "Cena" + at);
    const std::string document = Field(r, "document"), payment = Field(r, "payment");
    if (!document.empty() && document != "paragon" && document != "faktura")
        throw UsageError("Dokument to paragon albo faktura" + at + ".");
    if (!payment.empty() && payment != "gotowka" && payment != "karta")
        throw UsageError("Płatność to gotowka albo karta" + at + ".");
    s.invoice = document == "faktura";
    s.card = payment == "karta";
    s.print = Field(r, "print") == "tak";
    if (s.card)
        s.payment = {Field(r, "pin") == "tak" ? "P" : "K",
                     ToDev(Field(r, "cardnumber")),
                     ToDev(Field(r, "tid")),
                     ToDev(Field(r, "uid")),
                     ToDev(Field(r, "cardname")),
                     ToDev(Field(r, "validity")),
                     ToDev(Field(r, "code"))};
    if (s.invoice)
        s.customer = Customer(r);
    s.loyaltyCard = ToDev(Field(r, "loyaltycard"));
    if (!s.loyaltyCard.empty()) {
        s.points = Whole(Field(r, "points"), "Ilość punktów" + at, kMaxPoints);
        s.pointsSum = Whole(Field(r, "pointssum"), "Suma punktów" + at, kMaxPointsSum);
    }
    return s;
}

bool Sell(TNX3Class& link, int reg, int tranNo, const SaleLine& s) {
    if (s.invoice)
        return s.card ? link.SellInvoiceCard(reg, tranNo, "F", s.customer, s.goods, s.payment)
                      : link.SellInvoiceCash(reg, tranNo, "F", s.customer, s.goods, s.payment);
    return s.card ? link.SellReceiptCard(reg, tranNo, s.goods, s.payment)
                  : link.SellReceiptCash(reg, tranNo, s.goods, s.payment);
}

} // namespace

bool RunStart(CliContext& c, const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    const int reg = RegisterOption(args);
    std::int64_t limit = 0;
    // x 100 cut, as the start window takes its limit (0,299 is 0,29); the margin must fit the field too.
    if (args.size() == 2 && args[0] == "--limit")
        limit = Amount(args[1], "Limit", kMaxAmount - kLimitMargin, Rounding::Truncate);
    else
        ExpectArgs(args, 0, 0);
    int tranNo = 0;
    if (!c.link.StartTrans(reg, limit + kLimitMargin, tranNo))
        return false;
    c.result.AddNumber("register", "Rejestr: ", reg);
    c.result.AddNumber("transaction", "Numer transakcji: ", tranNo);
    return true;
}

bool RunSell(CliContext& c, const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    const int reg = RegisterOption(args);
    // --print: each stored document is printed after its sale, as the sale dialog's "Wydruk" does.
    const auto printAll = std::find(args.begin(), args.end(), "--print");
    const bool print = printAll != args.end();
    if (print)
        args.erase(printAll);
    ExpectArgs(args, 1, 1);
    std::vector<SaleLine> lines;
    for (const Record& record : ReadRecordFile(args[0])) {
        lines.push_back(ReadSaleLine(record, lines.size() + 1));
        lines.back().print = lines.back().print || print;
    }
    if (lines.empty())
        throw UsageError("Plik " + args[0] + " nie zawiera wierszy sprzedaży.");
    if (!c.link.DetectCodePage())
        return false;
    std::vector<CliResult> sold;
    for (const SaleLine& s : lines) {
        // Each line is one document: a transaction is started for it when none is open, with a limit
        // of its own value.
        bool ok = false;
        int tranNo = OpenTransaction(c.link, reg, ok);
        if (!ok)
            return false;
        if (tranNo == 0) {
            const std::int64_t value = (s.goods.Quantity * s.goods.Price + 99) / 100;
            if (!c.link.StartTrans(reg, value + kLimitMargin, tranNo))
                return false;
        }
        if (!s.loyaltyCard.empty() &&
            !c.link.SetLoyaltyInfo(reg, tranNo, s.loyaltyCard, *s.points, *s.pointsSum))
            return false;
        if (!Sell(c.link, reg, tranNo, s))
            return false;
        if (s.print && !c.link.PrintDoc(reg, tranNo))
            return false;
        CliResult line;
        line.AddNumber("transaction", "Transakcja ", tranNo);
        line.Add("name", "", Dev(s.goods.Name));
        line.Add("value", "wartość ", TNX3Class::FormatAmount((s.goods.Quantity * s.goods.Price + 50) / 100));
        sold.push_back(line);
    }
    c.result.AddList("sold", sold);
    return true;
}

bool RunPrintDocument(CliContext& c, const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    const int reg = RegisterOption(args);
    ExpectArgs(args, 0, 0);
    std::string tranNo, status, printFlag, lastSale, lastPtu;
    if (!c.link.GetRegInfo(reg, tranNo, status, printFlag, lastSale, lastPtu))
        return false;
    return c.link.PrintDoc(reg, StrToIntDef(tranNo, 0));
}

bool RunExchange(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    const std::vector<Record> records = ReadRecordFile(args[0]);
    if (records.size() != 1)
        throw UsageError("Plik wymiany dewiz zawiera jeden wiersz.");
    const Record& r = records[0];
    const int tranNo = static_cast<int>(Whole(Field(r, "transaction"), "Numer transakcji", 99999));
    const std::string amount = TNX3Class::FormatAmount(Amount(Field(r, "amount"), "Kwota"));
    const std::string value = TNX3Class::FormatAmount(Amount(Field(r, "value"), "Wartość"));
    // Four decimals, as the exchange window shows its rate: "4.3" goes as 0004,3000.
    const std::optional<std::int64_t> rate = ParseDecimal(Field(r, "rate"), 4, kMaxRate, Rounding::HalfUp);
    if (!rate)
        throw UsageError("Kurs musi być liczbą od 0 do " + TNX3Class::FormatRate(kMaxRate) + ": " +
                         Field(r, "rate") + ".");
    if (!c.link.DetectCodePage())
        return false;
    return c.link.ConfirmExchange(tranNo, Customer(r), amount, ToDev(Field(r, "currency")),
                                  TNX3Class::FormatRate(*rate), value);
}

bool RunGoodsInfo(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    const std::string name = ToDev(args[0], "Nazwa towaru");
    if (!c.link.DetectCodePage())
        return false;
    CommodInfo info;
    if (!c.link.GetCommodInfo(name, info))
        return false;
    c.result.Add("name", "Nazwa: ", args[0]);
    c.result.Add("ptuIndex", "Indeks PTU: ", Dev(info.PtuIndex));
    c.result.AddBool("rateChanged", "Była zmiana stawki: ", info.RateChanged == "T");
    c.result.Add("listIndicator", "Wskaźnik listy towarów: ", Dev(info.ListIndicator) + "%");
    c.result.Add("lastRate", "Ostatnia stawka: ", Dev(info.LastRate) + "%");
    return true;
}

} // namespace nubra::cli
