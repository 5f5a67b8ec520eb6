#include "StartupWindows.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "CatalogueWindows.h"
#include "QtLinkUi.h"
#include "ReportWindows.h"
#include "SalesWindows.h"
#include "ServiceWindows.h"
#include "SettingsWindows.h"
#include "TFormAbout.h"
#include "TFormError.h"
#include "TFormLogWindow.h"
#include "TFormMain.h"
#include "TFormSetPort.h"
#include "TFormWait.h"

namespace nubra::app {

// The register window (device/TFormRegInfo.cpp).
QWidget* CreateFormRegInfo(TFormMain& main);

namespace {

QWidget* CreateFormWait(TFormMain& main) {
    auto* w = new TFormWait(&main.Nx3(), &main);
    QObject::connect(w, &TFormWait::waitShown, &main, [&main] { main.WaitStateChanged(true); });
    QObject::connect(w, &TFormWait::waitHidden, &main, [&main] { main.WaitStateChanged(false); });
    main.LinkUiImpl().SetWaitWindow(w);
    return w;
}

QWidget* CreateFormError(TFormMain& main) {
    auto* w = new TFormError(&main);
    main.LinkUiImpl().SetErrorWindow(w);
    return w;
}

QWidget* CreateFormSetPort(TFormMain& main) {
    auto* w = new TFormSetPort(&main);
    // Its creation opens the stored port without asking.
    main.RegisterWindow(QStringLiteral("TFormSetPort"), w);
    main.RunAction([&main, w] { main.ASetPortExecute(w); });
    return w;
}

QWidget* CreateFormLogWindow(TFormMain& main) {
    auto* w = new TFormLogWindow(&main);
    main.LinkUiImpl().SetLogWindow(w);
    return w;
}

QWidget* CreateFormAbout(TFormMain& main) {
    auto* w = new TFormAbout(&main);
    w->SetDataFolder(QString::fromStdString(main.ProgramDirectory()));
    return w;
}

} // namespace

const std::vector<StartupWindow>& StartupOrder() {
    static const std::vector<StartupWindow> order = {
        {"TFormDateTime", &settings::CreateFormDateTime},
        {"TFormWait", &CreateFormWait, true},
        {"TFormError", &CreateFormError, true},
        {"TFormGetSetPTU", &settings::CreateFormGetSetPTU},
        {"TFormPosts", &settings::CreateFormPosts},
        {"TFormRegInfo", &CreateFormRegInfo, true},
        {"TFormMoveTime", &settings::CreateFormMoveTime},
        {"TFormParams", &settings::CreateFormParams},
        {"TFormWaitingTime", &settings::CreateFormWaitingTime},
        {"TFormTowary", &catalogues::CreateFormTowary},
        {"TFormKontrah", &catalogues::CreateFormKontrah},
        {"TFormKarty", &catalogues::CreateFormKarty},
        // Goods information is asked from the goods window itself ("Pobierz informację"), which
        // AShowFormTowarInfo opens; this name has no window of its own.
        {"TFormTowarInfo", nullptr},
        {"TFormStartTrans", &CreateFormStartTrans},
        {"TFormRegisterSale", &CreateFormRegisterSale},
        {"TFormChoseReg", &CreateFormChoseReg},
        {"TFormHeaderFooter", &settings::CreateFormHeaderFooter},
        {"TFormPeriodReports", &reports::CreateFormPeriodReports},
        {"TFormFiscalizing", &service::CreateFormFiscalizing},
        {"TFormSetPort", &CreateFormSetPort, true},
        {"TFormSendRapOkres", &reports::CreateFormSendRapOkres},
        {"TFormLogWindow", &CreateFormLogWindow, true},
        {"TFormExchange", &CreateFormExchange},
        {"TFormTemplates", &service::CreateFormTemplates},
        {"TFormPrint", &service::CreateFormPrint},
        {"TFormEuro", &service::CreateFormEuro},
        {"TFormCurrency", &service::CreateFormCurrency},
        {"TFormRozliczeniowy", &reports::CreateFormRozliczeniowy},
        {"TPanNaglowek", &settings::CreatePanNaglowek},
        {"TPanFiskalizacja", &service::CreatePanFiskalizacja},
        {"TFormAbout", &CreateFormAbout},
    };
    return order;
}

namespace {

QWidget* Create(TFormMain& main, const StartupWindow& entry) {
    QWidget* window = entry.create ? entry.create(main) : nullptr;
    if (window)
        window->setObjectName(QString::fromLatin1(entry.name + 1)); // "FormWait", as the form's name
    main.RegisterWindow(QString::fromLatin1(entry.name), window);
    return window;
}

} // namespace

void CreateStartupWindows(TFormMain& main) {
    main.SetWindowFactory([](TFormMain& owner, const QString& name) -> QWidget* {
        for (const StartupWindow& entry : StartupOrder()) {
            if (name == QLatin1String(entry.name))
                return Create(owner, entry);
        }
        return nullptr;
    });
    for (const StartupWindow& entry : StartupOrder()) {
        if (entry.atStart)
            Create(main, entry);
    }
}

void InstallPolishTranslation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace nubra::app
