#include "TFormTemplates.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValidator>

namespace nubra::service {
namespace {

// Typed or pasted letters become capitals, as the printer prints them.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

class ValueDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        auto* editor = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (editor) {
            editor->setMaxLength(index.data(Qt::UserRole).toBool() ? TFormTemplates::kRowData : 32767);
            editor->setValidator(new UpperCaseValidator(editor));
        }
        return editor;
    }
};

QLineEdit* Heading(const QString& text, QWidget* parent) {
    auto* heading = new QLineEdit(text, parent);
    heading->setReadOnly(true);
    heading->setFocusPolicy(Qt::NoFocus);
    return heading;
}

} // namespace

TFormTemplates::TFormTemplates(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Komunikaty"));

    seNumber_ = new QSpinBox(this);
    seNumber_->setObjectName(QStringLiteral("SE_Number"));
    seNumber_->setRange(1, 40);
    seNumber_->setValue(1);
    auto* numberLabel = new QLabel(QStringLiteral("- Numer szablonu"), this);
    numberLabel->setBuddy(seNumber_);

    lTemplateName_ = new QLabel(this);
    lTemplateName_->setObjectName(QStringLiteral("L_TemplateName"));
    lTemplateName_->setAlignment(Qt::AlignCenter);
    lTemplateName_->setAutoFillBackground(true);
    lTemplateName_->setMinimumHeight(2 * fontMetrics().height() + 8);
    lTemplateName_->setAccessibleName(QStringLiteral("Nazwa szablonu"));

    valueList_ = new QTableWidget(1, 2, this);
    valueList_->setObjectName(QStringLiteral("ValueListEditor"));
    valueList_->horizontalHeader()->hide();
    valueList_->verticalHeader()->hide();
    valueList_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    valueList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    valueList_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    valueList_->setItemDelegateForColumn(1, new ValueDelegate(valueList_));
    valueList_->setMinimumSize(420, 260);
    valueList_->setAccessibleName(QStringLiteral("Opisy wierszy i dane"));
    SetRow(0, QString(), false);
    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    headings->addWidget(Heading(QStringLiteral(" Opisy wierszy"), this));
    headings->addWidget(Heading(QStringLiteral(" Dane"), this));

    cboxCutter_ = new QCheckBox(QStringLiteral("Z obcięciem wydruku"), this);
    cboxCutter_->setObjectName(QStringLiteral("CBox_Cutter"));
    cboxCutter_->setChecked(true);
    odczytaj_ = new QPushButton(QStringLiteral("Odczytaj"), this);
    drukuj_ = new QPushButton(QStringLiteral("Drukuj"), this);
    zamknij_ = new QPushButton(QStringLiteral("Zamknij"), this);
    for (QPushButton* button : {odczytaj_, drukuj_})
        button->setAutoDefault(false);
    zamknij_->setDefault(true);
    connect(zamknij_, &QPushButton::clicked, this, [this] { done(2); });

    auto* top = new QHBoxLayout;
    top->addWidget(seNumber_);
    top->addWidget(numberLabel);
    top->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cboxCutter_);
    buttons->addStretch(1);
    buttons->addWidget(odczytaj_);
    buttons->addWidget(drukuj_);
    buttons->addWidget(zamknij_);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    layout->addWidget(lTemplateName_);
    layout->addLayout(headings);
    layout->addWidget(valueList_);
    layout->addLayout(buttons);
    setTabOrder(seNumber_, valueList_);
    setTabOrder(valueList_, cboxCutter_);
    setTabOrder(cboxCutter_, odczytaj_);
    setTabOrder(odczytaj_, drukuj_);
    setTabOrder(drukuj_, zamknij_);
}

int TFormTemplates::Number() const {
    return seNumber_->value();
}

bool TFormTemplates::Cut() const {
    return cboxCutter_->isChecked();
}

void TFormTemplates::SetRow(int row, const QString& key, bool limited) {
    auto* keyItem = new QTableWidgetItem(key);
    keyItem->setFlags(Qt::ItemIsEnabled);
    valueList_->setItem(row, 0, keyItem);
    auto* value = new QTableWidgetItem(QString());
    value->setData(Qt::UserRole, limited);
    valueList_->setItem(row, 1, value);
}

void TFormTemplates::ShowTemplate(const QString& name1, const QString& name2,
                                  const QStringList& descriptions) {
    lTemplateName_->setText(name1 + QLatin1Char('\n') + name2);
    for (int row = 0; row < valueList_->rowCount(); ++row)
        valueList_->item(row, 1)->setText(QString());
    if (valueList_->rowCount() < descriptions.size())
        valueList_->setRowCount(static_cast<int>(descriptions.size()));
    for (int row = 0; row < descriptions.size(); ++row)
        SetRow(row, descriptions.at(row), true);
}

QStringList TFormTemplates::RowData() const {
    QStringList data;
    for (int row = 0; row < valueList_->rowCount(); ++row) {
        const QTableWidgetItem* value = valueList_->item(row, 1);
        data << (value ? value->text().left(kRowData) : QString());
    }
    return data;
}

void TFormTemplates::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QPalette palette = lTemplateName_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    lTemplateName_->setPalette(palette);
}

} // namespace nubra::service
