#include "TFormCatalogue.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

#include "GridBinding.h"
#include "MessageBox.h"
#include "NubraError.h"
#include "RecordDialog.h"
#include "ScreenFit.h"
#include "TMyTable.h"

namespace nubra::catalogues {

TFormCatalogue::TFormCatalogue(const CatalogueDef& def, TMyTable& table, QWidget* parent)
    : QDialog(parent), table_(table) {
    setObjectName(QString::fromLatin1(def.windowName + 1));
    setWindowTitle(QString::fromUtf8(def.caption));
    setSizeGripEnabled(true);
    setMinimumWidth(def.minimumWidth);

    grid_ = new QTableView(this);
    grid_->setObjectName(QString::fromLatin1(def.gridName));
    grid_->verticalHeader()->setDefaultSectionSize(18);
    grid_->verticalHeader()->setMinimumSectionSize(1);

    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("Panel1"));
    auto* buttons = new QHBoxLayout(panel_);
    buttons->addWidget(AddButton("SB_Edytuj", "Enter - Edytuj rekord", &TFormCatalogue::SB_EdytujClick));
    buttons->addWidget(AddButton("SB_Dodaj", "+ - Dodaj rekord     ", &TFormCatalogue::SB_DodajClick));
    buttons->addWidget(AddButton("SB_Wstaw", "Ins - Wstaw rekord", &TFormCatalogue::SB_WstawClick));
    buttons->addWidget(AddButton("SB_Usun", "Del - Usuń rekord      ", &TFormCatalogue::SB_UsunClick));
    buttons->addStretch(1);
    if (def.hasGetInfo) {
        btnGetInfo_ = new QPushButton(QStringLiteral("Pobierz informację"), panel_);
        btnGetInfo_->setObjectName(QStringLiteral("Btn_GetInfo"));
        btnGetInfo_->setAutoDefault(false);
        btnGetInfo_->setEnabled(false);
        buttons->addWidget(btnGetInfo_);
    }
    btnOk_ = new QPushButton(QStringLiteral("Zamknij"), panel_);
    btnOk_->setObjectName(QStringLiteral("Btn_Ok"));
    btnOk_->setAutoDefault(false);
    connect(btnOk_, &QPushButton::clicked, this, [this] { done(CloseResult); });
    buttons->addWidget(btnOk_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(grid_, 1);
    layout->addWidget(panel_);

    tables_qt::AttachGrid(table_, grid_);
    for (std::size_t i = 0; i < def.columnWidths.size(); ++i)
        grid_->setColumnWidth(static_cast<int>(i), def.columnWidths[i]);
    // Wide enough for the columns and for every button caption whole; the minimum width stays the
    // catalogue's own, so the operator may still narrow the window.
    const int columns = std::accumulate(def.columnWidths.begin(), def.columnWidths.end(), 0);
    resize(std::max({def.minimumWidth, columns + 24, panel_->sizeHint().width()}), 320);

    // The window sees every key before the control that has the focus.
    grid_->viewport()->installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QToolButton* TFormCatalogue::AddButton(const char* name, const char* caption,
                                       void (TFormCatalogue::*click)()) {
    auto* button = new QToolButton(panel_);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromUtf8(caption));
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(button, &QToolButton::clicked, this, click);
    return button;
}

void TFormCatalogue::SetCloseCaption(const QString& caption) {
    btnOk_->setText(caption);
}

void TFormCatalogue::RunEditor(int mode) {
    // An engine error (a file that cannot be written or read) ends the edit, not the window.
    try {
        tables_qt::RecordDialog(table_, mode, this);
    } catch (const Error& e) {
        app::ShowMessageBox(this, QMessageBox::Critical, app::ProgramText(std::string(e.what())));
    }
}

void TFormCatalogue::SB_EdytujClick() {
    RunEditor(tables_qt::ModeEdit);
}
void TFormCatalogue::SB_DodajClick() {
    RunEditor(tables_qt::ModeAdd);
}
void TFormCatalogue::SB_WstawClick() {
    RunEditor(tables_qt::ModeInsert);
}
void TFormCatalogue::SB_UsunClick() {
    RunEditor(tables_qt::ModeDelete);
}

void TFormCatalogue::reject() {
    done(CloseResult);
}

bool TFormCatalogue::HandleKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SB_EdytujClick();
        return true;
    case Qt::Key_Insert:
        SB_WstawClick();
        return true;
    case Qt::Key_Delete:
        SB_UsunClick();
        return true;
    // The keypad plus, and the plus-and-equals key of the main keyboard with or without Shift.
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        SB_DodajClick();
        return true;
    default:
        return false;
    }
}

bool TFormCatalogue::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    if (event->type() == QEvent::MouseButtonDblClick && watched == grid_->viewport()) {
        if (pickMode_)
            done(CloseResult);
        else
            SB_EdytujClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormCatalogue::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event->key()))
        QDialog::keyPressEvent(event);
}

void TFormCatalogue::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWidget* main = parentWidget())
        move(main->geometry().center() - rect().center());
    app::KeepOnScreen(*this); // the buttons stay within reach
    grid_->setFocus();
}

} // namespace nubra::catalogues
