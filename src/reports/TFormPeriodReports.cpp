#include "TFormPeriodReports.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "DialogParts.h"

namespace nubra::reports {

TFormPeriodReports::TFormPeriodReports(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FormPeriodReports"));
    setWindowTitle(QStringLiteral("Raport fiskalny"));

    cbOkresowy_ = new QCheckBox(QStringLiteral("Okresowy"), this);
    cbOkresowy_->setObjectName(QStringLiteral("CB_Okresowy"));
    cbOkresowy_->setChecked(true);
    cbMiesieczny_ = new QCheckBox(QStringLiteral("Miesięczny"), this);
    cbMiesieczny_->setObjectName(QStringLiteral("CB_Miesieczny"));
    cbRozliczeniowy_ = new QCheckBox(QStringLiteral("Rozliczeniowy"), this);
    cbRozliczeniowy_->setObjectName(QStringLiteral("CB_Rozliczeniowy"));
    kinds_ = new QButtonGroup(this);
    auto* kindRow = new QHBoxLayout;
    for (QCheckBox* box : {cbOkresowy_, cbMiesieczny_, cbRozliczeniowy_}) {
        kinds_->addButton(box);
        kindRow->addWidget(box);
    }
    connect(kinds_, &QButtonGroup::buttonClicked, this,
            [this](QAbstractButton* box) { ChooseKind(static_cast<QCheckBox*>(box)); });

    range_ = new TReportRange(this);
    range_->Pages()->addWidget(MonthPageWidget());

    btnDrukuj_ = ResultButton(*this, QStringLiteral("Drukuj"), "Btn_Drukuj", Print);
    btnDrukuj_->setDefault(true);
    btnPrzeslij_ = ResultButton(*this, QStringLiteral("Prześlij"), "Btn_Przeslij", Send);
    btnPodsumowanie_ =
        ResultButton(*this, QStringLiteral("Drukuj podsumowanie"), "Btn_Podsumowanie", PrintSummary);
    btnCancel_ = ResultButton(*this, QStringLiteral("Anuluj"), "Btn_Cancel", Cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {btnDrukuj_, btnPrzeslij_, btnPodsumowanie_, btnCancel_})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(kindRow);
    layout->addWidget(range_);
    layout->addLayout(buttons);
}

QWidget* TFormPeriodReports::MonthPageWidget() {
    auto* page = new QWidget;
    cbMiesiac_ = new QComboBox(page);
    cbMiesiac_->setObjectName(QStringLiteral("CB_Miesiac"));
    cbMiesiac_->addItems({QStringLiteral("Styczeń"), QStringLiteral("Luty"), QStringLiteral("Marzec"),
                          QStringLiteral("Kwiecień"), QStringLiteral("Maj"), QStringLiteral("Czerwiec"),
                          QStringLiteral("Lipiec"), QStringLiteral("Sierpień"), QStringLiteral("Wrzesień"),
                          QStringLiteral("Październik"), QStringLiteral("Listopad"),
                          QStringLiteral("Grudzień")});
    cbMiesiac_->setCurrentIndex(0);
    seRok_ = new QSpinBox(page);
    seRok_->setObjectName(QStringLiteral("SE_Rok"));
    seRok_->setRange(1974, 2999);
    seRok_->setValue(2003);
    AddLabelledRows(*new QGridLayout(page),
                    {{QStringLiteral("Miesiąc:"), cbMiesiac_}, {QStringLiteral("Rok:"), seRok_}});
    return page;
}

void TFormPeriodReports::ChooseKind(QCheckBox* box) {
    box->setChecked(true);
    if (box == cbMiesieczny_) {
        range_->SetBoxesVisible(false);
        range_->Pages()->setCurrentIndex(MonthPage);
        btnPrzeslij_->setEnabled(false);
        btnPodsumowanie_->setEnabled(false);
        return;
    }
    range_->SetBoxesVisible(true);
    range_->Choose(range_->CB_Daty());
    const bool periodic = box == cbOkresowy_;
    btnPrzeslij_->setEnabled(periodic);
    btnPodsumowanie_->setEnabled(periodic ? printerType_ > 0 : printerType_ == 1);
}

TFormPeriodReports::Kind TFormPeriodReports::CheckedKind() const {
    if (cbMiesieczny_->isChecked())
        return Kind::Monthly;
    return cbRozliczeniowy_->isChecked() ? Kind::Settlement : Kind::Periodic;
}

ReportArguments TFormPeriodReports::Arguments() const {
    if (CheckedKind() == Kind::Monthly) {
        char month[16];
        std::snprintf(month, sizeof month, "%.2d%.2d", seRok_->value() % 100, cbMiesiac_->currentIndex() + 1);
        return {{}, {}, month};
    }
    const ReportRange r = range_->Range();
    return {r.from, r.to, {}};
}

void TFormPeriodReports::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormPeriodReports::FormShow() {
    range_->Reset(printerType_);
    ChooseKind(cbOkresowy_);
    btnPrzeslij_->setEnabled(true);
    const bool full = printerType_ > 0;
    for (QWidget* w : std::initializer_list<QWidget*>{cbMiesieczny_, cbRozliczeniowy_, range_->CB_Numery(),
                                                      range_->CB_CalyOkres()})
        w->setEnabled(full);
    if (!full)
        btnPodsumowanie_->setEnabled(false);
}

} // namespace nubra::reports
