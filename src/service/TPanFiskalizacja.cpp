#include "TPanFiskalizacja.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace nubra::service {

TPanFiskalizacja::TPanFiskalizacja(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Fiskalizacja"));

    auto* grid = new QGridLayout;
    for (int i = 0; i < 7; ++i) {
        const QChar letter(QLatin1Char(static_cast<char>('A' + i)));
        auto* label = new QLabel(QStringLiteral("PTU %1:").arg(letter), this);
        auto* edit = new RateEdit(this);
        edit->setObjectName(QStringLiteral("E_Ptu") + letter);
        label->setBuddy(edit);
        connect(edit, &RateEdit::textChanged, this, &TPanFiskalizacja::CheckRates);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        rates_[static_cast<std::size_t>(i)] = edit;
    }
    auto* legend = new QLabel(QStringLiteral("99.99 % - nieaktywna\n99.98 % - zwolniona"), this);
    grid->addWidget(legend, 0, 2, 7, 1, Qt::AlignTop);

    warning_ = new QLabel(
        QStringLiteral(
            "Klawisz 'Fiskalizuj' nie będzie dostępny\ndopóki wszystkie stawki mają wartość 99,99%"),
        this);
    warning_->setAlignment(Qt::AlignCenter);

    kbFiskalizuj_ = new QPushButton(QStringLiteral("Fiskalizuj"), this);
    bAnuluj_ = new QPushButton(QStringLiteral("Anuluj"), this);
    kbFiskalizuj_->setDefault(true);
    connect(kbFiskalizuj_, &QPushButton::clicked, this, [this] { done(kFiskalizuj); });
    connect(bAnuluj_, &QPushButton::clicked, this, [this] { done(kAnuluj); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(kbFiskalizuj_);
    buttons->addWidget(bAnuluj_);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addWidget(warning_);
    layout->addLayout(buttons);
    CheckRates();
}

std::optional<std::array<int, 7>> TPanFiskalizacja::Hundredths() const {
    std::array<int, 7> values{};
    for (std::size_t i = 0; i < rates_.size(); ++i) {
        const std::optional<int> value = rates_[i]->Hundredths();
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    return values;
}

void TPanFiskalizacja::SetHundredths(const std::array<int, 7>& rates) {
    for (std::size_t i = 0; i < rates_.size(); ++i)
        rates_[i]->SetHundredths(rates[i]);
}

void TPanFiskalizacja::CheckRates() {
    // A text that is no rate is not inactive: "Fiskalizuj" stays, to say what is wrong with it.
    const std::optional<std::array<int, 7>> values = Hundredths();
    const bool allInactive = values && std::all_of(values->begin(), values->end(),
                                                   [](int rate) { return rate == RateEdit::kInactive; });
    kbFiskalizuj_->setEnabled(!allInactive);
    warning_->setVisible(allInactive);
}

void TPanFiskalizacja::done(int result) {
    if (result == kFiskalizuj && !app::ReadRates(this, rates_))
        return;
    QDialog::done(result);
}

} // namespace nubra::service
