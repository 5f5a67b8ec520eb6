// The status and information actions of the main window: message boxes with the printer's answers,
// and the filling of the register window.
#include <QLabel>
#include <QToolButton>
#include <array>
#include <string>

#include "ControlTag.h"
#include "Cp1250.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "ProgramState.h"
#include "StatusGlyphs.h"
#include "StatusTexts.h"
#include "TFormMain.h"
#include "TFormRegInfo.h"
#include "TNX3Class.h"

namespace nubra::app {
namespace {

// Device text (Windows-1250) into a message of the program's own (UTF-8).
std::string Dev(const std::string& cp1250) {
    return cp1250::ToUtf8(cp1250);
}
QString DevQ(const std::string& cp1250) {
    return QString::fromStdString(Dev(cp1250));
}

} // namespace

void TFormMain::AGetDayReportNoExecute() {
    if (nx3_->PrinterType == -1)
        return;
    std::string date, number;
    if (!nx3_->GetDayReportNo(date, number))
        return;
    ShowMessageBox(this, QMessageBox::NoIcon,
                   QString::fromStdString("     Data ostatniego raportu: " + Dev(date) + "          " +
                                          "\r\n" + "     Numer ostatniego raportu: " + Dev(number) +
                                          "         "));
}

void TFormMain::AGetZeroRamExecute() {
    if (nx3_->PrinterType == -1)
        return;
    std::string ramResets, rateSets;
    if (!nx3_->GetZeroRam(ramResets, rateSets))
        return;
    ShowMessageBox(this, QMessageBox::NoIcon,
                   QString::fromStdString("Ilość zerowań pamięci podtrzymywanej (RAM): " + Dev(ramResets) +
                                          "\r\n" +
                                          "Ilość zapamiętanych zestawów stawek PTU: " + Dev(rateSets)));
}

void TFormMain::AGetErrorNumberExecute() {
    if (nx3_->PrinterType == -1)
        return;
    std::string text;
    if (!nx3_->GetErrorNumber(text))
        return;
    const int number = StrToIntDef(text, -1);
    const std::string description = ErrorNumberDescription(number);
    const std::string indent = description == "OK" ? std::string(10, ' ') : std::string();
    ShowMessageBox(this, QMessageBox::NoIcon,
                   QString::fromStdString(indent + "Numer błędu: " + std::to_string(number) +
                                          std::string(10, ' ') + "\r\n" + indent +
                                          "Opis błędu: " + description));
}

void TFormMain::AGetTotalizerExecute() {
    if (nx3_->PrinterType == -1)
        return;
    Totalizer t;
    if (!nx3_->GetTotalizer(t))
        return;
    std::string message;
    for (const TotalizerField& field : TotalizerFields()) {
        if (!message.empty())
            message += "\r\n";
        message += field.label + Dev(t.*field.field);
    }
    ShowMessageBox(this, QMessageBox::NoIcon, QString::fromStdString(message));
}

void TFormMain::AGetExtStatusExecute() {
    if (nx3_->PrinterType == -1)
        return;
    TFormRegInfo* form = FormRegInfo(*this);
    std::string number;
    if (nx3_->GetErrorNumber(number)) {
        if (StrToIntDef(number, 0) != 0) {
            if (form)
                SetTag(form->LedServ(), 1);
            ServiceError = true;
            return;
        }
        if (form)
            SetTag(form->LedServ(), 0);
        ServiceError = false;
    }
    std::string unprinted, flag5, flag6, flag7, flag8;
    if (nx3_->GetExtStatus(unprinted, flag5, flag6, flag7, flag8) && form) {
        form->LedOfl()->setEnabled(flag5 == "T");
        form->LedPre()->setEnabled(flag6 == "T");
        SetTag(form->LedNep(), flag7 == "T" ? 1 : 0);
        form->LedMop()->setEnabled(flag8 != "T");
    }
    // Only the exchange matters here: a refusal shows the error window.
    std::string uniqueNo, nip;
    unsigned char status1 = 0, status2 = 0;
    if (nx3_->PrinterType <= 0)
        nx3_->GetStatus2Letter(uniqueNo, nip, status1, status2);
    else
        nx3_->GetStatus3LetterPI(uniqueNo, nip, status1, status2);
}

void TFormMain::AGetRegInfoExecute() {
    if (nx3_->PrinterType == -1)
        return;
    TFormRegInfo* form = FormRegInfo(*this);
    for (int n = 1; n <= TFormRegInfo::RegisterCount; ++n) {
        std::string tranNo, status, printFlag, lastSale, lastPtu;
        if (!nx3_->GetRegInfo(n, tranNo, status, printFlag, lastSale, lastPtu))
            break;
        if (!form)
            continue;
        form->TranNoLabel(n)->setText(DevQ(tranNo));
        form->ClearStatusGlyph(n);
        form->SetStatusGlyph(n, StatusGlyphIndex(status));
        QToolButton* print = form->PrintButton(n);
        print->setEnabled(printFlag == "T");
        print->setText(printFlag == "T" ? QString() : DevQ(printFlag));
        form->SaleLabel(n)->setText(DevQ(lastSale + " (Ptu:" + lastPtu + ")"));
        QToolButton* tran = form->TranButton(n);
        SetTag(tran, (Tag(tran) & ~0xFF) | (status == "T" ? 255 : 0));
        QLabel* limit = form->LimitLabel(n);
        const int limitTag = Tag(limit);
        limit->setText(limitTag != 0 ? QString::fromStdString(TNX3Class::FormatAmount(limitTag)) : QString());
    }
}

} // namespace nubra::app
