// Handlers whose windows are not built yet: they do nothing. Each moves to its subsystem's folder
// when that is built (delete its line here).
#include "TFormMain.h"

namespace nubra::app {

void TFormMain::AGetSetParamsExecute() {}
void TFormMain::AGetSetPTUExecute() {}
void TFormMain::AGetSetPostNumbersExecute() {}
void TFormMain::AMoveTimeExecute() {}
void TFormMain::AGetSetTimeExecute() {}
void TFormMain::AGetCommodInfoExecute() {}
void TFormMain::AGetSetHeaderExecute() {}
void TFormMain::AGetSetFooterExecute() {}
void TFormMain::AGetDateTimeExecute() {}
void TFormMain::AGetSetWaitingTimeExecute() {}
void TFormMain::AGetNuNipExecute() {}
void TFormMain::AShowFormTowarInfoExecute() {}
void TFormMain::AShowFormDateTimeExecute() {}
void TFormMain::AStartTransExecute() {}
void TFormMain::ARegisterSellExecute() {}
void TFormMain::APrintDocExecute() {}
void TFormMain::AExchangeExecute() {}
void TFormMain::AShowTemplateFormExecute() {}
void TFormMain::AReadTemplateExecute() {}
void TFormMain::APrintTemplateExecute() {}
void TFormMain::AFiscalizingExecute() {}
void TFormMain::APrepareFiscalizingExecute() {}
void TFormMain::AResetRAMExecute() {}
void TFormMain::AChangeToEuroExecute() {}
void TFormMain::AChooseCurrencyExecute() {}
void TFormMain::InicjowaniePustejKartyClick() {}
void TFormMain::ZamknicieKartyClick() {}
void TFormMain::MI_DrukowanieClick() {}

} // namespace nubra::app
