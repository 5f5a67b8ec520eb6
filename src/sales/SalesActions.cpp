// The sale actions of the main window: transaction start, sale registration, the stored document's
// print and the currency exchange confirmation.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <optional>

#include "ControlTag.h"
#include "DeviceText.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "ProgramState.h"
#include "SaleWidgets.h"
#include "SalesState.h"
#include "TDecimalEdit.h"
#include "TFormChoseReg.h"
#include "TFormExchange.h"
#include "TFormMain.h"
#include "TFormRegInfo.h"
#include "TFormRegisterSale.h"
#include "TFormStartTrans.h"
#include "TNX3Class.h"
#include "TRegisterGroup.h"

namespace nubra::app {
namespace {

constexpr std::int64_t kMaxPoints = 99999;         // five digits
constexpr std::int64_t kMaxPointsSum = 9999999999; // ten digits

// A whole number typed by the user; nullopt for anything else (the printer would get -1).
std::optional<std::int64_t> WholeNumber(const QString& text) {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

bool InRange(const std::optional<std::int64_t>& value, std::int64_t maximum) {
    return value && *value >= 0 && *value <= maximum;
}

void SetUnchecked(QCheckBox* box) {
    const QSignalBlocker quiet(box);
    box->setChecked(false);
}

// The register (1..8) the print dialog shows, then prints its stored document. fromSale: the sale
// has set the dialog and refreshes the register window itself.
void PrintStoredDocument(TFormMain& main, bool fromSale) {
    TNX3Class& nx3 = main.Nx3();
    if (nx3.PrinterType == -1)
        return;
    auto* chose = main.WindowAs<TFormChoseReg>(QStringLiteral("TFormChoseReg"));
    if (!chose)
        return;
    bool confirmed = fromSale;
    if (!fromSale) {
        chose->RG_Rejestr()->SetItemIndex(CurrentRegister - 1);
        confirmed = DialogSeam::Current().Exec(*chose) == QDialog::Accepted;
    }
    if (confirmed) {
        const int reg = chose->RG_Rejestr()->ItemIndex() + 1;
        TFormRegInfo* regInfo = FormRegInfo(main);
        const int tranNo = regInfo ? StrToIntDef(regInfo->TranNoLabel(reg)->text().toStdString(), 0) : 0;
        nx3.PrintDoc(reg, tranNo);
        if (!fromSale) {
            main.AGetExtStatusExecute();
            main.AGetRegInfoExecute();
        }
    }
    CurrentRegister = 1;
}

// What the sale dialog holds when it closes, in the printer's terms.
struct SaleValues {
    int reg = 1;
    int tranNo = 0;
    std::optional<std::int64_t> points;
    std::optional<std::int64_t> pointsSum;
    std::string loyaltyCard;
    SaleGoods goods;
    std::optional<std::int64_t> price;
    SalePayment card;
    SaleCustomer customer;
};

SaleValues Collect(const TFormRegisterSale& form) {
    SaleValues v;
    v.reg = form.RG_Rejestr()->ItemIndex() + 1;
    v.tranNo = static_cast<int>(form.CE_NrTrans()->Value());
    v.points = WholeNumber(form.E_Punkty()->text());
    v.pointsSum = WholeNumber(form.E_SumaPunktow()->text());
    v.loyaltyCard = ToDevice(form.E_NumerKarty()->text());
    v.goods.Name = ToDevice(form.ST_Nazwa()->text(), "Nazwa towaru");
    v.goods.Ptu = ToDevice(form.ST_Ptu()->text());
    v.goods.Quantity = form.CE_Ilosc()->Value();
    v.price = form.Price();
    v.goods.Price = v.price.value_or(0);
    v.card = {form.CBox_PIN()->isChecked() ? "P" : "K", ToDevice(form.CardField(0)->text()),
              ToDevice(form.CardField(1)->text()),      ToDevice(form.CardField(2)->text()),
              ToDevice(form.ST_Karta()->text()),        ToDevice(form.CardField(3)->text()),
              ToDevice(form.CardField(4)->text())};
    v.customer = form.Contractor().Customer();
    return v;
}

// Values that would not fit the printer's fields: the message, or empty when all fit.
QString Refusal(const TFormRegisterSale& form, const SaleValues& v, int result) {
    if (result == TFormRegisterSale::ResultOk && form.CB_Loyalty()->isChecked()) {
        if (!InRange(v.points, kMaxPoints))
            return QStringLiteral("Ilość punktów musi być liczbą całkowitą od 0 do 99999.");
        if (!InRange(v.pointsSum, kMaxPointsSum))
            return QStringLiteral("Suma punktów musi być liczbą całkowitą od 0 do 9999999999.");
    }
    if (!v.price)
        return QStringLiteral("Cena towaru musi być liczbą od 0,00 do 999999,99.");
    return {};
}

bool SendSale(TNX3Class& nx3, const TFormRegisterSale& form, const SaleValues& v, SaleGoods goods) {
    const bool card = form.CB_Karta()->isChecked();
    const SalePayment cash{"G", "", "", "", "", "", ""};
    if (form.CB_Firma()->isChecked())
        return card ? nx3.SellInvoiceCard(v.reg, v.tranNo, "F", v.customer, goods, v.card)
                    : nx3.SellInvoiceCash(v.reg, v.tranNo, "F", v.customer, goods, cash);
    return card ? nx3.SellReceiptCard(v.reg, v.tranNo, goods, v.card)
                : nx3.SellReceiptCash(v.reg, v.tranNo, goods, cash);
}

// The loyalty data, then the currency payment: a refusal of either stops what follows. The payment
// goes once per transaction, so a sale the printer refused can be repeated or cancelled after it.
bool SendBeforeSale(TNX3Class& nx3, const TFormRegisterSale& form, const SaleValues& v, int result) {
    if (result == TFormRegisterSale::ResultOk && form.CB_Loyalty()->isChecked() &&
        !nx3.SetLoyaltyInfo(v.reg, v.tranNo, v.loyaltyCard, *v.points, *v.pointsSum))
        return false;
    TRegisterCurrency& entry = RegisterCurrency.at(static_cast<std::size_t>(v.reg - 1));
    if (!entry.IsCurrency || (entry.PaidIn != 0 && entry.PaidIn == v.tranNo))
        return true;
    if (!nx3.PayCurrency(v.reg, ToDevice(QString::fromStdString(entry.Currency)), entry.ForeignLimit,
                         entry.Rate))
        return false;
    entry.PaidIn = v.tranNo;
    return true;
}

} // namespace

void TFormMain::AStartTransExecute() {
    if (nx3_->PrinterType == -1)
        return;
    auto* form = WindowAs<TFormStartTrans>(QStringLiteral("TFormStartTrans"));
    if (!form)
        return;
    form->RG_Rejestr()->SetItemIndex(CurrentRegister - 1);
    form->CB_Waluta()->setCurrentText(QString::fromStdString(nativeCurrency_));
    form->CB_WalutaChange();
    if (DialogSeam::Current().Exec(*form) == QDialog::Accepted) {
        const int reg = form->RG_Rejestr()->ItemIndex() + 1;
        CurrentRegister = reg;
        TRegisterCurrency& entry = RegisterCurrency.at(static_cast<std::size_t>(reg - 1));
        const TRegisterCurrency before = entry;
        const QString currency = form->CB_Waluta()->currentText();
        const std::int64_t limit = form->CE_Limit()->Value();
        std::int64_t native = limit;
        const bool foreign = currency.toStdString() != nativeCurrency_;
        entry.IsCurrency = foreign;
        entry.PaidIn = 0;
        if (foreign) {
            const std::int64_t rate = form->CE_Kurs()->Value();
            entry.Rate = static_cast<std::int32_t>(rate);
            entry.ForeignLimit = static_cast<std::int32_t>(limit);
            entry.Currency = currency.toStdString();
            // Rate x limit x 100 + 0,666, cut: a converted value from ,334 up is rounded up.
            native = (rate * limit + 6660) / 10000;
        }
        int tranNo = 0;
        if (nx3_->StartTrans(reg, native + 100, tranNo)) {
            if (TFormRegInfo* regInfo = FormRegInfo(*this)) {
                SetTag(regInfo->TranNoLabel(reg), tranNo);
                SetTag(regInfo->LimitLabel(reg), static_cast<int>(native));
                regInfo->CurrencyLabel(reg)->setText(foreign ? currency : QString());
            }
            if (nx3_->Sleep)
                nx3_->Sleep(10);
            AGetExtStatusExecute();
            AGetRegInfoExecute();
        } else {
            // A refused start leaves the register's open transaction and its currency as they were.
            entry = before;
        }
    }
    CurrentRegister = 1;
}

void TFormMain::ARegisterSellExecute() {
    if (nx3_->PrinterType == -1 || !nx3_->DetectCodePage())
        return;
    auto* form = WindowAs<TFormRegisterSale>(QStringLiteral("TFormRegisterSale"));
    if (!form)
        return;
    form->RG_Rejestr()->SetItemIndex(CurrentRegister - 1);
    form->RG_RejestrClick();
    for (QCheckBox* box : {form->CB_Karta(), form->CB_Firma(), form->CB_Wydruk()})
        SetUnchecked(box);
    form->ApplyVisibility();
    form->CE_Ilosc()->SetValue(100);
    const TRegisterCurrency& shown = RegisterCurrency.at(static_cast<std::size_t>(CurrentRegister - 1));
    form->ShowCurrencyMark(shown.IsCurrency, QString::fromStdString(shown.Currency));
    form->UpdateTotal();

    int result = DialogSeam::Current().Exec(*form);
    // However else the dialog went (its window closed), nothing is sold.
    if (result != TFormRegisterSale::ResultOk && result != TFormRegisterSale::ResultAbort)
        result = TFormRegisterSale::ResultCancel;
    // A cancelled dialog's fields are not read: text it could not send must not raise a message then.
    const SaleValues v = result == TFormRegisterSale::ResultCancel ? SaleValues{} : Collect(*form);
    const QString refusal = result == TFormRegisterSale::ResultCancel ? QString() : Refusal(*form, v, result);
    if (!refusal.isEmpty()) {
        ShowMessageBox(this, QMessageBox::Critical, refusal);
    } else {
        if (result != TFormRegisterSale::ResultCancel && SendBeforeSale(*nx3_, *form, v, result)) {
            SaleGoods goods = v.goods;
            if (result == TFormRegisterSale::ResultAbort)
                goods.Quantity = 0;
            if (SendSale(*nx3_, *form, v, goods))
                RegisterCurrency.at(static_cast<std::size_t>(v.reg - 1)).PaidIn = 0;
            if (form->CB_Wydruk()->isChecked()) {
                if (auto* chose = WindowAs<TFormChoseReg>(QStringLiteral("TFormChoseReg")))
                    chose->RG_Rejestr()->SetItemIndex(v.reg - 1);
                PrintStoredDocument(*this, true);
            }
        }
    }
    AGetExtStatusExecute();
    AGetRegInfoExecute();
}

void TFormMain::APrintDocExecute() {
    PrintStoredDocument(*this, false);
}

void TFormMain::AExchangeExecute() {
    if (nx3_->PrinterType == -1 || !nx3_->DetectCodePage())
        return;
    auto* form = WindowAs<TFormExchange>(QStringLiteral("TFormExchange"));
    if (!form || DialogSeam::Current().Exec(*form) != QDialog::Accepted)
        return;
    if (const QString refusal = form->Refusal(); !refusal.isEmpty()) {
        ShowMessageBox(this, QMessageBox::Critical, refusal);
        return;
    }
    nx3_->ConfirmExchange(static_cast<int>(form->CE_NrTrans()->Value()), form->Contractor().Customer(),
                          ToDevice(form->CE_Skup()->DisplayText()), ToDevice(form->E_Wal()->text()),
                          ToDevice(form->CE_Kurs()->DisplayText()),
                          ToDevice(form->CE_Wartosc()->DisplayText()));
}

} // namespace nubra::app
