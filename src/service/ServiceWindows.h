#pragma once
// Factories of the fiscal and service windows for the start-up list.
class QWidget;

namespace nubra::app {
class TFormMain;
}

namespace nubra::service {

QWidget* CreateFormFiscalizing(app::TFormMain& main);
QWidget* CreateFormTemplates(app::TFormMain& main);
QWidget* CreateFormPrint(app::TFormMain& main);
QWidget* CreateFormEuro(app::TFormMain& main);
QWidget* CreateFormCurrency(app::TFormMain& main);
QWidget* CreatePanFiskalizacja(app::TFormMain& main);

} // namespace nubra::service
