// The settings actions of the main window: VAT rates, workstation numbers, parameters, waiting time,
// the summer/winter clock change, and the date window.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <string>

#include "DialogParts.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "QtLinkUi.h"
#include "SettingsWindows.h"
#include "TFormDateTime.h"
#include "TFormGetSetPTU.h"
#include "TFormMain.h"
#include "TFormMoveTime.h"
#include "TFormParams.h"
#include "TFormPosts.h"
#include "TFormWaitingTime.h"
#include "TNX3Class.h"

namespace nubra::app {
namespace {

using settings::mrOk;

int Exec(QDialog& dialog) {
    return DialogSeam::Current().Exec(dialog);
}

void Inform(QWidget* parent, const char* text) {
    ShowMessageBox(parent, QMessageBox::Information, QString::fromUtf8(text));
}

// A masked edit's digits at the given positions, blanks as spaces.
std::string Digits(const QString& text, std::initializer_list<int> positions) {
    std::string digits;
    for (int at : positions)
        digits += at < text.size() ? static_cast<char>(text.at(at).toLatin1()) : ' ';
    return digits;
}

bool Blank(const std::string& digits) {
    return digits.find(' ') != std::string::npos;
}

} // namespace

void TFormMain::AGetSetPTUExecute() {
    if (nx3_->PrinterType == -1)
        return;
    PtuRates rates;
    if (!nx3_->GetPtu(rates))
        return;
    auto* form = WindowAs<settings::TFormGetSetPTU>(QStringLiteral("TFormGetSetPTU"));
    for (int i = 0; i < settings::TFormGetSetPTU::RateCount; ++i)
        form->Rate(i)->SetHundredths(TNX3Class::PtuRateValue(rates[static_cast<std::size_t>(i)]));
    if (Exec(*form) != mrOk)
        return;
    const std::optional<std::array<int, 7>> typed = app::ReadRates(this, form->Rates());
    if (!typed)
        return;
    for (std::size_t i = 0; i < rates.size(); ++i)
        rates[i] = std::to_string((*typed)[i]);
    nx3_->SetPtu(rates);
}

void TFormMain::AGetSetPostNumbersExecute() {
    if (nx3_->PrinterType == -1)
        return;
    PostNumbers numbers;
    if (!nx3_->GetPostNumbers(numbers))
        return;
    auto* form = WindowAs<settings::TFormPosts>(QStringLiteral("TFormPosts"));
    for (int reg = 1; reg <= settings::TFormPosts::PostCount; ++reg)
        form->Post(reg)->setValue(StrToIntDef(numbers[static_cast<std::size_t>(reg - 1)], 0));
    if (Exec(*form) != mrOk)
        return;
    // As typed: an emptied edit goes as 00.
    for (int reg = 1; reg <= settings::TFormPosts::PostCount; ++reg)
        numbers[static_cast<std::size_t>(reg - 1)] = settings::ToDevice(form->Post(reg)->cleanText());
    nx3_->SetPostNumbers(numbers);
}

void TFormMain::AGetSetParamsExecute() {
    if (nx3_->PrinterType == -1)
        return;
    std::string uniqueNo, nip;
    unsigned char status1 = 0, status2 = 0;
    // Without the status the dialog would show zeros, and "Ustaw" would reset the separator, the report
    // mode and the confirmations: it does not open.
    const bool read = settings::ReadOrSayWhy(
        *this,
        [&] {
            return nx3_->PrinterType <= 0 ? nx3_->GetStatus2Letter(uniqueNo, nip, status1, status2)
                                          : nx3_->GetStatus3LetterPI(uniqueNo, nip, status1, status2);
        },
        "Nie udało się odczytać parametrów kasy: drukarka nie przekazała danych.");
    if (!read)
        return;
    auto* form = WindowAs<settings::TFormParams>(QStringLiteral("TFormParams"));
    form->ShowStatus(status1, status2);
    if (Exec(*form) == mrOk && nx3_->SetStatus(form->Status1(), form->Status2()))
        Inform(this, "Parametry kasy zostały zmienione.");
    // The filters follow the transmission code now in force, whether or not it was changed.
    nx3_->DetectCodePage();
}

void TFormMain::AGetSetWaitingTimeExecute() {
    if (nx3_->PrinterType == -1)
        return;
    int minutes = 0;
    if (!nx3_->GetWaitingTime(minutes))
        return;
    auto* form = WindowAs<settings::TFormWaitingTime>(QStringLiteral("TFormWaitingTime"));
    form->Btn_Ustaw()->setVisible(true);
    // A reply that is not a number (-1) leaves the edit empty: "-1" would go back as the time.
    form->ME_Czas()->setText(minutes < 0 ? QString() : QString::number(minutes));
    if (Exec(*form) != mrOk)
        return;
    nx3_->SetWaitingTime(StrToIntDef(form->ME_Czas()->text().trimmed().toStdString(), 0));
}

void TFormMain::AMoveTimeExecute() {
    if (nx3_->PrinterType == -1)
        return;
    auto* form = WindowAs<settings::TFormMoveTime>(QStringLiteral("TFormMoveTime"));
    if (Exec(*form) != mrOk)
        return;
    const bool forward = form->RG_PlusMinus()->ItemIndex() == 0;
    if (!nx3_->MoveTime(forward ? "+" : "-"))
        return;
    Inform(this,
           forward
               ? "Polecenie wykonane. Wskazanie zegara zostanie zwiększone o jedną godzinę o godz. 2:00."
               : "Polecenie wykonane. Wskazanie zegara zostanie zmniejszone o jedną godzinę o godz. 3:00.");
}

void TFormMain::AShowFormDateTimeExecute() {
    if (nx3_->PrinterType == -1)
        return;
    auto* form = WindowAs<settings::TFormDateTime>(QStringLiteral("TFormDateTime"));
    form->BtnSetDateTime()->setVisible(true);
    form->ME_Date()->setReadOnly(false);
    AGetDateTimeExecute();
    Exec(*form);
}

// The action list's own name for the date and time window.
void TFormMain::AGetSetTimeExecute() {
    AShowFormDateTimeExecute();
}

void TFormMain::AGetDateTimeExecute() {
    if (nx3_->PrinterType == -1)
        return;
    std::string dateTime;
    if (!nx3_->GetDateTime(dateTime))
        return;
    dateTime.resize(12, ' ');
    auto* form = WindowAs<settings::TFormDateTime>(QStringLiteral("TFormDateTime"));
    const QString d = settings::FromDevice(dateTime);
    form->ME_Date()->setText(QStringLiteral("20") + d.mid(0, 2) + u'-' + d.mid(2, 2) + u'-' + d.mid(4, 2));
    form->ME_Time()->setText(d.mid(6, 2) + u':' + d.mid(8, 2) + u':' + d.mid(10, 2));
}

void TFormMain::ASetDateTimeExecute() {
    if (nx3_->PrinterType == -1)
        return;
    auto* form = WindowAs<settings::TFormDateTime>(QStringLiteral("TFormDateTime"));
    // 20yy-mm-dd hh:nn:ss, blanks kept in place.
    const QString text = settings::MaskedText(form->ME_Date()) + u' ' + settings::MaskedText(form->ME_Time());
    const std::string time = Digits(text, {11, 12, 14, 15, 17, 18});
    // The mask requires every time digit but the first; such a gap is refused before anything is sent,
    // since the printer takes one clock setting per daily report.
    if (Blank(time.substr(1))) {
        ShowMessageBox(this, QMessageBox::Warning, QStringLiteral("Wpisz pełną godzinę (gg:mm:ss)."));
        return;
    }
    if (form->CB_OnlyHour()->isChecked()) {
        if (nx3_->SetTime(time))
            ShowMessageBox(this, QMessageBox::NoIcon,
                           QStringLiteral("Godzina w kasie została ustawiona na nową wartość."));
        return;
    }
    const std::string date = Digits(text, {2, 3, 5, 6, 8, 9});
    if (Blank(date)) {
        ShowMessageBox(this, QMessageBox::Warning, QStringLiteral("Wpisz pełną datę (rrrr-mm-dd)."));
        return;
    }
    if (nx3_->SetDateTime(date + time))
        ShowMessageBox(this, QMessageBox::NoIcon,
                       QStringLiteral("Data i godzina w kasie zostały ustawione na nową wartość."));
}

} // namespace nubra::app

namespace nubra::settings {

bool ReadOrSayWhy(app::TFormMain& main, const std::function<bool()>& read, const std::string& why) {
    app::QtLinkUi& ui = main.LinkUiImpl();
    const int shown = ui.ErrorsShown();
    if (read())
        return true;
    if (ui.ErrorsShown() == shown)
        ui.ShowError(why);
    return false;
}

} // namespace nubra::settings
