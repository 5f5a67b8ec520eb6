#include "TFormDateTime.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "DialogParts.h"

namespace nubra::settings {

TFormDateTime::TFormDateTime(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Data i czas"));
    meDate_ = new QLineEdit(this);
    meDate_->setObjectName(QStringLiteral("ME_Date"));
    // "20" stays in front; every digit after it may be left blank.
    meDate_->setInputMask(QStringLiteral("2\\000-00-00;_"));
    meDate_->setEnabled(false);
    meDate_->setReadOnly(true);
    meTime_ = new QLineEdit(this);
    meTime_->setObjectName(QStringLiteral("ME_Time"));
    // The first hour digit may be left blank, the others are required.
    meTime_->setInputMask(QStringLiteral("09:99:99;_"));
    lCompDateTime_ = new QLabel(this);
    lCompDateTime_->setObjectName(QStringLiteral("L_CompDateTime"));
    lCompDateTime_->setAccessibleName(QStringLiteral("Komputer:"));
    QFont bold = lCompDateTime_->font();
    bold.setBold(true);
    lCompDateTime_->setFont(bold);
    cbOnlyHour_ = new QCheckBox(QStringLiteral("Ustawiać tylko godzinę (nie ustawiać daty)"), this);
    cbOnlyHour_->setObjectName(QStringLiteral("CB_OnlyHour"));
    cbOnlyHour_->setChecked(true);

    QPushButton* close = ResultButton(this, "Zamknij", QStringLiteral("Zamknij"), mrOk);
    close->setDefault(true);
    btnSetDateTime_ = new QPushButton(QStringLiteral("Ustaw"), this);
    btnSetDateTime_->setObjectName(QStringLiteral("BtnSetDateTime"));
    btnRefresh_ = new QPushButton(QStringLiteral("Odśwież"), this);
    btnRefresh_->setObjectName(QStringLiteral("BtnRefresh"));
    timer_ = new QTimer(this);
    timer_->setInterval(500);

    auto* form = new QFormLayout;
    form->addRow(BuddyLabel(QStringLiteral("Data:"), meDate_, this), meDate_);
    form->addRow(BuddyLabel(QStringLiteral("Godzina:"), meTime_, this), meTime_);
    form->addRow(new QLabel(QStringLiteral("Komputer:"), this), lCompDateTime_);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(form);
    layout->addWidget(cbOnlyHour_);
    layout->addLayout(ButtonRow({close, btnSetDateTime_, btnRefresh_}));
    setTabOrder(meDate_, meTime_);
    setTabOrder(meTime_, cbOnlyHour_);

    connect(timer_, &QTimer::timeout, this, &TFormDateTime::TimerTimer);
    connect(cbOnlyHour_, &QCheckBox::toggled, this, &TFormDateTime::CB_OnlyHourClick);
    connect(btnSetDateTime_, &QPushButton::clicked, this, &TFormDateTime::setDateTimeClicked);
    connect(btnRefresh_, &QPushButton::clicked, this, &TFormDateTime::refreshClicked);
}

void TFormDateTime::TimerTimer() {
    lCompDateTime_->setText(Now().toString(QStringLiteral("'20'yy-MM-dd hh:mm:ss")));
}

void TFormDateTime::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    // The clock runs only while the window is the active one.
    if (isActiveWindow()) {
        TimerTimer();
        timer_->start();
    } else {
        timer_->stop();
    }
}

void TFormDateTime::CB_OnlyHourClick() {
    meDate_->setEnabled(!cbOnlyHour_->isChecked());
}

} // namespace nubra::settings
