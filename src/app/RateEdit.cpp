#include "RateEdit.h"

#include <QRegularExpressionValidator>

#include "MessageBox.h"
#include "PtuRate.h"

namespace nubra::app {

RateEdit::RateEdit(QWidget* parent) : QLineEdit(parent) {
    // No length limit: a digit too many must show, to be refused, not be swallowed by the edit.
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(" *\\d*([,.]\\d*)? *%?")), this));
    setAlignment(Qt::AlignRight);
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (const std::optional<int> value = Hundredths())
            SetHundredths(*value);
    });
    SetHundredths(kInactive);
}

std::optional<int> RateEdit::Hundredths() const {
    return ptu::ParseTyped(text().toStdString());
}

void RateEdit::SetHundredths(int hundredths) {
    setText(QString::fromStdString(ptu::DisplayText(hundredths)));
}

std::optional<std::array<int, 7>> ReadRates(QWidget* parent, const RateEdits& edits) {
    std::array<int, 7> rates{};
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const std::optional<int> value = edits[i]->Hundredths();
        if (!value) {
            const char letter = static_cast<char>('A' + i);
            ShowMessageBox(
                parent, QMessageBox::Critical,
                QString::fromStdString(ptu::Refusal(letter, edits[i]->text().trimmed().toStdString())));
            edits[i]->setFocus();
            return std::nullopt;
        }
        rates[i] = *value;
    }
    return rates;
}

} // namespace nubra::app
