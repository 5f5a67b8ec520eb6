#include "TFormEuro.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "MessageBox.h"

namespace nubra::service {
namespace {

// The first two digits of the year are fixed; the day, the minutes and the last hour digit are
// required. Blanks show as spaces.
const QString kDateMask = QStringLiteral("2\\000-00-99; ");
const QString kTimeMask = QStringLiteral("09:99; ");

QLineEdit* Field(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

TFormEuro::TFormEuro(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Zmiana waluty ewidencyjnej"));
    mEditData_ = Field(this, "MEditData", 10);
    mEditData_->setInputMask(kDateMask);
    mEditGodzina_ = Field(this, "MEditGodzina", 5);
    mEditGodzina_->setInputMask(kTimeMask);
    mNextCurrency_ = Field(this, "MNextCurrency", 3);
    mCurrentCurrency_ = Field(this, "MCurrentCurrency", 3);
    mCurrentCurrency_->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Data zmiany:"), mEditData_);
    form->addRow(QStringLiteral("Godzina zmiany:"), mEditGodzina_);
    form->addRow(QStringLiteral("Przyszła nazwa waluty:"), mNextCurrency_);
    form->addRow(QStringLiteral("Aktualna nazwa waluty:"), mCurrentCurrency_);

    kbUstaw_ = new QPushButton(QStringLiteral("Ustaw"), this);
    kbUstaw_->setDefault(true);
    kbAnuluj_ = new QPushButton(QStringLiteral("Anuluj"), this);
    connect(kbUstaw_, &QPushButton::clicked, this, &TFormEuro::Confirm);
    connect(kbAnuluj_, &QPushButton::clicked, this, [this] { done(kAnuluj); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(kbUstaw_);
    buttons->addWidget(kbAnuluj_);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QString TFormEuro::Date() const {
    return mEditData_->displayText();
}

QString TFormEuro::Time() const {
    return mEditGodzina_->displayText();
}

QString TFormEuro::NextCurrency() const {
    return mNextCurrency_->text();
}

void TFormEuro::Fill(const QString& date, const QString& time, const QString& next, const QString& current) {
    mEditData_->setText(date);
    mEditGodzina_->setText(time);
    mNextCurrency_->setText(next);
    mCurrentCurrency_->setText(current);
}

void TFormEuro::Confirm() {
    for (QLineEdit* edit : {mEditData_, mEditGodzina_}) {
        if (!edit->hasAcceptableInput()) {
            const QString what = edit == mEditData_ ? QStringLiteral("Niepełna data zmiany: ")
                                                    : QStringLiteral("Niepełna godzina zmiany: ");
            app::ShowMessageBox(this, QMessageBox::Warning, what + edit->displayText());
            edit->setFocus();
            return;
        }
    }
    done(kUstaw);
}

} // namespace nubra::service
