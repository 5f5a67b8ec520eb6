#include "TFormExchange.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "SaleWidgets.h"
#include "TDecimalEdit.h"

namespace nubra::app {

TFormExchange::TFormExchange(CataloguePicker picker, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), picker_(std::move(picker)) {
    setObjectName(QStringLiteral("FormExchange"));
    setWindowTitle(QStringLiteral("Potwierdzenie transakcji wymiany walut"));

    auto* grid = new QGridLayout;
    bbWybierzFirme_ = MakePickButton("BB_WybierzFirme", QStringLiteral("Wybierz towar..."), this);
    contractor_ = std::make_unique<TContractorFields>(this, grid, 0, bbWybierzFirme_);
    connect(bbWybierzFirme_, &QToolButton::clicked, this, &TFormExchange::BB_WybierzFirmeClick);
    OnClick(contractor_->Field(0), [this] { BB_WybierzFirmeClick(); });

    ceNrTrans_ = new TDecimalEdit(0, 0, 99999, this);
    ceNrTrans_->setObjectName(QStringLiteral("CE_NrTrans"));
    ceNrTrans_->setMaxLength(5);
    ceNrTrans_->SetValue(0);
    ceSkup_ = new TDecimalEdit(2, 0, 999999, this);
    ceSkup_->setObjectName(QStringLiteral("CE_Skup"));
    ceSkup_->SetValue(100);
    eWal_ = new QLineEdit(QStringLiteral("EUR"), this);
    eWal_->setObjectName(QStringLiteral("E_Wal"));
    eWal_->setMaxLength(3);
    ceKurs_ = new TDecimalEdit(4, 0, 999999, this);
    ceKurs_->setObjectName(QStringLiteral("CE_Kurs"));
    ceKurs_->SetValue(10000);
    ceWartosc_ = new TDecimalEdit(2, 0, 999999, this);
    ceWartosc_->setObjectName(QStringLiteral("CE_Wartosc"));
    ceWartosc_->SetValue(100);
    // A product over the value's field is shown as it is and refused, not cut to 9999,99.
    for (TDecimalEdit* edit : {ceSkup_, ceKurs_, ceWartosc_})
        edit->SetRefusesOutOfBounds(true);
    connect(ceSkup_, &QLineEdit::textChanged, this, &TFormExchange::UpdateValue);
    connect(ceKurs_, &QLineEdit::textChanged, this, &TFormExchange::UpdateValue);

    const std::pair<const char*, QWidget*> rows[] = {{"Numer transakcji:", ceNrTrans_},
                                                     {"Ilość skupow. dewiz:", ceSkup_},
                                                     {"Waluta:", eWal_},
                                                     {"Kurs:", ceKurs_},
                                                     {"Wartość:", ceWartosc_}};
    int row = 5;
    for (const auto& [caption, edit] : rows) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    grid->addWidget(new QLabel(QStringLiteral("PLN"), this), row - 1, 2);

    const DialogButtons buttons = MakeDialogButtons(this, "Btn_Drukuj", QStringLiteral("Drukuj"),
                                                    "Btn_Cancel", QStringLiteral("Anuluj"));
    btnDrukuj_ = buttons.accept;
    btnCancel_ = buttons.reject;
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addLayout(buttons.row);

    setTabOrder(bbWybierzFirme_, ceNrTrans_);
    setTabOrder(ceNrTrans_, ceSkup_);
    setTabOrder(ceSkup_, eWal_);
    setTabOrder(eWal_, ceKurs_);
    setTabOrder(ceKurs_, ceWartosc_);
    setTabOrder(ceWartosc_, btnDrukuj_);
    setTabOrder(btnDrukuj_, btnCancel_);
}

TFormExchange::~TFormExchange() = default;

void TFormExchange::BB_WybierzFirmeClick() {
    if (auto values = picker_(catalogues::Catalogue::Contractors, TContractorFields::FieldNames, false))
        contractor_->Fill(*values);
}

QString TFormExchange::Refusal() const {
    for (const auto& [edit, what] : {std::pair{ceSkup_, "Ilość skupowanych dewiz"},
                                     std::pair{ceKurs_, "Kurs"}, std::pair{ceWartosc_, "Wartość"}}) {
        const QString refusal = edit->Refusal(QString::fromUtf8(what));
        if (!refusal.isEmpty())
            return refusal;
    }
    return {};
}

void TFormExchange::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(this);
}

void TFormExchange::UpdateValue() {
    // Hundredths x ten-thousandths, back to hundredths rounded half up: exact.
    ceWartosc_->SetValue((ceSkup_->Value() * ceKurs_->Value() + 5000) / 10000);
}

} // namespace nubra::app
