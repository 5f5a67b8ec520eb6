// The report actions of the main window: daily report, the report selection with its transfer, the
// fixed descriptions, the goods list and the settlement report; and the report windows' creation.
#include <QMessageBox>

#include "DialogSeam.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "ReportWindows.h"
#include "TFormMain.h"
#include "TFormPeriodReports.h"
#include "TFormRozliczeniowy.h"
#include "TFormSendRapOkres.h"
#include "TNX3Class.h"

namespace nubra::reports {

QWidget* CreateFormPeriodReports(app::TFormMain& main) {
    return new TFormPeriodReports(&main);
}
QWidget* CreateFormSendRapOkres(app::TFormMain& main) {
    return new TFormSendRapOkres(&main);
}
QWidget* CreateFormRozliczeniowy(app::TFormMain& main) {
    return new TFormRozliczeniowy(&main);
}

namespace {

bool Confirmed(QWidget* parent, QMessageBox::Icon icon, const std::string& question) {
    return app::ShowMessageBox(parent, icon, app::ProgramText(question),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// The settlement report sets the printer to read-only for good, whichever window starts it.
bool SettlementConfirmed(QWidget* parent) {
    return Confirmed(
        parent, QMessageBox::Warning,
        "Uwaga! Zostanie wykonany raport rozliczeniowy i tym samym kasa\r\nzostanie ustawiona w stan "
        "'TYLKO ODCZYT', kontynuować ?  ");
}

} // namespace
} // namespace nubra::reports

namespace nubra::app {

using reports::Confirmed;
using reports::SettlementConfirmed;

void TFormMain::ADayReportExecute() {
    if (nx3_->PrinterType == -1)
        return;
    std::string unprinted, flag5, flag6, flag7, flag8;
    if (!nx3_->GetExtStatus(unprinted, flag5, flag6, flag7, flag8))
        return;
    std::string question = "Chcesz wydrukować raport fiskalny dobowy?\r\n";
    if (StrToIntDef(unprinted, 0) > 0)
        question += "Ilość niewydrukowanych raportów: " + unprinted;
    if (Confirmed(this, QMessageBox::Question, question))
        nx3_->DayReport();
}

void TFormMain::APeriodReportsExecute() {
    using reports::TFormPeriodReports;
    if (nx3_->PrinterType == -1)
        return;
    auto* form = WindowAs<TFormPeriodReports>(QStringLiteral("TFormPeriodReports"));
    if (!form)
        return;
    nx3_->DetectCodePage();
    form->SetPrinterType(nx3_->PrinterType);
    const int result = DialogSeam::Current().Exec(*form);
    const reports::ReportArguments a = form->Arguments();
    const TFormPeriodReports::Kind kind = form->CheckedKind();
    switch (result) {
    case TFormPeriodReports::Print:
        if (kind == TFormPeriodReports::Kind::Periodic)
            nx3_->PeriodReport(a.from, a.to);
        else if (kind == TFormPeriodReports::Kind::Monthly)
            nx3_->MonthlyReport(a.month);
        else if (SettlementConfirmed(this))
            nx3_->SettlementReport(false, a.from, a.to);
        break;
    case TFormPeriodReports::PrintSummary:
        // Only printer type 1 tells the summary from the report by its letter: asked all the same.
        if (kind != TFormPeriodReports::Kind::Settlement)
            nx3_->PeriodSummary(a.from, a.to);
        else if (SettlementConfirmed(this))
            nx3_->SettlementReport(true, a.from, a.to);
        break;
    case TFormPeriodReports::Send:
        reports::TransferPeriodReport(*this, a.from, a.to);
        break;
    default:
        break;
    }
}

void TFormMain::AConstantRepExecute() {
    if (nx3_->PrinterType == -1)
        return;
    if (Confirmed(this, QMessageBox::Warning, " Zostanie wydrukowany raport opisów stałych, kontynuować ? "))
        nx3_->ConstantReport();
}

void TFormMain::ACommodityListExecute() {
    if (nx3_->PrinterType == -1)
        return;
    if (Confirmed(this, QMessageBox::Warning, " Zostanie wydrukowana lista towarów, kontynuować ? "))
        nx3_->CommodityList();
}

void TFormMain::ARozliczeniowyExecute() {
    using reports::TFormRozliczeniowy;
    if (nx3_->PrinterType <= 0) {
        ShowMessageBox(this, QMessageBox::NoIcon,
                       QStringLiteral("Wybrany typ drukarki nie obsługuje raportów rozliczeniowych.."));
        return;
    }
    auto* form = WindowAs<TFormRozliczeniowy>(QStringLiteral("TFormRozliczeniowy"));
    if (!form)
        return;
    form->SetPrinterType(nx3_->PrinterType);
    if (DialogSeam::Current().Exec(*form) != TFormRozliczeniowy::Execute)
        return;
    if (nx3_->PrinterType == -1)
        return;
    const reports::ReportRange range = form->RangePanel()->Range();
    if (SettlementConfirmed(this))
        nx3_->SettlementReport(false, range.from, range.to);
}

} // namespace nubra::app
