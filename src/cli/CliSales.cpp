// Sales: the transaction start, sales from a file of lines, the stored document, the currency exchange
// confirmation and the goods information. Transactions are in the native currency.
#include <algorithm>

#include "CliCommands.h"
#include "Numbers.h"
#include "RecordFile.h"
#include "SaleOps.h"

namespace nubra::cli {
namespace {

// Amounts, quantities and rates go to the printer in nine characters: 999999,99 or 9999,9999 at most.
constexpr std::int64_t kMaxAmount = 99999999, kMaxRate = 99999999;
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
    return Checked([&] { return ops::Amount(text, what, what, maximum, rounding); });
}

std::int64_t Whole(const std::string& text, const std::string& what, std::int64_t maximum) {
    return Checked([&] { return ops::Whole(text, what, what, maximum); });
}

std::string Field(const Record& r, const std::string& name) {
    const auto it = r.find(name);
    return it == r.end() ? std::string() : it->second;
}

SaleCustomer Customer(const Record& r) {
    return {ToDev(Field(r, "name1")), ToDev(Field(r, "name2")), ToDev(Field(r, "street")),
            ToDev(Field(r, "town")), ToDev(Field(r, "nip"))};
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
    std::vector<ops::SaleRequest> lines;
    for (const Record& record : ReadRecordFile(args[0])) {
        const std::string at = " (wiersz " + std::to_string(lines.size() + 1) + ")";
        lines.push_back(Checked([&] { return ops::SaleFromFields(record, at); }));
        lines.back().reg = reg;
        lines.back().print = lines.back().print || print;
    }
    if (lines.empty())
        throw UsageError("Plik " + args[0] + " nie zawiera wierszy sprzedaży.");
    if (!c.link.DetectCodePage())
        return false;
    std::vector<CliResult> sold;
    for (const ops::SaleRequest& s : lines) {
        // Each line is one document: a transaction is started for it when none is open, with a limit
        // of its own value.
        ops::SaleResult done;
        if (!ops::RunSale(c.link, s, done))
            return false;
        CliResult line;
        line.AddNumber("transaction", "Transakcja ", done.transaction);
        line.Add("name", "", Dev(s.goods.Name));
        line.Add("value", "wartość ", TNX3Class::FormatAmount(done.value));
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
