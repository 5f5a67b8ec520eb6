#include "TReportRange.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "ControlTag.h"
#include "DialogParts.h"

namespace nubra::reports {
namespace {

QString DateText(const QDate& date) {
    return QStringLiteral("20") + date.toString(QStringLiteral("yy-MM-dd"));
}

QCheckBox* RangeBox(const QString& caption, const char* name, int page, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    app::SetTag(box, page);
    return box;
}

QSpinBox* NumberSpin(const char* name, int value, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(1, 9999);
    spin->setValue(value);
    return spin;
}

} // namespace

TReportRange::TReportRange(QWidget* parent) : QWidget(parent) {
    cbDaty_ = RangeBox(QStringLiteral("Daty"), "CB_Daty", DatesPage, this);
    cbNumery_ = RangeBox(QStringLiteral("Numery"), "CB_Numery", NumbersPage, this);
    cbCalyOkres_ = RangeBox(QStringLiteral("Cały okres"), "CB_CalyOkres", WholePeriodPage, this);
    cbDaty_->setChecked(true);
    // Exclusive: a click on the chosen box keeps it chosen, so one box is always checked.
    group_ = new QButtonGroup(this);
    for (QCheckBox* box : {cbDaty_, cbNumery_, cbCalyOkres_})
        group_->addButton(box);
    connect(group_, &QButtonGroup::buttonClicked, this,
            [this](QAbstractButton* box) { Choose(static_cast<QCheckBox*>(box)); });

    pages_ = new QStackedWidget(this);
    pages_->addWidget(DatesPageWidget());
    pages_->addWidget(NumbersPageWidget());
    auto* whole = new QLabel(QStringLiteral("Za cały okres pracy kasy."));
    whole->setAlignment(Qt::AlignCenter);
    pages_->addWidget(whole);

    auto* boxes = new QVBoxLayout;
    boxes->addWidget(cbDaty_);
    boxes->addWidget(cbNumery_);
    boxes->addWidget(cbCalyOkres_);
    boxes->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(boxes);
    layout->addWidget(pages_, 1);
}

QWidget* TReportRange::DatesPageWidget() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    auto row = [&](int at, const QString& caption, const char* editName, const char* pickName) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setInputMask(QString::fromLatin1(DateMask));
        auto* pick = new QDateEdit(QDate::currentDate(), page);
        pick->setObjectName(QString::fromLatin1(pickName));
        pick->setCalendarPopup(true);
        pick->setAccessibleName(caption + QStringLiteral(" kalendarz"));
        connect(pick, &QDateEdit::dateChanged, edit,
                [edit](const QDate& date) { edit->setText(DateText(date)); });
        auto* label = new QLabel(caption, page);
        label->setBuddy(edit);
        grid->addWidget(label, at, 0);
        grid->addWidget(edit, at, 1);
        grid->addWidget(pick, at, 2);
        return std::pair{edit, pick};
    };
    std::tie(meDateOd_, dtPickOd_) = row(0, QStringLiteral("Od:"), "ME_DateOd", "DTPick_Od");
    std::tie(meDateDo_, dtPickDo_) = row(1, QStringLiteral("Do:"), "ME_DateDo", "DTPick_Do");
    return page;
}

QWidget* TReportRange::NumbersPageWidget() {
    auto* page = new QWidget;
    spinEOd_ = NumberSpin("SpinE_Od", 1, page);
    spinEDo_ = NumberSpin("SpinE_Do", 2, page);
    AddLabelledRows(*new QGridLayout(page),
                    {{QStringLiteral("Od:"), spinEOd_}, {QStringLiteral("Do:"), spinEDo_}});
    return page;
}

void TReportRange::Reset(int printerType) {
    SetBoxesVisible(true);
    Choose(cbDaty_);
    const QDate today = QDate::currentDate();
    for (auto [pick, edit] : {std::pair{dtPickOd_, meDateOd_}, std::pair{dtPickDo_, meDateDo_}}) {
        pick->setDate(today);
        edit->setText(DateText(today));
    }
    cbNumery_->setEnabled(printerType > 0);
    cbCalyOkres_->setEnabled(printerType > 0);
}

void TReportRange::Choose(QCheckBox* box) {
    box->setChecked(true);
    pages_->setCurrentIndex(app::Tag(box));
}

void TReportRange::SetBoxesVisible(bool visible) {
    for (QCheckBox* box : {cbDaty_, cbNumery_, cbCalyOkres_})
        box->setVisible(visible);
}

ReportRange TReportRange::Range() const {
    if (cbDaty_->isChecked())
        return {DateValue(meDateOd_), DateValue(meDateDo_)};
    if (cbNumery_->isChecked())
        return {NumberValue(spinEOd_->value()), NumberValue(spinEDo_->value())};
    return {"000000", "000000"};
}

std::string TReportRange::DateValue(const QLineEdit* edit) {
    // displayText keeps every position; text() would drop the blanks and shift the digits.
    QString shown = edit->displayText();
    shown.replace(QLatin1Char('_'), QLatin1Char(' '));
    shown = shown.leftJustified(10, QLatin1Char(' '));
    return (shown.mid(2, 2) + shown.mid(5, 2) + shown.mid(8, 2)).toStdString();
}

std::string TReportRange::NumberValue(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "NR%.4d", number);
    return text;
}

} // namespace nubra::reports
