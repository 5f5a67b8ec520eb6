#include "TFormDateTime.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "DialogParts.h"

namespace nubra::settings {
namespace {

// "20yy-mm-dd": where the six digits after the fixed "20" stand.
constexpr int kDatePlaces[] = {2, 3, 5, 6, 8, 9};
constexpr int kDateDigits = 6;
constexpr int kDateEnd = 10;

} // namespace

TFormDateTime::TFormDateTime(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Data i czas"));
    meDate_ = new QLineEdit(this);
    meDate_->setObjectName(QStringLiteral("ME_Date"));
    // "20" stays in front; every digit after it may be left blank.
    meDate_->setInputMask(QStringLiteral("2\\000-00-00;_"));
    meDate_->setEnabled(false);
    meDate_->setReadOnly(true);
    meDate_->installEventFilter(this);
    // Typing starts after the fixed "20", wherever the edit was clicked.
    connect(meDate_, &QLineEdit::cursorPositionChanged, this, [this](int, int now) {
        if (now < kDatePlaces[0])
            meDate_->setCursorPosition(kDatePlaces[0]);
    });
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

bool TFormDateTime::eventFilter(QObject* watched, QEvent* event) {
    if (watched == meDate_ && event->type() == QEvent::KeyPress && !meDate_->isReadOnly()) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')
            return TypeDateDigit(text.at(0));
        typed_.clear();
    }
    return QDialog::eventFilter(watched, event);
}

// "261231" and "20261231" both mean 2026-12-31: once a run of digits typed from the year's first place
// grows past six and began with "20", those two were the fixed ones. Anything else types as the mask does.
bool TFormDateTime::TypeDateDigit(QChar digit) {
    const int at = meDate_->hasSelectedText() ? meDate_->selectionStart() : meDate_->cursorPosition();
    if (at <= kDatePlaces[0]) {
        typedOver_ = MaskedText(meDate_);
        if (meDate_->hasSelectedText())
            typedOver_.replace(meDate_->selectionStart(), meDate_->selectedText().size(),
                               QString(meDate_->selectedText().size(), u' '));
        typed_.clear();
    } else if (typed_.isEmpty() || at != typedEnd_) {
        typed_.clear();
        return false;
    }
    typed_ += digit;
    const QString digits =
        typed_.size() > kDateDigits && typed_.startsWith(QStringLiteral("20")) ? typed_.mid(2) : typed_;
    if (digits.size() > kDateDigits) {
        typed_.chop(1);
        return true;
    }
    for (int i = 0; i < kDateDigits; ++i) {
        const QChar c = i < digits.size()                    ? digits.at(i)
                        : kDatePlaces[i] < typedOver_.size() ? typedOver_.at(kDatePlaces[i])
                                                             : QChar(u' ');
        meDate_->setSelection(kDatePlaces[i], 1);
        if (c == u' ')
            meDate_->del();
        else
            meDate_->insert(QString(c));
    }
    typedEnd_ = digits.size() < kDateDigits ? kDatePlaces[digits.size()] : kDateEnd;
    meDate_->setCursorPosition(typedEnd_);
    return true;
}

void TFormDateTime::CB_OnlyHourClick() {
    meDate_->setEnabled(!cbOnlyHour_->isChecked());
}

} // namespace nubra::settings
