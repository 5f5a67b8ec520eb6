// Fiscalization, the tax number and the two currencies: actions of the main window.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <array>

#include "DeviceText.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "TFormCurrency.h"
#include "TFormEuro.h"
#include "TFormFiscalizing.h"
#include "TFormMain.h"
#include "TNX3Class.h"
#include "TPanFiskalizacja.h"

namespace nubra::app {
namespace {

bool Confirmed(QWidget* parent, QMessageBox::Icon icon, const char* question) {
    return ShowMessageBox(parent, icon, QString::fromUtf8(question), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

} // namespace

void TFormMain::AFiscalizingExecute() {
    if (nx3_->PrinterType == -1)
        return;
    PtuRates fields;
    if (!nx3_->GetPtu(fields))
        return;
    auto* pan = WindowAs<service::TPanFiskalizacja>(QStringLiteral("TPanFiskalizacja"));
    std::array<int, 7> rates{};
    std::transform(fields.begin(), fields.end(), rates.begin(), &TNX3Class::PtuRateValue);
    pan->SetHundredths(rates);
    pan->CheckRates();
    if (DialogSeam::Current().Exec(*pan) != service::TPanFiskalizacja::kFiskalizuj)
        return;
    const std::optional<std::array<int, 7>> h = app::ReadRates(this, pan->Rates());
    if (!h || !nx3_->TestPrint())
        return;
    if (!Confirmed(this, QMessageBox::Question, "  Czy wydrukowany nagłówek jest poprawny ?  ") ||
        !Confirmed(this, QMessageBox::Warning, "  Uwaga! Drukarka zostanie sfiskalizowana, kontynuować ?  "))
        return;
    const auto f = [&h](std::size_t i) { return std::to_string((*h)[i]); };
    if (nx3_->Fiscalize(f(0), f(1), f(2), f(3), f(4), f(5), f(6)))
        ShowMessageBox(this, QMessageBox::NoIcon, QStringLiteral("Drukarka została sfiskalizowana."));
}

void TFormMain::AGetNuNipExecute() {
    if (nx3_->PrinterType == -1)
        return;
    std::string uniqueNo, nip;
    unsigned char status1 = 0, status2 = 0;
    const bool ok = nx3_->PrinterType <= 0 ? nx3_->GetStatus2Letter(uniqueNo, nip, status1, status2)
                                           : nx3_->GetStatus3LetterPI(uniqueNo, nip, status1, status2);
    if (!ok)
        return;
    const QString blanks(11, QLatin1Char(' '));
    ShowMessageBox(this, QMessageBox::NoIcon,
                   blanks + QStringLiteral("Numer unikatowy: ") + app::FromDevice(uniqueNo) + blanks +
                       QStringLiteral("\n") + blanks + QStringLiteral("NIP: ") + app::FromDevice(nip) +
                       blanks);
}

void TFormMain::APrepareFiscalizingExecute() {
    if (nx3_->PrinterType == -1)
        return;
    auto* form = WindowAs<service::TFormFiscalizing>(QStringLiteral("TFormFiscalizing"));
    const QString nip = form->Nip()->text().trimmed();
    if (nip.isEmpty()) {
        form->SaveButton()->setEnabled(false);
        QApplication::beep();
        return;
    }
    if (nx3_->PrepareNip(app::ToDevice(nip))) {
        form->SaveButton()->setEnabled(true);
        form->Nip2()->setText(nip);
    }
}

void TFormMain::AChangeToEuroExecute() {
    std::string date, time, next, current;
    if (!nx3_->GetCurrencyChange(date, time, next, current))
        return;
    auto* form = WindowAs<service::TFormEuro>(QStringLiteral("TFormEuro"));
    const QString d = app::FromDevice(date).leftJustified(6, QLatin1Char(' '));
    const QString t = app::FromDevice(time).leftJustified(4, QLatin1Char(' '));
    QString nextText = app::FromDevice(next);
    while (nextText.endsWith(QLatin1Char(' ')))
        nextText.chop(1);
    form->Fill(QStringLiteral("20") + d.mid(0, 2) + QLatin1Char('-') + d.mid(2, 2) + QLatin1Char('-') +
                   d.mid(4, 2),
               t.mid(0, 2) + QLatin1Char(':') + t.mid(2, 2), nextText, app::FromDevice(current));
    if (DialogSeam::Current().Exec(*form) != service::TFormEuro::kUstaw)
        return;
    const QString newDate = form->Date(), newTime = form->Time();
    nx3_->SetCurrencyChange(app::ToDevice(newDate.mid(2, 2) + newDate.mid(5, 2) + newDate.mid(8, 2)),
                            app::ToDevice(newTime.mid(0, 2) + newTime.mid(3, 2)),
                            app::ToDevice(form->NextCurrency()));
}

void TFormMain::AChooseCurrencyExecute() {
    auto* form = WindowAs<service::TFormCurrency>(QStringLiteral("TFormCurrency"));
    (nativeCurrency_ == "PLN" ? form->Zloty() : form->Euro())->setChecked(true);
    if (DialogSeam::Current().Exec(*form) == 1)
        nativeCurrency_ = form->Zloty()->isChecked() ? "PLN" : "EUR";
}

} // namespace nubra::app
