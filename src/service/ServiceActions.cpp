// RAM reset, the SD card, service printing and message templates: actions of the main window, and
// the factories of the fiscal and service windows.
#include <QAction>
#include <QPushButton>
#include <algorithm>

#include "DeviceText.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "ServiceWindows.h"
#include "TFormCurrency.h"
#include "TFormEuro.h"
#include "TFormFiscalizing.h"
#include "TFormMain.h"
#include "TFormPrint.h"
#include "TFormTemplates.h"
#include "TNX3Class.h"
#include "TPanFiskalizacja.h"

namespace nubra::app {
namespace {

// A button of a window runs an action of the main window.
void RunsAction(QPushButton* button, TFormMain& main, const char* action) {
    QObject::connect(button, &QPushButton::clicked, &main,
                     [&main, action] { main.Action(QString::fromLatin1(action))->trigger(); });
}

} // namespace

void TFormMain::AResetRAMExecute() {
    if (nx3_->PrinterType < 1) {
        ShowMessageBox(this, QMessageBox::NoIcon,
                       QStringLiteral("Wybrany typ drukarki nie obsługuje funkcji zerowania RAM.."));
        return;
    }
    if (ShowMessageBox(this, QMessageBox::Warning,
                       QStringLiteral("  Uwaga! Pamięć RAM kasy zostanie wyzerowana, kontynuować ?  "),
                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        nx3_->ResetRam();
}

void TFormMain::InicjowaniePustejKartyClick() {
    if (nx3_->InitSdCard())
        ShowMessageBox(this, QMessageBox::Information, QStringLiteral("Karta SD została zainicjowana."));
}

void TFormMain::ZamknicieKartyClick() {
    if (nx3_->CloseSdCard())
        ShowMessageBox(this, QMessageBox::Information, QStringLiteral("Karta SD została zamknięta."));
}

void TFormMain::MI_DrukowanieClick() {
    DialogSeam::Current().Exec(*WindowAs<service::TFormPrint>(QStringLiteral("TFormPrint")));
}

void TFormMain::AShowTemplateFormExecute() {
    if (nx3_->PrinterType == -1)
        return;
    DialogSeam::Current().Exec(*WindowAs<service::TFormTemplates>(QStringLiteral("TFormTemplates")));
}

void TFormMain::AReadTemplateExecute() {
    auto* form = WindowAs<service::TFormTemplates>(QStringLiteral("TFormTemplates"));
    if (!nx3_->DetectCodePage())
        return;
    TemplateFields fields;
    if (!nx3_->ReadTemplate(form->Number(), fields))
        return;
    QStringList descriptions;
    std::for_each(fields.begin() + 2, fields.end(),
                  [&descriptions](const std::string& d) { descriptions << app::FromDevice(d); });
    form->ShowTemplate(app::FromDevice(fields[0]), app::FromDevice(fields[1]), descriptions);
}

void TFormMain::APrintTemplateExecute() {
    auto* form = WindowAs<service::TFormTemplates>(QStringLiteral("TFormTemplates"));
    TemplateFields rows;
    const QStringList data = form->RowData();
    for (int j = 0; j < data.size() && j < static_cast<int>(rows.size()); ++j)
        rows[static_cast<std::size_t>(j)] = app::ToDevice(data.at(j));
    nx3_->PrintTemplate(form->Number(), form->Cut() ? "T" : "N", rows);
}

} // namespace nubra::app

namespace nubra::service {

QWidget* CreateFormFiscalizing(app::TFormMain& main) {
    auto* form = new TFormFiscalizing(&main);
    app::RunsAction(form->PrepareButton(), main, "APrepareFiscalizing");
    return form;
}

QWidget* CreateFormTemplates(app::TFormMain& main) {
    auto* form = new TFormTemplates(&main);
    app::RunsAction(form->ReadButton(), main, "AReadTemplate");
    app::RunsAction(form->PrintButton(), main, "APrintTemplate");
    return form;
}

QWidget* CreateFormPrint(app::TFormMain& main) {
    auto* form = new TFormPrint(&main);
    form->Send = [&main](const std::vector<std::string>& writes) {
        main.RunAction([&main, &writes] { main.Nx3().SendPrintout(writes); });
    };
    return form;
}

QWidget* CreateFormEuro(app::TFormMain& main) {
    return new TFormEuro(&main);
}

QWidget* CreateFormCurrency(app::TFormMain& main) {
    return new TFormCurrency(&main);
}

QWidget* CreatePanFiskalizacja(app::TFormMain& main) {
    return new TPanFiskalizacja(&main);
}

} // namespace nubra::service
