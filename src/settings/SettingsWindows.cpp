#include "SettingsWindows.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

#include "TFormDateTime.h"
#include "TFormGetSetPTU.h"
#include "TFormHeaderFooter.h"
#include "TFormMain.h"
#include "TFormMoveTime.h"
#include "TFormParams.h"
#include "TFormPosts.h"
#include "TFormWaitingTime.h"
#include "TPanNaglowek.h"

namespace nubra::settings {

QWidget* CreateFormDateTime(app::TFormMain& main) {
    auto* w = new TFormDateTime(&main);
    QObject::connect(w, &TFormDateTime::setDateTimeClicked, &main,
                     [&main] { main.RunAction([&main] { main.ASetDateTimeExecute(); }); });
    QObject::connect(w, &TFormDateTime::refreshClicked, &main,
                     [&main] { main.Action(QStringLiteral("AGetDateTime"))->trigger(); });
    return w;
}

QWidget* CreateFormGetSetPTU(app::TFormMain& main) {
    return new TFormGetSetPTU(&main);
}
QWidget* CreateFormPosts(app::TFormMain& main) {
    return new TFormPosts(&main);
}
QWidget* CreateFormMoveTime(app::TFormMain& main) {
    return new TFormMoveTime(&main);
}
QWidget* CreateFormParams(app::TFormMain& main) {
    return new TFormParams(&main);
}
QWidget* CreateFormWaitingTime(app::TFormMain& main) {
    return new TFormWaitingTime(&main);
}
QWidget* CreateFormHeaderFooter(app::TFormMain& main) {
    return new TFormHeaderFooter(&main);
}

QWidget* CreatePanNaglowek(app::TFormMain& main) {
    auto* w = new TPanNaglowek(&main);
    QObject::connect(w, &TPanNaglowek::writeClicked, &main,
                     [&main] { main.RunAction([&main] { WriteHeader(main); }); });
    QObject::connect(w, &TPanNaglowek::centreClicked, &main, [&main, w] {
        for (int line = 1; line <= TPanNaglowek::LineCount; ++line)
            main.CenterHeaderLine(w->Edit(line), w->WideBox(line)->isChecked());
    });
    return w;
}

} // namespace nubra::settings
