#include "SalesWindows.h"

#include <QLabel>

#include "ControlTag.h"
#include "SalesState.h"
#include "TFormChoseReg.h"
#include "TFormExchange.h"
#include "TFormMain.h"
#include "TFormRegInfo.h"
#include "TFormRegisterSale.h"
#include "TFormStartTrans.h"

namespace nubra::app {

QWidget* CreateFormStartTrans(TFormMain& main) {
    return new TFormStartTrans([&main] { return QString::fromStdString(main.NativeCurrency()); }, &main);
}

QWidget* CreateFormRegisterSale(TFormMain& main) {
    auto registerView = [&main](int n) {
        TFormRegisterSale::RegisterView view;
        if (TFormRegInfo* regInfo = FormRegInfo(main)) {
            view.tranNo = regInfo->TranNoLabel(n)->text();
            view.limitCaption = regInfo->LimitLabel(n)->text();
            view.limitTag = Tag(regInfo->LimitLabel(n));
        }
        const TRegisterCurrency& entry = RegisterCurrency.at(static_cast<std::size_t>(n - 1));
        view.isCurrency = entry.IsCurrency;
        view.currency = QString::fromStdString(entry.Currency);
        return view;
    };
    return new TFormRegisterSale(MakeCataloguePicker(main), registerView, &main);
}

QWidget* CreateFormChoseReg(TFormMain& main) {
    return new TFormChoseReg(&main);
}

QWidget* CreateFormExchange(TFormMain& main) {
    return new TFormExchange(MakeCataloguePicker(main), &main);
}

} // namespace nubra::app
