#pragma once
// Factories of the sale dialogs for the start-up list.
class QWidget;

namespace nubra::app {

class TFormMain;

QWidget* CreateFormStartTrans(TFormMain& main);
QWidget* CreateFormRegisterSale(TFormMain& main);
QWidget* CreateFormChoseReg(TFormMain& main);
QWidget* CreateFormExchange(TFormMain& main);

} // namespace nubra::app
