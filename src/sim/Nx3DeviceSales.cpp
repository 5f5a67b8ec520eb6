// Sales: transactions in the eight registers, the sale commands, stored documents, currency payment,
// loyalty data, the currency exchange confirmation and the goods list. Printed text is Windows-1250.
#include "Nx3Device.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace nubra::sim {
namespace {

constexpr int kInactive = 9999;
constexpr int kExempt = 9998;
constexpr std::size_t kStartLength = 10, kPrintLength = 6, kCurrencyLength = 31, kLoyaltyLength = 41;
constexpr std::size_t kExchangeLength = 235, kGoodsInfoLength = 40;
// The widest amounts the device keeps: a sale line (9 characters, as "I7" reports it) and a
// totalizer (11 characters, as "T2" reports it); past them it refuses with "D3".
constexpr std::int64_t kLineMax = 99999999, kTotalizerMax = 9999999999;

// Consecutive fixed-width fields of a data frame whose length was checked.
class Fields {
public:
    explicit Fields(const std::string& data) : data_(data) {}
    std::string Take(std::size_t width) {
        const std::string field = data_.substr(std::min(at_, data_.size()), width);
        at_ += width;
        return field;
    }
    char TakeChar() { return Take(1).c_str()[0]; }

private:
    const std::string& data_;
    std::size_t at_ = 0;
};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Digits only, spaces or zeros in front allowed.
std::optional<std::int64_t> Whole(const std::string& field) {
    const std::string t = Trim(field);
    if (t.empty() || t.size() > 12 || t.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(t);
}

// A non-negative amount with `decimals` digits after a comma (or a dot): "000012,50", "    51,00".
std::optional<std::int64_t> Fixed(const std::string& field, std::size_t decimals) {
    const std::string t = Trim(field);
    const std::size_t sep = t.find_first_of(",.");
    if (sep == std::string::npos || t.size() - sep - 1 != decimals)
        return std::nullopt;
    const auto whole = Whole(t.substr(0, sep));
    const auto fraction = Whole(t.substr(sep + 1));
    if (!whole || !fraction)
        return std::nullopt;
    std::int64_t scale = 1;
    for (std::size_t i = 0; i < decimals; ++i)
        scale *= 10;
    return *whole * scale + *fraction;
}

std::string Decimal(std::int64_t value, int decimals) {
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    char text[64];
    std::snprintf(text, sizeof text, "%lld,%0*lld", static_cast<long long>(value / scale), decimals,
                  static_cast<long long>(value % scale));
    return text;
}

std::string Digits5(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%05d", value % 100000);
    return text;
}

int LetterIndex(char letter) {
    return letter >= 'A' && letter <= 'G' ? letter - 'A' : -1;
}

bool RegisterDigit(char digit) {
    return digit >= '1' && digit <= '8';
}

bool IsSale(const std::string& code) {
    return code == "PD" || code == "P0" || code == "LB" || code == "L0";
}

std::string RateText(int rate) {
    return rate == kExempt ? std::string("zw.") : Decimal(rate, 2) + "%";
}

} // namespace

std::string Nx3Device::NativeCurrency() const {
    std::string code = state_.currentCurrency;
    code.erase(code.find_last_not_of(' ') + 1);
    return code.empty() ? "PLN" : code;
}

void Nx3Device::CancelTimedOutTransactions(std::int64_t now) {
    const int limit = state_.transactionTimeoutSeconds;
    if (limit <= 0)
        return;
    for (std::size_t i = 0; i < state_.registers.size(); ++i) {
        TransactionRegister& r = state_.registers[i];
        if (r.status != 'T' || now - r.startedAt < limit)
            continue;
        r.status = 'N';
        r.timedOut = true;
        ++state_.totalizers.cancelledReceipts;
        state_.sales[i].currencyPayment.clear();
        state_.sales[i].loyalty.clear();
        state_.paperRoll.push_back("TRANSAKCJA " + Digits5(r.transactionNumber) + " ANULOWANA");
    }
}

TransactionRegister* Nx3Device::OpenRegister(char digit, const std::string* tranNo) {
    if (!RegisterDigit(digit)) {
        SendCode("D2");
        return nullptr;
    }
    TransactionRegister& r = state_.registers[static_cast<std::size_t>(digit - '1')];
    // The sale that comes too late is told why its transaction is gone.
    if (r.status != 'T' && r.timedOut && IsSale(command_)) {
        r.timedOut = false;
        SendCode("D4");
        return nullptr;
    }
    if (r.status != 'T') {
        SendCode("DE");
        return nullptr;
    }
    if (tranNo && Whole(*tranNo) != r.transactionNumber) {
        SendCode("A0");
        return nullptr;
    }
    return &r;
}

void Nx3Device::StartTransaction() {
    Accept();
    ExpectData(&Nx3Device::StartTransactionData);
}

void Nx3Device::StartTransactionData(const std::string& data) {
    Fields f(data);
    const char digit = f.TakeChar();
    const auto limit = Fixed(f.Take(9), 2);
    if (data.size() != kStartLength || !RegisterDigit(digit) || !limit) {
        SendCode("D2");
        return;
    }
    TransactionRegister& r = state_.registers[static_cast<std::size_t>(digit - '1')];
    if (r.status == 'T') {
        SendCode("D4");
        return;
    }
    if (std::all_of(state_.vatRates.begin(), state_.vatRates.end(),
                    [](int rate) { return rate == kInactive; })) {
        SendCode("A5");
        return;
    }
    if (!Finish())
        return;
    state_.lastTransactionNumber = state_.lastTransactionNumber % 99999 + 1;
    r.transactionNumber = state_.lastTransactionNumber;
    r.status = 'T';
    r.startedAt = DeviceSeconds();
    r.timedOut = false;
    RegisterSale& sale = state_.sales[static_cast<std::size_t>(digit - '1')];
    sale.limit = *limit;
    sale.currencyPayment.clear();
    sale.loyalty.clear();
    SendFrame(std::to_string(r.transactionNumber));
}

void Nx3Device::Sale() {
    Accept();
    ExpectData(&Nx3Device::SaleData);
}

void Nx3Device::SaleData(const std::string& raw) {
    const bool invoice = command_ == "LB" || command_ == "L0";
    const bool card = command_ == "P0" || command_ == "L0";
    const std::size_t length = (invoice ? 287 : 86) + (card ? 53 : 0);
    const std::string data = FromDeviceText(raw, CodePage());
    Fields f(data);
    const char digit = f.TakeChar();
    const std::string tranNo = f.Take(5);
    std::vector<std::string> customer;
    bool wellFormed = data.size() == length;
    if (invoice) {
        wellFormed = wellFormed && f.TakeChar() == 'F';
        for (int i = 0; i < 5; ++i)
            customer.push_back(Trim(f.Take(40)));
    }
    const std::string name = Trim(f.Take(40));
    const char letter = f.TakeChar();
    const auto quantity = Fixed(f.Take(9), 2);
    const auto price = Fixed(f.Take(9), 2);
    const char payment = f.TakeChar();
    const std::string cardNumber = Trim(f.Take(20));
    f.Take(card ? 8 + 15 : 0); // TID and UID are not printed
    const std::string cardName = card ? Trim(f.Take(16)) : std::string();

    if (!wellFormed) {
        SendCode("D2");
        return;
    }
    TransactionRegister* r = OpenRegister(digit, &tranNo);
    if (!r)
        return;
    if (state_.ramError) {
        SendCode("D6");
        return;
    }
    const int index = LetterIndex(letter);
    const bool paymentKnown = card ? payment == 'P' || payment == 'K' : payment == 'G';
    if (!quantity || !price || !paymentKnown) {
        SendCode("D2");
        return;
    }
    Totalizers& totals = state_.totalizers;
    if (*quantity == 0) {
        // "Anuluj transakcję": a line of quantity zero ends the transaction without a document. The
        // receipt it cancels held the goods it names, one of them at its price.
        if (*price > kLineMax || totals.cancelledAmount + *price > kTotalizerMax) {
            SendCode("D3");
            return;
        }
        if (Finish()) {
            r->status = 'N';
            ++totals.cancelledReceipts;
            totals.cancelledAmount += *price;
            state_.paperRoll.push_back("TRANSAKCJA " + Digits5(r->transactionNumber) + " ANULOWANA");
        }
        return;
    }
    if (index < 0 || state_.vatRates[static_cast<std::size_t>(index)] == kInactive || name.empty()) {
        SendCode("D2");
        return;
    }
    const std::int64_t gross = (*quantity * *price + 50) / 100;
    if (gross > kLineMax || totals.grossSales[static_cast<std::size_t>(index)] + gross > kTotalizerMax) {
        SendCode("D3");
        return;
    }
    RegisterSale& sale = state_.sales[static_cast<std::size_t>(digit - '1')];
    if (gross > sale.limit) {
        SendCode("E0");
        return;
    }
    const int rate = state_.vatRates[static_cast<std::size_t>(index)];
    auto known = std::find_if(state_.goods.begin(), state_.goods.end(),
                              [&](const SoldGoods& g) { return g.name == name; });
    if (known != state_.goods.end() && known->letter != letter) {
        const int before = state_.vatRates[static_cast<std::size_t>(LetterIndex(known->letter))];
        const auto effective = [](int vat) { return vat == kExempt || vat == kInactive ? 0 : vat; };
        if (known->rateChanged && effective(rate) > effective(before)) {
            SendCode("DB");
            return;
        }
    }
    if (known == state_.goods.end() && state_.goods.size() >= DeviceState::kGoodsCapacity) {
        SendCode("DF");
        return;
    }
    if (!Finish())
        return;

    if (known == state_.goods.end()) {
        state_.goods.push_back({name, letter, false});
    } else if (known->letter != letter) {
        known->letter = letter;
        known->rateChanged = true;
    }
    const std::int64_t vat = rate == kExempt ? 0 : (gross * rate * 2 + (10000 + rate)) / (2 * (10000 + rate));
    totals.grossSales[static_cast<std::size_t>(index)] += gross;
    ++totals.receiptCount;
    state_.dayGross[static_cast<std::size_t>(index)] += gross;
    ++state_.dayReceipts;

    std::vector<std::string>& doc = sale.document;
    doc.clear();
    if (invoice) {
        doc.push_back("FAKTURA VAT NR " + Digits5(r->transactionNumber));
        for (const std::string& line : customer)
            if (!line.empty())
                doc.push_back(line);
    } else {
        doc.push_back("PARAGON FISKALNY");
    }
    doc.push_back(name);
    doc.push_back("  " + Decimal(*quantity, 2) + " x " + Decimal(*price, 2) + " = " + Decimal(gross, 2) +
                  " " + letter);
    doc.push_back("SUMA " + NativeCurrency() + " " + Decimal(gross, 2));
    doc.push_back(std::string("PTU ") + letter + " " + RateText(rate) + " " + Decimal(vat, 2));
    doc.push_back(card ? "KARTA " + cardName + " " + cardNumber : std::string("GOT\xD3WKA"));
    if (!sale.currencyPayment.empty())
        doc.push_back(sale.currencyPayment);
    if (!sale.loyalty.empty())
        doc.push_back(sale.loyalty);
    doc.push_back("REJESTR " + std::string(1, digit) + " TRANSAKCJA " + Digits5(r->transactionNumber));

    r->status = 'N';
    r->documentWaiting = true;
    r->lastSale = gross;
    r->lastSaleVat = vat;
}

void Nx3Device::PrintDocument() {
    Accept();
    ExpectData(&Nx3Device::PrintDocumentData);
}

void Nx3Device::PrintDocumentData(const std::string& data) {
    const char digit = data.empty() ? '\0' : data[0];
    const auto tranNo = Whole(data.substr(std::min<std::size_t>(1, data.size())));
    if (data.size() != kPrintLength || !RegisterDigit(digit) || !tranNo) {
        SendCode("D2");
        return;
    }
    TransactionRegister& r = state_.registers[static_cast<std::size_t>(digit - '1')];
    if (!r.documentWaiting) {
        SendCode("D2");
        return;
    }
    if (*tranNo != r.transactionNumber) {
        SendCode("A0");
        return;
    }
    if (!Finish())
        return;
    const std::vector<std::string>& doc = state_.sales[static_cast<std::size_t>(digit - '1')].document;
    state_.paperRoll.insert(state_.paperRoll.end(), doc.begin(), doc.end());
    r.documentWaiting = false;
}

void Nx3Device::CurrencyPayment() {
    Accept();
    ExpectData(&Nx3Device::CurrencyPaymentData);
}

void Nx3Device::CurrencyPaymentData(const std::string& raw) {
    const std::string data = FromDeviceText(raw, CodePage());
    Fields f(data);
    const char digit = f.TakeChar();
    const std::string currency = Trim(f.Take(3));
    const auto amount = Fixed(f.Take(9), 2);
    const auto rate = Fixed(f.Take(9), 4);
    const auto native = Fixed(f.Take(9), 2);
    if (data.size() != kCurrencyLength) {
        SendCode("D2");
        return;
    }
    TransactionRegister* r = OpenRegister(digit, nullptr);
    if (!r)
        return;
    if (!amount || !rate || !native) {
        SendCode("D2");
        return;
    }
    // A currency is three capital letters, and not the one the device keeps its accounts in.
    if (currency.size() != 3 ||
        currency.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos ||
        currency == NativeCurrency()) {
        SendCode("D2");
        return;
    }
    RegisterSale& sale = state_.sales[static_cast<std::size_t>(digit - '1')];
    if (!sale.currencyPayment.empty()) {
        SendCode("DF");
        return;
    }
    if (Finish()) {
        sale.currencyPayment = "WP\xA3"
                               "ATA " +
                               currency + " " + Decimal(*amount, 2) + " KURS " + Decimal(*rate, 4) + " = " +
                               Decimal(*native, 2) + " " + NativeCurrency();
    }
}

void Nx3Device::LoyaltyInfo() {
    Accept();
    ExpectData(&Nx3Device::LoyaltyInfoData);
}

void Nx3Device::LoyaltyInfoData(const std::string& raw) {
    const std::string data = FromDeviceText(raw, CodePage());
    Fields f(data);
    const char digit = f.TakeChar();
    const std::string tranNo = f.Take(5);
    const std::string cardNumber = Trim(f.Take(20));
    const auto points = Whole(f.Take(5));
    const auto sum = Whole(f.Take(10));
    if (data.size() != kLoyaltyLength) {
        SendCode("D2");
        return;
    }
    TransactionRegister* r = OpenRegister(digit, &tranNo);
    if (!r)
        return;
    if (!points || !sum || cardNumber.empty()) {
        SendCode("D2");
        return;
    }
    if (Finish()) {
        state_.sales[static_cast<std::size_t>(digit - '1')].loyalty =
            "KARTA LOJALNO\x8C"
            "CIOWA " +
            cardNumber + " PUNKTY " + std::to_string(*points) + " SUMA " + std::to_string(*sum);
    }
}

void Nx3Device::ExchangeConfirmation() {
    Accept();
    ExpectData(&Nx3Device::ExchangeConfirmationData);
}

void Nx3Device::ExchangeConfirmationData(const std::string& raw) {
    const std::string data = FromDeviceText(raw, CodePage());
    Fields f(data);
    const auto tranNo = Whole(f.Take(5));
    std::vector<std::string> customer;
    for (int i = 0; i < 5; ++i)
        customer.push_back(Trim(f.Take(40)));
    const auto amount = Fixed(f.Take(9), 2);
    const std::string currency = Trim(f.Take(3));
    const auto rate = Fixed(f.Take(9), 4);
    const auto value = Fixed(f.Take(9), 2);
    if (data.size() != kExchangeLength || !tranNo || !amount || !rate || !value || currency.empty()) {
        SendCode("D2");
        return;
    }
    if (!Finish())
        return;
    std::vector<std::string>& roll = state_.paperRoll;
    roll.push_back("POTWIERDZENIE WYMIANY WALUT NR " + Digits5(static_cast<int>(*tranNo)));
    for (const std::string& line : customer)
        if (!line.empty())
            roll.push_back(line);
    roll.push_back("SKUP " + currency + " " + Decimal(*amount, 2) + " KURS " + Decimal(*rate, 4));
    roll.push_back("WARTO\x8C\xC6 " + Decimal(*value, 2) + " " + NativeCurrency());
}

void Nx3Device::GoodsInfo() {
    Accept();
    ExpectData(&Nx3Device::GoodsInfoData);
}

void Nx3Device::GoodsInfoData(const std::string& raw) {
    if (state_.ramError) {
        SendCode("D6");
        return;
    }
    const std::string name = Trim(FromDeviceText(raw, CodePage()));
    const auto known = std::find_if(state_.goods.begin(), state_.goods.end(),
                                    [&](const SoldGoods& g) { return g.name == name; });
    if (raw.size() != kGoodsInfoLength || known == state_.goods.end()) {
        SendCode("D2");
        return;
    }
    // The indicator: how full the goods list is, in percent.
    const std::size_t percent = state_.goods.size() * 100 / DeviceState::kGoodsCapacity;
    const int rate = state_.vatRates[static_cast<std::size_t>(LetterIndex(known->letter))];
    char indicator[24];
    std::snprintf(indicator, sizeof indicator, "%3zu", percent);
    std::string last = rate == kExempt || rate == kInactive ? std::string("zw.") : Decimal(rate, 2);
    last.insert(0, last.size() < 5 ? 5 - last.size() : 0, ' ');
    if (Finish())
        SendText(std::string(1, known->letter) + (known->rateChanged ? 'T' : 'N') + indicator + last);
}

} // namespace nubra::sim
