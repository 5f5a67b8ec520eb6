#include "TFormStartTrans.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "SaleWidgets.h"
#include "TDecimalEdit.h"
#include "TRegisterGroup.h"

namespace nubra::app {

TFormStartTrans::TFormStartTrans(std::function<QString()> nativeCurrency, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      nativeCurrency_(std::move(nativeCurrency)) {
    setObjectName(QStringLiteral("FormStartTrans"));
    setWindowTitle(QStringLiteral("Rozpoczęcie transakcji"));

    rgRejestr_ = new TRegisterGroup(QStringLiteral(" Rejestr "), this);

    auto* limitBox = new QGroupBox(QStringLiteral(" Limit sprzedaży "), this);
    auto* limitLabel = new QLabel(QStringLiteral("Kwota:"), limitBox);
    ceLimit_ = new TDecimalEdit(2, 0, 999999, limitBox);
    ceLimit_->setObjectName(QStringLiteral("CE_Limit"));
    ceLimit_->SetValue(5000);
    limitLabel->setBuddy(ceLimit_);
    // Only its drop-down button shows beside the edit; it is reached with the mouse only.
    cbMany_ = new QComboBox(limitBox);
    cbMany_->setObjectName(QStringLiteral("CB_Many"));
    cbMany_->addItems({QStringLiteral("10,00"), QStringLiteral("20,00"), QStringLiteral("50,00"),
                       QStringLiteral("100,00"), QStringLiteral("200,00")});
    cbMany_->setCurrentText(QStringLiteral("50,00"));
    cbMany_->setFocusPolicy(Qt::NoFocus);
    cbMany_->setFixedWidth(cbMany_->sizeHint().height());
    cbMany_->setAccessibleName(QStringLiteral("Typowe limity"));
    // Every choice copies its limit, also of the item already shown after the limit was typed over.
    connect(cbMany_, &QComboBox::activated, this, [this](int index) {
        ceLimit_->setText(cbMany_->itemText(index));
        ceLimit_->SetValue(ceLimit_->Value());
    });
    auto* limitRow = new QHBoxLayout(limitBox);
    limitRow->addWidget(limitLabel);
    limitRow->addWidget(ceLimit_, 1);
    limitRow->addWidget(cbMany_);

    auto* currencyLabel = new QLabel(QStringLiteral("Waluta:"), this);
    cbWaluta_ = new QComboBox(this);
    cbWaluta_->setObjectName(QStringLiteral("CB_Waluta"));
    cbWaluta_->setEditable(true);
    cbWaluta_->addItems({QStringLiteral("PLN"), QStringLiteral("EUR"), QStringLiteral("USD"), QString()});
    cbWaluta_->setCurrentText(QStringLiteral("PLN"));
    currencyLabel->setBuddy(cbWaluta_);
    UpperCaseAsTyped(cbWaluta_->lineEdit());
    connect(cbWaluta_, &QComboBox::currentTextChanged, this, [this] { CB_WalutaChange(); });

    lblKurs_ = new QLabel(QStringLiteral("Kurs:"), this);
    ceKurs_ = new TDecimalEdit(4, 10, 999999, this);
    ceKurs_->setObjectName(QStringLiteral("CE_Kurs"));
    ceKurs_->SetValue(10000);
    lblKurs_->setBuddy(ceKurs_);
    lblKurs_->setEnabled(false);
    ceKurs_->setEnabled(false);

    const DialogButtons buttons =
        MakeDialogButtons(this, "ButtonOK", QStringLiteral("OK"), "ButtonAnuluj", QStringLiteral("Anuluj"));
    buttonOk_ = buttons.accept;
    buttonAnuluj_ = buttons.reject;
    buttonOk_->setToolTip(QStringLiteral("Rozpocznij transakcję"));
    buttonAnuluj_->setToolTip(QStringLiteral("Nie rozpoczynaj transakcji"));

    auto* currencyRow = new QGridLayout;
    currencyRow->addWidget(currencyLabel, 0, 0);
    currencyRow->addWidget(cbWaluta_, 0, 1);
    currencyRow->addWidget(lblKurs_, 0, 2);
    currencyRow->addWidget(ceKurs_, 0, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(rgRejestr_);
    layout->addWidget(limitBox);
    layout->addLayout(currencyRow);
    layout->addLayout(buttons.row);

    setTabOrder(rgRejestr_, ceLimit_);
    setTabOrder(ceLimit_, cbWaluta_);
    setTabOrder(cbWaluta_, ceKurs_);
    setTabOrder(ceKurs_, buttonOk_);
    setTabOrder(buttonOk_, buttonAnuluj_);
}

void TFormStartTrans::CB_WalutaChange() {
    const bool foreign = cbWaluta_->currentText() != nativeCurrency_();
    ceKurs_->setEnabled(foreign);
    lblKurs_->setEnabled(foreign);
}

void TFormStartTrans::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(this);
    buttonAnuluj_->setFocus();
}

} // namespace nubra::app
