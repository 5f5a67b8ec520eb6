// Sales: transaction start, the four sale commands, stored documents, currency, loyalty, goods information.
#include "DataFields.h"
#include "Numbers.h"
#include "TNX3Class.h"

namespace nubra {
namespace {

// Field widths of the data, in the order they are sent.
constexpr int kRegister = 1, kTranNo = 5, kLimit = 9;         // "PC", sales, "PB"
constexpr int kName = 40, kPtu = 1, kAmount = 9, kLetter = 1; // goods line
constexpr int kCardNumber = 20, kTid = 8, kUid = 15, kCardName = 16, kValidity = 5, kCode = 9; // card
constexpr int kCustomerLine = 40;                                                              // invoice
constexpr int kCurrency = 3;                                                                   // "PF", "PA"
constexpr int kLoyaltyCard = 20, kPoints = 5, kPointsSum = 10;                                 // "RA"
constexpr std::size_t kInfoIndex = 1, kInfoChanged = 1, kInfoList = 3, kInfoRate = 5;          // "LE" reply

std::string Register(int reg) {
    return TNX3Class::PadRight(std::to_string(reg), kRegister);
}

std::string Amount(std::int64_t hundredths) {
    return TNX3Class::PadZeros(TNX3Class::FormatAmount(hundredths), kAmount);
}

std::string Customer(const SaleCustomer& c) {
    std::string field;
    for (const std::string* line : {&c.Name1, &c.Name2, &c.Street, &c.Town, &c.Nip})
        field += TNX3Class::PadLeft(*line, kCustomerLine);
    return field;
}

} // namespace

std::string TNX3Class::StartTransField(int reg, std::int64_t limit) {
    return Register(reg) + PadLeft(FormatAmount(limit), kLimit);
}

std::string TNX3Class::SaleField(int reg, int tranNo, const SaleInvoice* invoice, const SaleGoods& goods,
                                 const SalePayment& payment, bool card) {
    std::string field = Register(reg) + PadLeft(std::to_string(tranNo), kTranNo);
    if (invoice)
        field += PadLeft(invoice->DocLetter, kLetter) + Customer(invoice->Customer);
    field +=
        PadLeft(goods.Name, kName) + PadLeft(goods.Ptu, kPtu) + Amount(goods.Quantity) + Amount(goods.Price);
    field += PadLeft(payment.Letter, kLetter) + PadLeft(payment.Number, kCardNumber);
    if (card) {
        field += PadLeft(payment.Tid, kTid) + PadLeft(payment.Uid, kUid) + PadLeft(payment.Name, kCardName) +
                 PadLeft(payment.Validity, kValidity) + PadLeft(payment.Code, kCode);
    }
    return field;
}

std::string TNX3Class::PayCurrencyField(int reg, const std::string& currency, std::int64_t foreignAmount,
                                        std::int64_t rate) {
    // The native equivalent in hundredths, rounded half up; 64 bits hold any product of the two fields.
    const std::int64_t native = (foreignAmount * rate + 5000) / 10000;
    return Register(reg) + PadLeft(currency, kCurrency) + Amount(foreignAmount) +
           PadZeros(FormatRate(rate), kAmount) + Amount(native);
}

bool TNX3Class::StartTrans(int reg, std::int64_t limit, int& tranNo) {
    // The number follows "D1": lost, the transaction may be open under a number nobody knows.
    GuardOutcome("PC", 2, [&] {
        if (Order("PC", {StartTransField(reg, limit)}, Closing::Wait)) {
            std::string data;
            ReceiveFrame(data);
            tranNo = StrToIntDef(data, 1);
        }
    });
    return CheckReply("PC", LastReply());
}

bool TNX3Class::SellReceiptCash(int reg, int tranNo, const SaleGoods& goods, const SalePayment& payment) {
    Order("PD", {SaleField(reg, tranNo, nullptr, goods, payment, false)}, Closing::Wait);
    return CheckReply("PD", LastReply());
}

bool TNX3Class::SellReceiptCard(int reg, int tranNo, const SaleGoods& goods, const SalePayment& card) {
    Order("P0", {SaleField(reg, tranNo, nullptr, goods, card, true)}, Closing::Wait);
    return CheckReply("P0", LastReply());
}

bool TNX3Class::SellInvoiceCash(int reg, int tranNo, const std::string& docLetter,
                                const SaleCustomer& customer, const SaleGoods& goods,
                                const SalePayment& payment) {
    const SaleInvoice invoice{docLetter, customer};
    Order("LB", {SaleField(reg, tranNo, &invoice, goods, payment, false)}, Closing::Wait);
    return CheckReply("LB", LastReply());
}

bool TNX3Class::SellInvoiceCard(int reg, int tranNo, const std::string& docLetter,
                                const SaleCustomer& customer, const SaleGoods& goods,
                                const SalePayment& card) {
    const SaleInvoice invoice{docLetter, customer};
    Order("L0", {SaleField(reg, tranNo, &invoice, goods, card, true)}, Closing::Wait);
    return CheckReply("L0", LastReply());
}

bool TNX3Class::PrintDoc(int reg, int tranNo) {
    Order("PB", {Register(reg) + PadZeros(std::to_string(tranNo), kTranNo)}, Closing::Wait);
    return CheckReply("PB", LastReply());
}

bool TNX3Class::PayCurrency(int reg, const std::string& currency, std::int64_t foreignAmount,
                            std::int64_t rate) {
    Order("PF", {PayCurrencyField(reg, currency, foreignAmount, rate)}, Closing::Wait);
    return CheckReply("PF", LastReply());
}

bool TNX3Class::SetLoyaltyInfo(int reg, int tranNo, const std::string& cardNumber, std::int64_t points,
                               std::int64_t pointsSum) {
    const std::string field = Register(reg) + PadZeros(std::to_string(tranNo), kTranNo) +
                              PadLeft(cardNumber, kLoyaltyCard) + PadZeros(std::to_string(points), kPoints) +
                              PadZeros(std::to_string(pointsSum), kPointsSum);
    Order("RA", {field}, Closing::Wait);
    return CheckReply("RA", LastReply());
}

bool TNX3Class::ConfirmExchange(int tranNo, const SaleCustomer& customer, const std::string& amount,
                                const std::string& currency, const std::string& rate,
                                const std::string& value) {
    const std::string field = PadLeft(std::to_string(tranNo), kTranNo) + Customer(customer) +
                              PadZeros(amount, kAmount) + PadLeft(currency, kCurrency) +
                              PadZeros(rate, kAmount) + PadZeros(value, kAmount);
    Order("PA", {field}, Closing::Wait);
    return CheckReply("PA", LastReply());
}

bool TNX3Class::GetCommodInfo(const std::string& name, CommodInfo& info) {
    if (Order("LE", {PadRight(name, kName)}, Closing::Reply)) {
        std::string data;
        ReceiveFrame(data);
        DataFields f(data);
        info.PtuIndex = f.Take(kInfoIndex);
        info.RateChanged = f.Take(kInfoChanged);
        info.ListIndicator = f.Take(kInfoList);
        info.LastRate = f.Take(kInfoRate);
    }
    return CheckReply("LE", LastReply());
}

} // namespace nubra
