#include "TFormWaitingTime.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "DialogParts.h"

namespace nubra::settings {

TFormWaitingTime::TFormWaitingTime(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Czas oczekiwania"));
    meCzas_ = new QLineEdit(this);
    meCzas_->setObjectName(QStringLiteral("ME_Czas"));
    meCzas_->setMaxLength(2);
    QFont bold = meCzas_->font();
    bold.setBold(true);
    meCzas_->setFont(bold);
    // Pasted text too: digits only.
    meCzas_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), meCzas_));
    meCzas_->installEventFilter(this);

    btnUstaw_ = ResultButton(this, "Btn_Ustaw", QStringLiteral("Ustaw"), mrOk);
    btnUstaw_->setDefault(true);
    QPushButton* close = ResultButton(this, "Zamknij", QStringLiteral("Zamknij"), mrCancel);

    auto* row = new QGridLayout;
    row->addWidget(BuddyLabel(QStringLiteral("Czas oczekiwania \nna wydruk dokumentu:"), meCzas_, this), 0,
                   0);
    row->addWidget(meCzas_, 0, 1);
    row->addWidget(new QLabel(QStringLiteral("min."), this), 0, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(row);
    layout->addLayout(ButtonRow({btnUstaw_, close}));
}

bool TFormWaitingTime::eventFilter(QObject* watched, QEvent* event) {
    if (watched == meCzas_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed = !text.isEmpty() && text.at(0).isPrint();
        if (typed && !(text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')) {
            QApplication::beep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace nubra::settings
