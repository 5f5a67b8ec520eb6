// The main window's side of the catalogues: opening the tables at start-up, the windows' creation
// and the three actions of the "&Bazy" menu and ToolBar3.
#include <QAction>
#include <QMessageBox>
#include <QPushButton>

#include "CatalogueTables.h"
#include "CatalogueWindows.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "TFormCatalogue.h"
#include "TFormMain.h"
#include "TableModal.h"

namespace nubra::catalogues {
namespace {

QWidget* CreateForm(app::TFormMain& main, Catalogue which) {
    CatalogueTables* tables = CatalogueTables::Of(main);
    if (!tables)
        return nullptr;
    auto* window = new TFormCatalogue(Definition(which), tables->Table(which), &main);
    if (QPushButton* getInfo = window->BtnGetInfo()) {
        // Asks the printer about the selected goods, through the action (a wait in progress refuses it).
        getInfo->setEnabled(true);
        QObject::connect(getInfo, &QPushButton::clicked, &main,
                         [&main] { main.Action(QStringLiteral("AGetCommodInfo"))->trigger(); });
    }
    return window;
}

void ShowCatalogue(app::TFormMain& main, Catalogue which) {
    auto* window = main.WindowAs<TFormCatalogue>(QString::fromLatin1(Definition(which).windowName));
    if (!window)
        return;
    window->SetCloseCaption(QStringLiteral("Zamknij"));
    window->SetPickMode(false);
    app::DialogSeam::Current().Exec(*window);
}

} // namespace

QWidget* CreateFormTowary(app::TFormMain& main) {
    return CreateForm(main, Catalogue::Goods);
}
QWidget* CreateFormKontrah(app::TFormMain& main) {
    return CreateForm(main, Catalogue::Contractors);
}
QWidget* CreateFormKarty(app::TFormMain& main) {
    return CreateForm(main, Catalogue::Cards);
}

} // namespace nubra::catalogues

namespace nubra::app {

void TFormMain::OpenCatalogueTables() {
    // The record editor's dialogs and boxes go where every other dialog of the program goes.
    tables_qt::SetExecHook([](QDialog& dialog) { return DialogSeam::Current().Exec(dialog); });
    auto* tables = new catalogues::CatalogueTables(this);
    tables->OpenAll(tablesDirectory_, [this](const std::string& message) {
        ShowMessageBox(this, QMessageBox::Critical, ProgramText(message));
    });
}

void TFormMain::ATowaryExecute() {
    catalogues::ShowCatalogue(*this, catalogues::Catalogue::Goods);
}
void TFormMain::AKontrahExecute() {
    catalogues::ShowCatalogue(*this, catalogues::Catalogue::Contractors);
}
void TFormMain::AKartyExecute() {
    catalogues::ShowCatalogue(*this, catalogues::Catalogue::Cards);
}

} // namespace nubra::app
