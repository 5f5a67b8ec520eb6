#include "TFormFiscalizing.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nubra::service {

TFormFiscalizing::TFormFiscalizing(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Fiskalizacja"));

    auto* nipLabel = new QLabel(QStringLiteral("Wpisz NIP:"), this);
    eNip_ = new QLineEdit(this);
    eNip_->setObjectName(QStringLiteral("E_Nip"));
    eNip_->setMaxLength(kMaxNip);
    eNip_->installEventFilter(this);
    nipLabel->setBuddy(eNip_);
    auto* nip2Label = new QLabel(QStringLiteral("NIP zapamietany w kasie:"), this);
    eNip2_ = new QLineEdit(this);
    eNip2_->setObjectName(QStringLiteral("E_Nip2"));
    eNip2_->setReadOnly(true);
    nip2Label->setBuddy(eNip2_);

    przygotuj_ = new QPushButton(QStringLiteral("Przygotuj"), this);
    przygotuj_->setAutoDefault(false);
    btnZapiszNip_ = new QPushButton(QStringLiteral("Zapisz NIP"), this);
    btnZapiszNip_->setObjectName(QStringLiteral("Btn_ZapiszNip"));
    btnZapiszNip_->setEnabled(false);
    btnZapiszNip_->setAutoDefault(false);
    zamknij_ = new QPushButton(QStringLiteral("Zamknij"), this);
    zamknij_->setDefault(true);
    connect(btnZapiszNip_, &QPushButton::clicked, this, [this] { done(1); });
    connect(zamknij_, &QPushButton::clicked, this, [this] { done(2); });

    auto* grid = new QGridLayout;
    grid->addWidget(nipLabel, 0, 0);
    grid->addWidget(eNip_, 0, 1);
    grid->addWidget(przygotuj_, 0, 2);
    grid->addWidget(nip2Label, 1, 0);
    grid->addWidget(eNip2_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnZapiszNip_);
    buttons->addWidget(zamknij_);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setTabOrder(eNip_, przygotuj_);
    setTabOrder(przygotuj_, btnZapiszNip_);
    setTabOrder(btnZapiszNip_, zamknij_);
}

bool TFormFiscalizing::NipKeyAccepted(const QString& text, QChar key) {
    if (key.isDigit() && key.unicode() < 128)
        return true;
    if (key != QLatin1Char('-'))
        return false;
    return !text.isEmpty() && text.size() < kMaxNip && !text.endsWith(QLatin1Char('-')) &&
           text.count(QLatin1Char('-')) < kMaxDashes;
}

void TFormFiscalizing::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    eNip_->clear();
    eNip_->setFocus();
}

bool TFormFiscalizing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == eNip_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        // Editing keys (Backspace, arrows, Delete) carry no printable character and pass.
        if (typed.size() == 1 && typed.at(0).isPrint() && !NipKeyAccepted(eNip_->text(), typed.at(0)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace nubra::service
